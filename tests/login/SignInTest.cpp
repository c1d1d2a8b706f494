#include "LoginFixture.h"

#include "app/u_fMenuCartovia.h"

#include <QTimer>

namespace wc::test {
namespace {

// The dialog shown as the main window shows it, with every login context string holding
// an earlier value so that what a press changes stands out.
class SignIn : public LoginFixture {
protected:
    void SetUp() override {
        LoginFixture::SetUp();
        dialog().show();
        for (QString* text : context())
            *text = QStringLiteral("earlier");
    }

    static std::vector<QString*> context() {
        return {&dmCon->glNumeFirma, &dmCon->glUser, &dmCon->glUserPass, &dmCon->glDataBase,
                &dmCon->glUserRol,   &dmCon->glEuPL, &dmCon->glJasIP,    &dmCon->glJasProtocol};
    }
    // The seven strings that only a sign-in passing every check writes.
    static QStringList afterChecks() {
        return {dmCon->glUser, dmCon->glUserPass, dmCon->glDataBase,   dmCon->glUserRol,
                dmCon->glEuPL, dmCon->glJasIP,    dmCon->glJasProtocol};
    }
    static QStringList unchanged() { return QStringList(7, QStringLiteral("earlier")); }

    void expectQueriesClosedAfterPress() {
        EXPECT_FALSE(dialog().dsZelMobil.isOpen());
        EXPECT_FALSE(dmCon->dsEmitent.isOpen());
        EXPECT_FALSE(dmCon->dsAplicatieMob.isOpen());
    }
    void expectSignedInAsAna() {
        EXPECT_EQ(takeError(), "<none>");
        EXPECT_TRUE(signedIn());
        EXPECT_EQ(dmCon->glUser, "ana");
        EXPECT_EQ(dmCon->glUserPass, anaPassword);
    }
};

struct Refusal {
    const char* name;
    const char* erpSql; // run on the ERP database before the press
    QString companyName;
    QString user;
    QString password;
    QString shown;
};

void PrintTo(const Refusal& refusal, std::ostream* os) {
    *os << refusal.name;
}

class SignInRefusal : public SignIn, public ::testing::WithParamInterface<Refusal> {};

const Refusal refusals[] = {
    {"unknownCompany", "", "Firma Necunoscuta", "ana", "Cafea#2026", "Companie inexistenta."},
    {"companyDiffersInCase", "", "firma test", "ana", "Cafea#2026", "Companie inexistenta."},
    {"wrongPassword", "", "Firma Test", "ana", "cafea#2026", "User, Password eronate."},
    {"operatorDiffersInCase", "", "Firma Test", "Ana", "Cafea#2026", "User, Password eronate."},
    {"applicationNotListed",
     "delete from aplicatie_mob_emitent; delete from aplicatie_mob where aplicatie_mob = 'wcartovia'",
     "Firma Test", "ana", "Cafea#2026", "Aplicatia wcartovia nu este disponibila."},
    {"applicationNotActive", "update aplicatie_mob set activ = null where aplicatie_mob = 'wcartovia'",
     "Firma Test", "ana", "Cafea#2026", "Aplicatia wcartovia nu este disponibila."},
    {"operatorNotAllowed", "", "Firma Test", "mihai", "mihai",
     "Aplicatia wcartovia nu este disponibila pentru user-ul mihai."},
};

TEST_P(SignInRefusal, showsItsMessageAndLeavesTheDialogOpenWithOnlyTheCompanyRemembered) {
    const Refusal& refusal = GetParam();
    if (*refusal.erpSql)
        erp.exec(QString::fromUtf8(refusal.erpSql));

    signIn(refusal.companyName, refusal.user, refusal.password);

    EXPECT_EQ(takeError(), refusal.shown);
    EXPECT_FALSE(signedIn());
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dmCon->glNumeFirma, refusal.companyName);
    EXPECT_EQ(afterChecks(), unchanged());
    EXPECT_EQ(dialog().Edit3->text(), refusal.password);
    expectQueriesClosedAfterPress();
    EXPECT_EQ(erp.sessionsLeft(), 0);
}

INSTANTIATE_TEST_SUITE_P(EachCheck, SignInRefusal, ::testing::ValuesIn(refusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SignIn, fillsTheLoginContextAndClosesWithOk) {
    erp.exec("update eu set jas_ip = '10.0.0.5:8080'");
    signIn(company, "ana", anaPassword);

    expectSignedInAsAna();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(dmCon->glNumeFirma, company);
    EXPECT_EQ(dmCon->glDataBase, erp.name());
    EXPECT_EQ(dmCon->glUserRol, "admin");
    EXPECT_EQ(dmCon->glEuPL, "Sediu Bucureşti");
    EXPECT_EQ(dmCon->glJasIP, "10.0.0.5:8080");
    EXPECT_EQ(dmCon->glJasProtocol, "http");
    EXPECT_EQ(dialog().Edit3->text(), "");
    expectQueriesClosedAfterPress();
    EXPECT_TRUE(dmCon->dsEu.isOpen());
    EXPECT_TRUE(dmCon->dsAplicatieMobEmitent.isOpen());
}

TEST_F(SignIn, routesTheErpConnectionFromTheDirectoryAndHoldsNoErpSession) {
    signIn(company, "ana", anaPassword);
    expectSignedInAsAna();
    EXPECT_EQ(dmCon->conZel.server(), "localhost");
    EXPECT_EQ(dmCon->conZel.port(), erp.server().port);
    EXPECT_EQ(dmCon->conZel.database(), erp.name());
    EXPECT_EQ(dmCon->conZel.sslMode(), db::SslMode::Prefer);
    EXPECT_FALSE(dmCon->conZel.isConnected());
    EXPECT_EQ(erp.sessionsLeft(), 0);
    EXPECT_TRUE(dmCon->conZelMob.isConnected()) << "the directory connection stays open";
    EXPECT_EQ(directory.otherSessions(), 1);
}

TEST_F(SignIn, keepsTheRoutingOfTheLastCompanyFoundAfterLaterRefusals) {
    TestDatabase other{tlsServer(), erpFiles()};
    addCompany("Alta Firma", other);
    signIn("Alta Firma", "ana", "wrong");
    EXPECT_EQ(takeError(), "User, Password eronate.");
    signIn("Firma Necunoscuta", "ana", anaPassword);
    EXPECT_EQ(takeError(), "Companie inexistenta.");
    EXPECT_EQ(dmCon->conZel.database(), other.name());
    EXPECT_EQ(dmCon->conZel.port(), other.server().port);
}

TEST_F(SignIn, unknownCompanyLeavesTheErpConnectionUnrouted) {
    signIn("Firma Necunoscuta", "ana", anaPassword);
    EXPECT_EQ(takeError(), "Companie inexistenta.");
    EXPECT_EQ(dmCon->conZel.server(), "");
    EXPECT_EQ(dmCon->conZel.database(), "");
    EXPECT_EQ(dmCon->conZel.sslMode(), db::SslMode::Require);
}

TEST_F(SignIn, unreachableErpServerFailsWithTheConnectionRoutedButClosed) {
    addCompanyAt("Firma Oprita", 1, "zel_oprita");
    signIn("Firma Oprita", "ana", anaPassword);
    const QString shown = takeError();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_FALSE(shown.startsWith("User, Password")) << shown.toStdString();
    EXPECT_EQ(dmCon->conZel.port(), 1);
    EXPECT_EQ(dmCon->conZel.database(), "zel_oprita");
    EXPECT_FALSE(dmCon->conZel.isConnected());
    EXPECT_EQ(dmCon->glNumeFirma, "Firma Oprita");
    EXPECT_EQ(afterChecks(), unchanged());
    expectQueriesClosedAfterPress();
}

TEST_F(SignIn, directoryWithoutTlsRefusesEverySignIn) {
    TestDatabase plainDirectory{plainServer(), {sourcePath("demo/sql/directory_schema.sql")}};
    pointAt(dmCon->conZelMob, plainDirectory, db::SslMode::Prefer);
    signIn(company, "ana", anaPassword);
    EXPECT_EQ(takeError(), "SSL connection is not allowed.");
    EXPECT_EQ(dmCon->conZelMob.sslMode(), db::SslMode::Require) << "every sign-in asks the directory for TLS";
    EXPECT_FALSE(dmCon->conZelMob.isConnected());
    EXPECT_EQ(dmCon->glNumeFirma, company);
    EXPECT_EQ(afterChecks(), unchanged());
}

TEST_F(SignIn, unreachableDirectoryFailsWithTheDatabaseLayersMessage) {
    dmCon->conZelMob.setPort(1);
    signIn(company, "ana", anaPassword);
    EXPECT_NE(takeError(), "<none>");
    EXPECT_FALSE(signedIn());
    EXPECT_EQ(dmCon->glNumeFirma, company);
    EXPECT_EQ(afterChecks(), unchanged());
}

TEST_F(SignIn, usesAnErpServerWithoutTlsUnencrypted) {
    TestDatabase plainErp{plainServer(), erpFiles()};
    addCompany("Firma Plain", plainErp);
    signIn("Firma Plain", "ana", anaPassword);
    expectSignedInAsAna();
    EXPECT_EQ(dmCon->glDataBase, plainErp.name());
}

TEST_F(SignIn, unreadableCompanyDataKeepsTheReportServerValues) {
    erp.exec("alter table eu drop column jas_ip_ext");
    signIn(company, "ana", anaPassword);
    EXPECT_EQ(takeError(), "dsEu: Field 'jas_ip_ext' not found.");
    EXPECT_FALSE(signedIn());
    EXPECT_EQ(dmCon->glUser, "ana");
    EXPECT_EQ(dmCon->glUserPass, anaPassword);
    EXPECT_EQ(dmCon->glDataBase, erp.name());
    EXPECT_EQ(dmCon->glUserRol, "admin");
    EXPECT_EQ(dmCon->glEuPL, "Sediu Bucureşti");
    EXPECT_EQ(dmCon->glJasIP, "earlier");
    EXPECT_EQ(dmCon->glJasProtocol, "earlier");
    EXPECT_EQ(dialog().Edit3->text(), anaPassword);
    expectQueriesClosedAfterPress();
}

TEST_F(SignIn, secondPressAfterARefusalStartsAgainWithEveryValueRebound) {
    signIn(company, "mihai", "mihai");
    EXPECT_EQ(takeError(), "Aplicatia wcartovia nu este disponibila pentru user-ul mihai.");
    EXPECT_TRUE(dmCon->dsAplicatieMobEmitent.isOpen()) << "may stay open after a refusal";
    signIn(company, "ana", "wrong");
    EXPECT_EQ(takeError(), "User, Password eronate.");
    dialog().Edit3->setText(anaPassword);
    press();
    expectSignedInAsAna();
    EXPECT_EQ(dmCon->glUserRol, "admin");
}

TEST_F(SignIn, refreshesTheCompanyDataOpenFromAnEarlierSignIn) {
    signIn(company, "ana", anaPassword);
    expectSignedInAsAna();
    erp.exec("update eu set jas_ip = 'rapoarte:8080'");
    dialog().show();
    signIn(company, "ana", anaPassword);
    expectSignedInAsAna();
    EXPECT_EQ(dmCon->glJasIP, "rapoarte:8080");
    EXPECT_EQ(dmCon->glJasProtocol, "http");
}

TEST_F(SignIn, acceptsTheApplicationNameInAnyLetterCase) {
    app::setApplicationTitle("WCARTOVIA");
    signIn(company, "ana", anaPassword);
    expectSignedInAsAna();
}

TEST_F(SignIn, namesTheApplicationByTheTitleInItsMessages) {
    app::setApplicationTitle("Wcartovia");
    erp.exec("delete from aplicatie_mob_emitent where emitent = 'ana'");
    signIn(company, "ana", anaPassword);
    EXPECT_EQ(takeError(), "Aplicatia Wcartovia nu este disponibila pentru user-ul ana.");
}

TEST_F(SignIn, usesTheFirstDirectoryRowOfTwoWithTheSameCompany) {
    addCompanyAt(company, erp.server().port, "zel_al_doilea");
    signIn(company, "ana", anaPassword);
    expectSignedInAsAna();
    EXPECT_EQ(dmCon->glDataBase, erp.name());
}

TEST_F(SignIn, ignoresTheDirectoryRowsActiveFlag) {
    directory.exec("update m_firma set activ = false, m_site = true");
    signIn(company, "ana", anaPassword);
    expectSignedInAsAna();
}

TEST_F(SignIn, looksUpTheWholeCompanyNameBeyondWhatIsRemembered) {
    const QString longName = QString(201, QLatin1Char('F'));
    addCompany(longName.left(200), erp); // a directory name of 200 must not match 201 typed
    enter("", "ana", anaPassword);
    type(dialog().Edit1, longName);
    press();
    EXPECT_EQ(takeError(), "Companie inexistenta.");
    EXPECT_EQ(dmCon->glNumeFirma, longName);
    EXPECT_EQ(dialog().dsLogin.storedValue(0, dialog().dsLogincompany), longName.left(200));
}

class DirectoryColumn : public SignIn, public ::testing::WithParamInterface<const char*> {};

TEST_P(DirectoryColumn, missingFromTheDirectoryFailsTheLookupBeforeAnyRouting) {
    const QString column = QString::fromLatin1(GetParam());
    directory.exec(QStringLiteral("alter table m_firma drop column %1").arg(column));
    signIn(company, "ana", anaPassword);
    EXPECT_EQ(takeError(), QStringLiteral("dsZelMobil: Field '%1' not found.").arg(column));
    EXPECT_EQ(dmCon->conZel.database(), "");
    EXPECT_FALSE(dialog().dsZelMobil.isOpen());
}

// nume_firma is left out: the statement's own condition needs it.
INSTANTIATE_TEST_SUITE_P(EachDeclared, DirectoryColumn,
                         ::testing::Values("ip", "port", "db_name", "activ", "m_site", "pw_hash_type"));

TEST_F(SignIn, refusesADirectoryPortOfAnotherKind) {
    directory.exec("alter table m_firma alter column port type bigint");
    signIn(company, "ana", anaPassword);
    EXPECT_TRUE(takeError().startsWith("dsZelMobil: Type mismatch for field 'port'"));
    EXPECT_FALSE(signedIn());
}

struct PasswordRule {
    const char* name;
    const char* pwHashTypeSql;
    const char* storedSql; // operator_parola of ana
    QString typed;
    bool accepted;
};

void PrintTo(const PasswordRule& rule, std::ostream* os) {
    *os << rule.name;
}

class SignInPasswordRule : public SignIn, public ::testing::WithParamInterface<PasswordRule> {};

// Digests come from the database server, independent of the program's own hashing.
const PasswordRule passwordRules[] = {
    {"digestUnderHashSHA2", "'HashSHA2'", "encode(sha256(convert_to('Cafea#2026', 'UTF8')), 'hex')",
     "Cafea#2026", true},
    {"typedTextRefusedUnderHashSHA2", "'HashSHA2'", "'Cafea#2026'", "Cafea#2026", false},
    {"emptyPasswordHashedUnderHashSHA2", "'HashSHA2'", "encode(sha256(''::bytea), 'hex')", "", true},
    {"emptyPasswordNotSentEmptyUnderHashSHA2", "'HashSHA2'", "''", "", false},
    {"digestOfUtf8BytesOfRomanianLetters", "'HashSHA2'",
     "encode(sha256(convert_to('Parolă ştiută', 'UTF8')), 'hex')", "Parolă ştiută", true},
    {"lowerCaseTypeMeansAsTyped", "'hashsha2'", "'Cafea#2026'", "Cafea#2026", true},
    {"trailingBlankMeansAsTyped", "'HashSHA2 '", "'Cafea#2026'", "Cafea#2026", true},
    {"emptyTypeMeansAsTyped", "''", "'Cafea#2026'", "Cafea#2026", true},
    {"nullTypeMeansAsTyped", "null", "'Cafea#2026'", "Cafea#2026", true},
    {"emptyPasswordSentEmptyAsTyped", "null", "''", "", true},
};

TEST_P(SignInPasswordRule, checksThePasswordInTheFormTheCompanyStores) {
    const PasswordRule& rule = GetParam();
    directory.exec(QStringLiteral("update m_firma set pw_hash_type = %1").arg(rule.pwHashTypeSql));
    erp.exec(
        QStringLiteral("update emitent set operator_parola = %1 where emitent = 'ana'").arg(rule.storedSql));

    signIn(company, "ana", rule.typed);

    if (rule.accepted) {
        EXPECT_EQ(takeError(), "<none>");
        EXPECT_TRUE(signedIn());
        EXPECT_EQ(dmCon->glUserPass, rule.typed) << "the password as typed, never its digest";
    } else {
        EXPECT_EQ(takeError(), "User, Password eronate.");
        EXPECT_FALSE(signedIn());
    }
}

INSTANTIATE_TEST_SUITE_P(ByHashType, SignInPasswordRule, ::testing::ValuesIn(passwordRules),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReportServer {
    const char* name;
    const char* jasIpSql;
    QString jasIp;
    QString protocol;
};

void PrintTo(const ReportServer& server, std::ostream* os) {
    *os << server.name;
}

class SignInReportServer : public SignIn, public ::testing::WithParamInterface<ReportServer> {};

const ReportServer reportServers[] = {
    {"port8080", "'10.0.0.5:8080'", "10.0.0.5:8080", "http"},
    {"port18080", "'rapoarte.example.ro:18080'", "rapoarte.example.ro:18080", "http"},
    {"port8443", "'rapoarte.example.ro:8443'", "rapoarte.example.ro:8443", "https"},
    {"empty", "''", "", "https"},
    {"null", "null", "", "https"},
};

TEST_P(SignInReportServer, takesTheProtocolFromTheAddress) {
    const ReportServer& server = GetParam();
    erp.exec(QStringLiteral("update eu set jas_ip = %1").arg(server.jasIpSql));
    signIn(company, "ana", anaPassword);
    expectSignedInAsAna();
    EXPECT_EQ(dmCon->glJasIP, server.jasIp);
    EXPECT_EQ(dmCon->glJasProtocol, server.protocol);
}

INSTANTIATE_TEST_SUITE_P(ByAddress, SignInReportServer, ::testing::ValuesIn(reportServers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SignIn, companyWithoutEuRowSignsInWithAnEmptyReportServer) {
    erp.exec("delete from eu");
    signIn(company, "ana", anaPassword);
    expectSignedInAsAna();
    EXPECT_EQ(dmCon->glJasIP, "");
    EXPECT_EQ(dmCon->glJasProtocol, "https");
}

// Through the main window: the modal dialog, its result and the menu it leads to.
class MainWindowSignIn : public LoginFixture {};

TEST_F(MainWindowSignIn, successfulSignInSwitchesTheMainWindowToItsMenu) {
    fMenuCartovia->show();
    QTimer::singleShot(0, [this] {
        signIn(company, "ana", anaPassword);
        if (frmLogin->isVisible())
            frmLogin->reject(); // a refusal must not leave the test waiting
    });
    QTest::mouseClick(fMenuCartovia->ButtonLogin, Qt::LeftButton);

    EXPECT_EQ(takeError(), "<none>");
    EXPECT_FALSE(fMenuCartovia->PanelLogin->isVisible());
    EXPECT_TRUE(fMenuCartovia->PanelMenu->isVisible());
    EXPECT_EQ(fMenuCartovia->LabelDataBase->text(), erp.name());
    EXPECT_EQ(fMenuCartovia->LabelUser->text(), "User ana");
    EXPECT_EQ(erp.sessionsLeft(), 0);
    EXPECT_TRUE(dmCon->conZelMob.isConnected());
}

TEST_F(MainWindowSignIn, refusedSignInKeepsTheModalDialogOpenUntilClosed) {
    fMenuCartovia->show();
    bool openAfterRefusal = false;
    QTimer::singleShot(0, [&] {
        signIn(company, "ana", "wrong");
        openAfterRefusal = frmLogin->isVisible();
        frmLogin->close();
    });
    QTest::mouseClick(fMenuCartovia->ButtonLogin, Qt::LeftButton);

    EXPECT_EQ(takeError(), "User, Password eronate.");
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(frmLogin->result(), QDialog::Rejected);
    EXPECT_TRUE(fMenuCartovia->PanelLogin->isVisible());
}

} // namespace
} // namespace wc::test
