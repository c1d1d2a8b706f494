// The demo environment that the run command brings up, on ports and in a folder of the test's
// choosing, without the program: the TLS database server with the company directory and the
// two demo ERP databases, and the shop server.
#include "HttpGet.h"
#include "support/TestDatabase.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <memory>
#include <optional>
#include <unistd.h>

using namespace wc::test;
using ::testing::HasSubstr;

namespace {

const QString kPassword = "demo-test-pw";

int freePort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

// A folder that the database server can use also when it runs as the postgres account.
std::unique_ptr<QTemporaryDir> makeDemoFolder() {
    auto dir = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                           QFile::ExeOther);
    return dir;
}

struct DemoRun {
    int exitCode;
    std::string output;
};

struct Environment {
    QString dir;
    int pgPort;
    int shopPort;

    DemoRun run(const QString& command) const {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(sourcePath("demo/demo.sh"),
                      {command, "--dir", dir, "--port", QString::number(pgPort), "--shop-port",
                       QString::number(shopPort), "--password", kPassword, "--orders", "120"});
        if (!process.waitForFinished(180000))
            return {-1, "demo.sh did not finish"};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAll().toStdString()};
    }
};

// A libpq session on one demo database, TLS required as the program requires it for the directory.
class Session {
public:
    Session(int port, const QString& database) : conn_(nullptr, &PQfinish) {
        const QByteArray portText = QByteArray::number(port), db = database.toUtf8(), pw = kPassword.toUtf8();
        const char* keys[] = {"host", "port", "user", "password", "dbname", "sslmode", "connect_timeout",
                              nullptr};
        const char* values[] = {
            "127.0.0.1", portText.constData(), "zel", pw.constData(), db.constData(), "require", "5",
            nullptr};
        conn_.reset(PQconnectdbParams(keys, values, 0));
    }
    bool connected() const { return PQstatus(conn_.get()) == CONNECTION_OK; }
    std::string error() const { return PQerrorMessage(conn_.get()); }
    QString scalar(const QString& sql) {
        std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(conn_.get(), sql.toUtf8().constData()),
                                                              &PQclear);
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) == 0)
            return "<error: " + QString::fromUtf8(PQerrorMessage(conn_.get())) + ">";
        return QString::fromUtf8(PQgetvalue(result.get(), 0, 0));
    }
    void exec(const QString& sql) {
        std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(conn_.get(), sql.toUtf8().constData()),
                                                              &PQclear);
        ASSERT_EQ(PQresultStatus(result.get()), PGRES_COMMAND_OK) << error();
    }

private:
    std::unique_ptr<PGconn, void (*)(PGconn*)> conn_;
};

QString sha256Hex(const QString& text) {
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// The shop's order list as the program asks for it, from one config_cartovia row.
HttpReply fetchFromConfig(Session& erp, const QString& site) {
    QString base = erp.scalar("select base_url from config_cartovia where nume_site = '" + site + "'");
    if (!base.contains("://"))
        base.prepend("http://");
    if (base.endsWith('/'))
        base.chop(1);
    return httpGet(
        base + "/orders?include=line_items&sort=date_created&shipping_status=awaiting&start=0&limit=100",
        erp.scalar("select user_name from config_cartovia where nume_site = '" + site + "'"),
        erp.scalar("select pass from config_cartovia where nume_site = '" + site + "'"));
}

class DemoEnvironment : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = makeDemoFolder();
        env = Environment{folder->path() + "/demo", freePort(), freePort()};
        upResult = env->run("up");
    }
    static void TearDownTestSuite() {
        env->run("down");
        folder.reset();
    }
    void SetUp() override { ASSERT_EQ(upResult->exitCode, 0) << upResult->output; }

    static inline std::unique_ptr<QTemporaryDir> folder;
    static inline std::optional<Environment> env;
    static inline std::optional<DemoRun> upResult;
};

