#pragma once

#include "core/Failure.h"

#include <QString>

namespace wc::test {

// The message of the failure that a call raises, or "<none>".
template <class F>
QString failureOf(F&& call) {
    try {
        call();
    } catch (const wc::Failure& failure) {
        return failure.message();
    }
    return QStringLiteral("<none>");
}

} // namespace wc::test
