// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialog.h"

namespace brevanto::platform {

class Platform;

// Reads the fields of a dialog that closed with OK, for its Edit logic, and
// collects what cannot be taken: each message names the field or is one the
// dialog has always shown. When there was any, Refused shows the messages and
// puts the cursor in the first such field for the next showing, where the
// texts are as the user typed them. Nothing is stored before all is read, so
// a refused dialog changes nothing.
class FieldReader {
public:
    // Strict: text that is not a number is refused with the conversion's
    // message and the field's label. Lenient: it reads as 0, for the checks
    // that follow to refuse. Either way a number too large for its type is
    // refused as such, and reads as 0.
    enum class Conversion { Strict, Lenient };

    explicit FieldReader(DialogSpec& dialog, Conversion conversion = Conversion::Strict)
        : dialog(dialog), conversion(conversion) {}

    int32_t Int(const std::string& id);
    float Float(const std::string& id);

    // Refuses the field with the message unless the condition holds or the
    // field is refused already; a message given twice is shown once.
    void Require(bool condition, const std::string& id, const std::string& message);

    const DialogSpec& Dialog() const { return dialog; }

    // Shows the messages, one after the other, and marks the first refused
    // field for the next showing; false when all was taken.
    bool Refused(Platform& platform);

private:
    std::string Label(const std::string& id) const;
    std::string TooLarge(const std::string& id) const;
    // Refuses a field whose text did not convert; `convert` is the strict
    // conversion, which raises with its message.
    void RefuseUnconverted(const std::string& id, bool fraction, const std::function<void()>& convert);

    DialogSpec& dialog;
    Conversion conversion;
    std::vector<std::string> refused;  // in the order found
    std::vector<std::string> messages;
};

}  // namespace brevanto::platform