TEST_F(DemoEnvironment, directoryHoldsTwoCompaniesOnTheDemoServer) {
    Session directory(env->pgPort, "zel_mob");
    ASSERT_TRUE(directory.connected()) << directory.error();
    EXPECT_EQ(directory.scalar("select ssl::text from pg_stat_ssl where pid = pg_backend_pid()"), "true");
    EXPECT_EQ(
        directory.scalar("select string_agg(nume_firma || '|' || db_name || '|' || port || '|' || "
                         "coalesce(pw_hash_type, '-'), ',' order by nume_firma) from m_firma"),
        QString("Alfa Demo SRL|zel_demo_alfa|%1|HashSHA2,Beta Demo SRL|zel_demo_beta|%1|-").arg(env->pgPort));
}

TEST_F(DemoEnvironment, erpDatabasesHoldOperatorsAsTheirCompanyStoresThem) {
    const struct {
        const char* database;
        QString anaPassword;
    } companies[] = {{"zel_demo_alfa", sha256Hex("Cafea#2026")}, {"zel_demo_beta", "Cafea#2026"}};
    for (const auto& company : companies) {
        Session erp(env->pgPort, company.database);
        ASSERT_TRUE(erp.connected()) << erp.error();
        EXPECT_EQ(erp.scalar("select count(*) from emitent where emitent = 'ana' and operator_parola = '" +
                             company.anaPassword + "'"),
                  "1")
            << company.database;
        EXPECT_EQ(
            erp.scalar(
                "select count(*) from aplicatie_mob a join aplicatie_mob_emitent e using (aplicatie_mob) "
                "where lower(a.aplicatie_mob) = lower('wCartovia') and a.activ and e.emitent = 'ana'"),
            "1");
        EXPECT_EQ(erp.scalar("select count(*) from eu"), "1");
        EXPECT_EQ(erp.scalar("select count(*) from config_cartovia"), "3");
    }
}

TEST_F(DemoEnvironment, configuredShopsAnswerAndOneRefusesItsPassword) {
    Session erp(env->pgPort, "zel_demo_alfa");
    ASSERT_TRUE(erp.connected()) << erp.error();
    for (const QString site : {"magazin-1", "magazin-2"}) {
        const HttpReply reply = fetchFromConfig(erp, site);
        EXPECT_EQ(reply.status, 200) << site.toStdString();
        EXPECT_THAT(reply.body.toStdString(), HasSubstr(R"("total": 120)"));
    }
    EXPECT_EQ(fetchFromConfig(erp, "magazin-3").status, 401);
}

TEST_F(DemoEnvironment, secondUpReusesTheRunningServers) {
    const DemoRun again = env->run("up");
    EXPECT_EQ(again.exitCode, 0) << again.output;
    EXPECT_THAT(again.output, ::testing::Not(HasSubstr("creating the demo databases")));
}

TEST(DemoLifecycle, downStopsBothServersAndTheDataStaysForTheNextUp) {
    const auto folder = makeDemoFolder();
    const Environment env{folder->path() + "/demo", freePort(), freePort()};
    ASSERT_EQ(env.run("up").exitCode, 0);
    {
        Session erp(env.pgPort, "zel_demo_beta");
        erp.exec("insert into log_cartovia (nume_site, id_doc_site) values ('magazin-1', 77)");
    }

    const DemoRun down = env.run("down");
    ASSERT_EQ(down.exitCode, 0) << down.output;
    EXPECT_FALSE(Session(env.pgPort, "zel_mob").connected());
    EXPECT_THROW(httpGet(QString("http://127.0.0.1:%1/magazin-1/orders").arg(env.shopPort)),
                 std::runtime_error);

    // Up again on other ports: the directory and the shop settings follow them.
    const Environment moved{env.dir, freePort(), freePort()};
    const DemoRun up = moved.run("up");
    ASSERT_EQ(up.exitCode, 0) << up.output;
    Session erp(moved.pgPort, "zel_demo_beta");
    EXPECT_EQ(erp.scalar("select count(*) from log_cartovia where id_doc_site = 77"), "1");
    EXPECT_EQ(fetchFromConfig(erp, "magazin-1").status, 200);
    EXPECT_EQ(Session(moved.pgPort, "zel_mob")
                  .scalar("select min(port) = max(port) and min(port) = " + QString::number(moved.pgPort) +
                          " from m_firma"),
              "t");

    const DemoRun reset = moved.run("reset");
    EXPECT_EQ(reset.exitCode, 0) << reset.output;
    EXPECT_FALSE(QFile::exists(env.dir));
    EXPECT_FALSE(Session(moved.pgPort, "zel_mob").connected());
}

