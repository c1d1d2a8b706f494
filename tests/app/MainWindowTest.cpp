#include "app/u_Application.h"
#include "app/u_fMenuCartovia.h"
#include "app/wCartovia.h"
#include "context/u_dmCon.h"
#include "import/u_fCartoviaImportCmdC.h"
#include "login/u_frmLogin.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // The login dialog reads the remembered login of a folder of the test's own, and its
        // failures go to the test, not to a modal box.
        qputenv("XDG_CONFIG_HOME", configFolder.path().toLocal8Bit());
        app::setFailureSink([this](const QString& text) { errors << text; });
        app::createApplicationObjects();
        fMenuCartovia->show();
    }
    void TearDown() override {
        app::destroyApplicationObjects();
        app::setFailureSink(nullptr);
        EXPECT_TRUE(errors.isEmpty()) << errors.join('|').toStdString();
    }

    // Presses Login and ends the dialog with the given result as soon as it shows.
    void pressLoginEndingWith(int result) {
        QTimer::singleShot(0, [result] { frmLogin->done(result); });
        QTest::mouseClick(fMenuCartovia->ButtonLogin, Qt::LeftButton);
    }

    QTemporaryDir configFolder;
    QStringList errors;
};

TEST_F(MainWindow, startsSignedOutWithLoginOnly) {
    EXPECT_EQ(fMenuCartovia->windowTitle(), "fMenuCartovia");
    EXPECT_EQ(fMenuCartovia->ButtonLogin->text(), "Login");
    EXPECT_TRUE(fMenuCartovia->PanelLogin->isVisible());
    EXPECT_FALSE(fMenuCartovia->PanelMenu->isVisible());
    EXPECT_FALSE(frmLogin->isVisible());
    EXPECT_FALSE(fCartoviaImportCmdC->isVisible());
    EXPECT_EQ(frmLogin->parentWidget(), fMenuCartovia);
}

TEST_F(MainWindow, closingTheDialogChangesNothing) {
    pressLoginEndingWith(QDialog::Rejected);
    EXPECT_TRUE(fMenuCartovia->PanelLogin->isVisible());
    EXPECT_FALSE(fMenuCartovia->PanelMenu->isVisible());
}

TEST_F(MainWindow, signedInShowsTheMenuWithDatabaseAndOperatorExactly) {
    dmCon->glDataBase = QStringLiteral("zel_firma_demo");
    dmCon->glUser = QStringLiteral(" Ion Popescu ");
    pressLoginEndingWith(QDialog::Accepted);
    EXPECT_FALSE(fMenuCartovia->PanelLogin->isVisible());
    EXPECT_TRUE(fMenuCartovia->PanelMenu->isVisible());
    EXPECT_EQ(fMenuCartovia->PanelMenu->geometry(), fMenuCartovia->rect());
    EXPECT_EQ(fMenuCartovia->LabelDataBase->text(), "zel_firma_demo");
    EXPECT_EQ(fMenuCartovia->LabelUser->text(), "User  Ion Popescu ");
    EXPECT_EQ(fMenuCartovia->Button1->text(), "Import comenzi");
}

TEST_F(MainWindow, importButtonShowsTheImportWindowWithoutResettingIt) {
    QTest::mouseClick(fMenuCartovia->Button1, Qt::LeftButton);
    EXPECT_TRUE(fCartoviaImportCmdC->isVisible());
    fCartoviaImportCmdC->resize(700, 500);
    QTest::mouseClick(fMenuCartovia->Button1, Qt::LeftButton);
    EXPECT_EQ(fCartoviaImportCmdC->size(), QSize(700, 500));
}

TEST_F(MainWindow, ruleStretchesWithTheWindow) {
    fMenuCartovia->resize(600, 400);
    EXPECT_EQ(fMenuCartovia->Shape1->geometry().right(), fMenuCartovia->PanelMenu->width() - 1);
}

} // namespace
