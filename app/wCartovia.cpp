#include "app/wCartovia.h"

#include "app/u_Application.h"
#include "app/u_fMenuCartovia.h"
#include "context/u_dmCon.h"
#include "core/Idle.h"
#include "import/u_fCartoviaImportCmdC.h"
#include "login/u_frmLogin.h"
#include "shop/u_fProc_Cartovia.h"

#include <QApplication>
#include <QDir>

namespace app {

void createApplicationObjects() {
    fMenuCartovia = new TfMenuCartovia();
    // The other windows are owned by the main window: no taskbar entry of their own, in
    // front of it and minimised with it.
    frmLogin = new TfrmLogin(fMenuCartovia);
    dmCon = new TdmCon();
    fProc_Cartovia = new TfProc_Cartovia(fMenuCartovia);
    fCartoviaImportCmdC = new TfCartoviaImportCmdC(fMenuCartovia);
    frmLogin->bindToDataModule(*dmCon);
    fProc_Cartovia->bindToDataModule(*dmCon);
    fCartoviaImportCmdC->bindToDataModule(*dmCon);
}

void destroyApplicationObjects() {
    delete fMenuCartovia; // and the windows it owns
    delete dmCon;
    fMenuCartovia = nullptr;
    frmLogin = nullptr;
    fProc_Cartovia = nullptr;
    fCartoviaImportCmdC = nullptr;
    dmCon = nullptr;
}

int run(QApplication& application) {
#ifdef Q_OS_WIN
    const QChar separator = QLatin1Char('\\');
#else
    const QChar separator = QLatin1Char('/');
#endif
    setApplicationTitle(deriveTitle(QDir::toNativeSeparators(QApplication::applicationFilePath()), separator));
    // Windows repaint while a statement or request runs; input waits until it ends.
    wc::setIdleHook([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });

    createApplicationObjects();
    fMenuCartovia->show();
    const int result = application.exec();
    destroyApplicationObjects();
    return result;
}

} // namespace app
