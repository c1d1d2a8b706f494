#pragma once

#include <QDialog>

class TdmCon;

// The login dialog.
class TfrmLogin : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* parent = nullptr);
    void bindToDataModule(TdmCon& dm);
};

extern TfrmLogin* frmLogin;
