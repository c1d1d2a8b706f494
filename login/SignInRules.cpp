#include "login/SignInRules.h"

#include <QCryptographicHash>

namespace login {

QString storedPasswordForm(const QString& pwHashType, const QString& password) {
    if (pwHashType != QLatin1String("HashSHA2"))
        return password;
    return QString::fromLatin1(
        QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QString jasProtocolFor(const QString& jasIp) {
    return jasIp.contains(QLatin1String("8080")) ? QStringLiteral("http") : QStringLiteral("https");
}

} // namespace login
