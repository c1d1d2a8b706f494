#include "LoginTable.h"

#include "core/Failure.h"
#include "memtable/StorageWriter.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace wc::mem {
namespace {

using test::dataFile;
using test::loginTable;
using test::loginTableWithRow;

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.message();
    }
    return QStringLiteral("(no failure)");
}

class StorageFile : public ::testing::Test {
protected:
    QString path(const QString& relative) const { return dir_.filePath(relative); }

    QTemporaryDir dir_;
};

TEST_F(StorageFile, replacesTheWholeEarlierContent) {
    const QString file = path(QStringLiteral("ZelPelti.json"));
    writeFile(file, QByteArray(5000, ' '));
    const auto table = loginTableWithRow(QStringLiteral("Alfa"), QStringLiteral("ion"));
    table->saveToFile(file);
    EXPECT_EQ(contentOf(file), storageBytes(*table));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ZelPelti.json"})
        << "no temporary file is left behind";
}

TEST_F(StorageFile, roundTripsThroughTheFile) {
    const QString file = path(QStringLiteral("ZelPelti.json"));
    loginTableWithRow(QStringLiteral("\u0218tef\u0103nescu & Fiii \"S.R.L.\""), std::nullopt)
        ->saveToFile(file);
    auto table = loginTable();
    table->loadFromFile(file);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->value(0), QStringLiteral("\u0218tef\u0103nescu & Fiii \"S.R.L.\""));
    EXPECT_EQ(table->value(1), std::nullopt);
}

TEST_F(StorageFile, cutsLoadedValuesToTheFieldSize) {
    const QString file = path(QStringLiteral("long.json"));
    QByteArray bytes = dataFile(QStringLiteral("login_one_row.json"));
    bytes.replace(R"("username":"ion")", R"("username":")" + QByteArray(300, 'u') + '"');
    writeFile(file, bytes);
    auto table = loginTable();
    table->loadFromFile(file);
    EXPECT_EQ(table->value(1), QString(200, QLatin1Char('u')));
}

struct UnwritableCase {
    const char* name;
    QString (*prepare)(const QTemporaryDir& dir); // returns the path to write
};

class RefusesUnwritablePlaces : public StorageFile, public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(RefusesUnwritablePlaces, withTheFileLayersMessage) {
    const QString target = GetParam().prepare(dir_);
    const auto table = loginTableWithRow(QStringLiteral("Alfa"), QStringLiteral("ion"));
    const QString message = failureOf([&] { table->saveToFile(target); });
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("Cannot create file \"%1\". ").arg(QDir::toNativeSeparators(target))))
        << message.toStdString();
    EXPECT_GT(message.size(), QStringLiteral("Cannot create file \"%1\". ").arg(target).size())
        << "gives the reason";
    EXPECT_FALSE(QFileInfo(target).isFile());
}

INSTANTIATE_TEST_SUITE_P(StorageFile, RefusesUnwritablePlaces,
                         ::testing::Values(UnwritableCase{"missingFolder",
                                                          [](const QTemporaryDir& dir) {
                                                              return dir.filePath("missing/ZelPelti.json");
                                                          }},
                                           UnwritableCase{"folderIsAFile",
                                                          [](const QTemporaryDir& dir) {
                                                              writeFile(dir.filePath("plain"), "x");
                                                              return dir.filePath("plain/ZelPelti.json");
                                                          }},
                                           UnwritableCase{"targetIsAFolder",
                                                          [](const QTemporaryDir& dir) {
                                                              QDir(dir.path()).mkdir("ZelPelti.json");
                                                              return dir.filePath("ZelPelti.json");
                                                          }}),
                         [](const auto& info) { return info.param.name; });

TEST_F(StorageFile, leavesTheEarlierFileInAReadOnlyFolder) {
    const QString folder = path(QStringLiteral("readonly"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("readonly")));
    const QString file = folder + QStringLiteral("/ZelPelti.json");
    writeFile(file, "earlier");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool stillWritable = QFileInfo(folder).isWritable();
    if (stillWritable) {
        QFile::setPermissions(folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    const QString message =
        failureOf([&] { loginTableWithRow(QStringLiteral("Alfa"), std::nullopt)->saveToFile(file); });
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file"))) << message.toStdString();
    EXPECT_EQ(contentOf(file), QByteArray("earlier"));
}

#ifdef Q_OS_UNIX
// A write that fails half-way (here: the file size limit is reached) must not touch the earlier
// file, which a write in place would already have emptied. This holds even for a superuser.
TEST_F(StorageFile, leavesTheEarlierFileWhenTheWriteFailsHalfWay) {
    const QString file = path(QStringLiteral("ZelPelti.json"));
    const QByteArray earlier = dataFile(QStringLiteral("login_one_row.json"));
    writeFile(file, earlier);
    const auto table = loginTableWithRow(QStringLiteral("Beta"), QStringLiteral("ana"));

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const QString message = failureOf([&] { table->saveToFile(file); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot write file \"%1\". ").arg(file)))
        << message.toStdString();
    EXPECT_EQ(contentOf(file), earlier);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ZelPelti.json"});
}
#endif

TEST_F(StorageFile, failsToLoadAMissingFileWithTheFileLayersMessage) {
    const QString file = path(QStringLiteral("ZelPelti.json"));
    auto table = loginTableWithRow(QStringLiteral("earlier"), QStringLiteral("ion"));
    const QString message = failureOf([&] { table->loadFromFile(file); });
    EXPECT_EQ(message, QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(file));
    EXPECT_FALSE(table->isOpen());
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(StorageFile, leavesTheTableClosedAndEmptyAfterAFailedLoad) {
    const QString file = path(QStringLiteral("ZelPelti.json"));
    writeFile(file, dataFile(QStringLiteral("login_one_row.json")).chopped(10));
    auto table = loginTableWithRow(QStringLiteral("earlier"), QStringLiteral("ion"));
    table->edit();
    const QString message = failureOf([&] { table->loadFromFile(file); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("Invalid JSON storage format at position ")))
        << message.toStdString();
    EXPECT_FALSE(table->isOpen());
    EXPECT_EQ(table->state(), TableState::Inactive);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(table->currentRow(), -1);
    table->open();
    EXPECT_EQ(table->rowCount(), 0) << "no earlier row reappears";
}

} // namespace
} // namespace wc::mem
