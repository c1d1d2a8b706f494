#pragma once

#include "app/u_Application.h"
#include "app/wCartovia.h"
#include "context/u_dmCon.h"
#include "login/u_frmLogin.h"
#include "support/DbConnect.h"
#include "support/TestDatabase.h"

#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace wc::test {

// The program's objects with the remembered login file in a temporary folder, the company
// directory and one company's ERP database on the TLS test server, and the failures shown
// by the error display collected. The company "Firma Test" is in the directory; the ERP
// holds the operators "ana" (password "Cafea#2026", role "admin") and "mihai" (no right to
// this application).
class LoginFixture : public ::testing::Test {
protected:
    static inline const QString company = QStringLiteral("Firma Test");
    static inline const QString anaPassword = QStringLiteral("Cafea#2026");

    void SetUp() override {
        ASSERT_TRUE(configHome.isValid());
        savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
        app::setApplicationTitle(QStringLiteral("wcartovia"));
        app::createApplicationObjects();
        pointAt(dmCon->conZelMob, directory, db::SslMode::Require);
        // The sign-in routes the ERP connection but never sets its account.
        dmCon->conZel.setPassword(directory.server().password);
        app::setFailureSink([this](const QString& text) { errors << text; });
        addCompany(company, erp);
    }
    void TearDown() override {
        app::setFailureSink(nullptr);
        app::destroyApplicationObjects();
        app::setApplicationTitle({});
        qputenv("XDG_CONFIG_HOME", savedConfigHome);
    }

    static QStringList erpFiles() {
        return {sourcePath("demo/sql/erp_schema.sql"), sourcePath("tests/login/data/erp_operators.sql")};
    }

    // A directory row that routes the company to `target` (the row's other columns as given).
    void addCompany(const QString& name, const TestDatabase& target, const QString& pwHashTypeSql = "null") {
        addCompanyAt(name, target.server().port, target.name(), pwHashTypeSql);
    }
    void addCompanyAt(const QString& name, int port, const QString& dbName,
                      const QString& pwHashTypeSql = "null") {
        directory.exec(
            QStringLiteral("insert into m_firma values ('%1', 'localhost', %2, '%3', true, false, %4)")
                .arg(name)
                .arg(port)
                .arg(dbName, pwHashTypeSql));
    }

    TfrmLogin& dialog() { return *frmLogin; }
    void enter(const QString& companyName, const QString& user, const QString& password) {
        dialog().Edit1->setText(companyName);
        dialog().Edit2->setText(user);
        dialog().Edit3->setText(password);
    }
    // Types text into a box key by key, as the operator does (letters beyond ASCII included).
    static void type(QLineEdit* box, const QString& text) {
        for (const QChar ch : text) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(box, &key);
        }
    }
    void press() { QTest::mouseClick(dialog().Button1, Qt::LeftButton); }
    void signIn(const QString& companyName, const QString& user, const QString& password) {
        enter(companyName, user, password);
        press();
    }
    bool signedIn() const { return frmLogin->result() == QDialog::Accepted; }
    // The first error shown since the last call, or "<none>".
    QString takeError() { return errors.isEmpty() ? QStringLiteral("<none>") : errors.takeFirst(); }

    QTemporaryDir configHome;
    QByteArray savedConfigHome;
    TestDatabase directory{tlsServer(), {sourcePath("demo/sql/directory_schema.sql")}};
    TestDatabase erp{tlsServer(), erpFiles()};
    QStringList errors;
};

} // namespace wc::test
