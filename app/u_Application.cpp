#include "app/u_Application.h"

#include "core/Failure.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

namespace app {
namespace {

QString& titleSlot() {
    static QString title;
    return title;
}

std::function<void(const QString&)>& sinkSlot() {
    static std::function<void(const QString&)> sink;
    return sink;
}

QString messageOf(const std::exception& e) {
    if (const auto* failure = dynamic_cast<const wc::Failure*>(&e))
        return failure->message();
    return QString::fromUtf8(e.what());
}

// Messages of a failure and the failures it wraps, outermost first.
void collect(const std::exception_ptr& failure, QStringList& messages) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        messages << messageOf(e);
        if (const auto* nested = dynamic_cast<const std::nested_exception*>(&e); nested && nested->nested_ptr())
            collect(nested->nested_ptr(), messages);
    } catch (...) {
        messages << QStringLiteral("Unknown failure");
    }
}

} // namespace

QString deriveTitle(const QString& executablePath, QChar separator) {
    QString name = executablePath.mid(executablePath.lastIndexOf(separator) + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return name.left(1) + name.mid(1).toLower();
}

const QString& applicationTitle() { return titleSlot(); }
void setApplicationTitle(const QString& title) { titleSlot() = title; }

QString withFullStop(const QString& text) {
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}

bool isQuietAbort(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const wc::Abort&) {
        return true;
    } catch (...) {
        return false;
    }
}

QString failureText(const std::exception_ptr& failure) {
    if (isQuietAbort(failure))
        return {};
    QStringList messages;
    collect(failure, messages);
    const QString innermost = messages.back();
    return withFullStop(innermost.isEmpty() ? messages.join(QLatin1Char('\n')) : innermost);
}

void showFailure(const std::exception_ptr& failure) {
    if (isQuietAbort(failure))
        return;
    const QString text = failureText(failure);
    if (auto& sink = sinkSlot()) {
        sink(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void setFailureSink(std::function<void(const QString&)> sink) { sinkSlot() = std::move(sink); }

BusyCursor::BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
BusyCursor::~BusyCursor() { QApplication::restoreOverrideCursor(); }

} // namespace app
