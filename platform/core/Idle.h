#pragma once

#include <functional>

namespace wc {

// Called by the network layers while they wait for a server, so that the windows can
// repaint during a blocking call. The application installs a hook that processes
// pending events except user input; without a hook waiting does nothing else.
void setIdleHook(std::function<void()> hook);
void idle();

// How often the network layers wake up to call idle() while waiting.
inline constexpr int kIdleSliceMs = 50;

} // namespace wc
