#include "shop/u_fProc_Cartovia.h"

TfProc_Cartovia* fProc_Cartovia = nullptr;

TfProc_Cartovia::TfProc_Cartovia(QWidget* parent) : QWidget(parent, Qt::Window) {}

void TfProc_Cartovia::bindToDataModule(TdmCon&) {}

void TfProc_Cartovia::getOrdersByCreatedAfter(const QString&, const QString&, const QString&, const QString&) {}
