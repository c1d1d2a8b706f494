#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace wc {

// The one failure type of the system: an error carrying one message text.
// Every layer (database, HTTP, storage, the system's own checks) raises it or a subclass;
// a failure that wraps another is raised with std::throw_with_nested.
class Failure : public std::exception {
public:
    explicit Failure(QString message);

    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

} // namespace wc

namespace wc {

// Raised only to end an action quietly; the error display shows nothing for it.
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace wc
