#include "login/u_frmLogin.h"

TfrmLogin* frmLogin = nullptr;

TfrmLogin::TfrmLogin(QWidget* parent) : QDialog(parent) { setWindowTitle(QStringLiteral("frmLogin")); }

void TfrmLogin::bindToDataModule(TdmCon&) {}
