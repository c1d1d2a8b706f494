#include "memtable/AppDataFolder.h"

#include <QDir>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shlobj.h>
#endif

namespace wc::mem {

QString roamingAppDataFolder() {
#ifdef Q_OS_WIN
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return QString::fromWCharArray(path);
#else
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configHome.isEmpty())
        return configHome;
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QString() : home + QStringLiteral("/.config");
#endif
}

QString rememberedLoginPath(const QString& folder) {
    static const QString fileName = QStringLiteral("ZelPelti.json");
    if (folder.isEmpty())
        return fileName;
    const QChar last = folder.back();
    const bool endsInSeparator = last == QLatin1Char('/') || last == QDir::separator();
    return endsInSeparator ? folder + fileName : folder + QDir::separator() + fileName;
}

} // namespace wc::mem
