// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <stdexcept>
#include <string>

namespace brevanto::platform {

// Raised by the strict number conversions for text that is not a number. It
// ends the operation in which it is raised; the user sees its message.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when a file cannot be read or written.
class InOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace brevanto::platform

#include <new>

#include "platform/Platform.h"

namespace brevanto::platform {

// The program's default error handling: an operation that raises an error
// ends, the user sees its message, and the program goes on.
template <class Action>
void ReportingErrors(Platform& platform, Action&& action) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        platform.ShowMessage("There is not enough memory for this operation.");
    } catch (const std::exception& error) {
        platform.ShowMessage(error.what());
    }
}

}  // namespace brevanto::platform
