#pragma once

// The few socket facilities that differ between Windows and the rest.
#include <QString>

namespace wc::db::net {

// The first IPv4 address of a host name, as dotted text; throws DbError when it has none.
QString resolveIPv4(const QString& host);

enum class WaitFor { Read, Write };
// Waits up to timeoutMs for the socket; returns true when it is ready.
bool waitSocket(int socket, WaitFor what, int timeoutMs);

} // namespace wc::db::net
