#include "import/u_fCartoviaImportCmdC.h"

TfCartoviaImportCmdC* fCartoviaImportCmdC = nullptr;

TfCartoviaImportCmdC::TfCartoviaImportCmdC(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("fCartoviaImportCmdC"));
}

void TfCartoviaImportCmdC::bindToDataModule(TdmCon&) {}
