#include "core/Idle.h"

#include <utility>

namespace wc {
namespace {
std::function<void()>& hookSlot() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void setIdleHook(std::function<void()> hook) { hookSlot() = std::move(hook); }

void idle() {
    if (auto& hook = hookSlot())
        hook();
}

} // namespace wc
