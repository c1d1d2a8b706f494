#include "LoginTable.h"

#include "memtable/AppDataFolder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wc::mem {
namespace {

struct PathCase {
    const char* name;
    QString folder;
    QString path;
};

class JoinsTheRememberedLoginPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(JoinsTheRememberedLoginPath, withOneSeparator) {
    EXPECT_EQ(rememberedLoginPath(GetParam().folder), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(AppDataFolder, JoinsTheRememberedLoginPath,
                         ::testing::Values(PathCase{"plainFolder", "/home/ion/.config",
                                                    "/home/ion/.config/ZelPelti.json"},
                                           PathCase{"folderEndingInASeparator", "/home/ion/.config/",
                                                    "/home/ion/.config/ZelPelti.json"},
                                           PathCase{"root", "/", "/ZelPelti.json"},
                                           PathCase{"noFolderMeansTheCurrentDirectory", "", "ZelPelti.json"}),
                         [](const auto& info) { return info.param.name; });

#ifndef Q_OS_WIN
// Restores the variables a test changes.
class RoamingFolder : public ::testing::Test {
protected:
    void TearDown() override {
        restore("XDG_CONFIG_HOME", xdg_);
        restore("HOME", home_);
    }
    static void restore(const char* name, const std::optional<QByteArray>& value) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    static std::optional<QByteArray> saved(const char* name) {
        return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    }

    std::optional<QByteArray> xdg_ = saved("XDG_CONFIG_HOME");
    std::optional<QByteArray> home_ = saved("HOME");
};

TEST_F(RoamingFolder, followsXdgConfigHome) {
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(roamingAppDataFolder(), QStringLiteral("/tmp/cfg"));
}

TEST_F(RoamingFolder, fallsBackToTheHomeConfigFolder) {
    qputenv("HOME", "/home/ion");
    for (const bool setButEmpty : {false, true}) {
        if (setButEmpty)
            qputenv("XDG_CONFIG_HOME", "");
        else
            qunsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(roamingAppDataFolder(), QStringLiteral("/home/ion/.config")) << setButEmpty;
    }
}

TEST_F(RoamingFolder, reportsNoFolderWithoutAHome) {
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    EXPECT_EQ(rememberedLoginPath(roamingAppDataFolder()), QStringLiteral("ZelPelti.json"));
}

TEST_F(RoamingFolder, remembersTheLoginInTheRedirectedFolder) {
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    const QString file = rememberedLoginPath(roamingAppDataFolder());
    test::loginTableWithRow(QStringLiteral("Alfa"), QStringLiteral("ion"))->saveToFile(file);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("ZelPelti.json"))));
}
#endif

} // namespace
} // namespace wc::mem
