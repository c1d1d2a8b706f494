#pragma once

#include <QWidget>

class TdmCon;

// Holder of the shop client's components; never shown.
class TfProc_Cartovia : public QWidget {
    Q_OBJECT
public:
    explicit TfProc_Cartovia(QWidget* parent = nullptr);
    void bindToDataModule(TdmCon& dm);
};

extern TfProc_Cartovia* fProc_Cartovia;
