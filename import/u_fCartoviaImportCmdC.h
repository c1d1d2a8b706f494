#pragma once

#include <QWidget>

class TdmCon;

// The order import window.
class TfCartoviaImportCmdC : public QWidget {
    Q_OBJECT
public:
    explicit TfCartoviaImportCmdC(QWidget* parent = nullptr);
    void bindToDataModule(TdmCon& dm);
};

extern TfCartoviaImportCmdC* fCartoviaImportCmdC;
