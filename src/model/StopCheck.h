// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <chrono>
#include <functional>

namespace brevanto::model {

// Called on the calling thread between the steps of a loop, and at least
// every kStopCheckInterval while it waits for other threads: it stops the
// loop by throwing. A window uses it to answer its user while a computation
// runs; empty, the loop runs to its end.
using StopCheck = std::function<void()>;
inline constexpr std::chrono::milliseconds kStopCheckInterval{20};

}  // namespace brevanto::model
