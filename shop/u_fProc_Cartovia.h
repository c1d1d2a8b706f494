#pragma once

#include <QWidget>

class TdmCon;

// Holder of the shop client's components; never shown.
class TfProc_Cartovia : public QWidget {
    Q_OBJECT
public:
    explicit TfProc_Cartovia(QWidget* parent = nullptr);
    void bindToDataModule(TdmCon& dm);

    void getOrdersByCreatedAfter(const QString& pNumeSite, const QString& pBaseUrl, const QString& pUser,
                                 const QString& pPassword);
};

extern TfProc_Cartovia* fProc_Cartovia;