TEST(DemoLifecycle, refusesPortTakenByAnotherServerAndSaysWhatToDo) {
    const auto folder = makeDemoFolder();
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    const Environment env{folder->path() + "/demo", other.serverPort(), freePort()};
    const DemoRun up = env.run("up");
    EXPECT_NE(up.exitCode, 0);
    EXPECT_THAT(
        up.output,
        HasSubstr(QString("port %1 on 127.0.0.1 is already in use").arg(other.serverPort()).toStdString()));
    EXPECT_THAT(up.output, HasSubstr("-DWC_DIRECTORY_PORT="));
}

TEST(DemoLifecycle, asRootRefusesFolderThatThePostgresAccountCannotEnter) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only root hands the server to the postgres account";
    QTemporaryDir locked; // created 0700, so only root can enter it
    const Environment env{locked.path() + "/demo", freePort(), freePort()};
    const DemoRun up = env.run("up");
    EXPECT_NE(up.exitCode, 0);
    EXPECT_THAT(up.output, HasSubstr("cannot enter"));
}

// scripts/run.sh with a stand-in for the program: a build folder whose cache names the
// demo's port and password, and whose program records whether the demo servers answer.
class RunCommand : public ::testing::Test {
protected:
    RunCommand() {
        QDir().mkpath(build.path() + "/app");
        writeFile(build.path() + "/CMakeCache.txt", QString("WC_DIRECTORY_HOST:STRING=localhost\n"
                                                            "WC_DIRECTORY_PORT:STRING=%1\n"
                                                            "WC_DB_PASSWORD:STRING=%2\n")
                                                        .arg(env.pgPort)
                                                        .arg(kPassword));
        const QString program = build.path() + "/app/wCartovia";
        writeFile(program,
                  QString("#!/bin/bash\n(exec 3<>/dev/tcp/127.0.0.1/%1) && (exec 3<>/dev/tcp/127.0.0.1/%2) "
                          "&& touch '%3'\n")
                      .arg(env.pgPort)
                      .arg(env.shopPort)
                      .arg(marker()));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ~RunCommand() override { env.run("down"); }

    static void writeFile(const QString& path, const QString& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    QString marker() const { return build.path() + "/servers-answered"; }

    DemoRun run(const QString& display) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("DISPLAY");
        if (!display.isEmpty())
            environment.insert("DISPLAY", display);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(sourcePath("scripts/run.sh"),
                      {build.path(), "--dir", env.dir, "--shop-port", QString::number(env.shopPort)});
        process.waitForFinished(180000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAll().toStdString()};
    }
    void expectServersStopped() {
        EXPECT_FALSE(Session(env.pgPort, "zel_mob").connected());
        EXPECT_THROW(httpGet(QString("http://127.0.0.1:%1/magazin-1/orders").arg(env.shopPort)),
                     std::runtime_error);
        EXPECT_TRUE(QFile::exists(env.dir + "/pg/PG_VERSION")) << "the demo data stays";
    }

    QTemporaryDir build;
    std::unique_ptr<QTemporaryDir> folder = makeDemoFolder();
    Environment env{folder->path() + "/demo", freePort(), freePort()};
};

TEST_F(RunCommand, startsTheProgramWithTheServersUpAndStopsThemWhenItEnds) {
    const DemoRun result = run(":99");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_TRUE(QFile::exists(marker())) << result.output;
    expectServersStopped();
}

TEST_F(RunCommand, saysPlainlyThatNoDisplayIsAvailable) {
    const DemoRun result = run("");
    EXPECT_NE(result.exitCode, 0);
    EXPECT_THAT(result.output,
                HasSubstr("No display available: start the program on a desktop session, or run it "
                          "under Xvfb (xvfb-run)"));
    EXPECT_FALSE(QFile::exists(marker()));
    expectServersStopped();
}

} // namespace
