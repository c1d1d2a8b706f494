#pragma once

#include <QString>

// Rules of the sign-in that need neither a window nor a database.
namespace login {

// The password as the company's ERP stores it: the exact hash type "HashSHA2" means the
// lowercase hex SHA-256 of the password's UTF-8 bytes (an empty password included); any
// other type means the password as typed.
QString storedPasswordForm(const QString& pwHashType, const QString& password);

// "http" when the report server's address contains "8080" anywhere, otherwise "https".
QString jasProtocolFor(const QString& jasIp);

} // namespace login
