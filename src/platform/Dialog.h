// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/Colour.h"

namespace brevanto::platform {

// What a modal dialog or message box closed with.
enum class ModalResult { None = 0, OK = 1, Cancel = 2, Yes = 6, No = 7, Delete = 100, Edit = 101, Quit = 102 };

// One control of a dialog. The owning unit reads and writes the values; the
// platform shows them and writes back what the user changed.
struct Control {
    enum class Kind { Label, Edit, Combo, Radio, ListBox, Button };

    Kind kind = Kind::Label;
    std::string id;                          // how the owning unit finds the control
    std::string caption;                     // label, radio or button text; for an edit its label
    std::string text;                        // edit text; for a combo the text shown while no entry is chosen
    std::vector<std::string> items;          // combo and list-box lines
    int selected = -1;                       // combo and list box; -1 for none
    bool checked = false;                    // radio button
    ModalResult result = ModalResult::None;  // button, and list-box double click
    bool isDefault = false;                  // button
    bool sameRow = false;                    // placed beside the control before it
    bool below = false;                      // placed below the control before it, in its column
    int fontHeight = 0;                      // label font height in pixels, 0 for the usual
    // A list box's second column, one text per line (none: one column), and
    // a colour swatch before each line (none: no swatches).
    std::vector<std::string> details;
    std::vector<TColor> swatches;
    // A list box: told the line the user chooses while the dialog is open.
    std::function<void(int)> onChoose;

    static Control Label(std::string caption, int fontHeight = 0);
    static Control Edit(std::string id, std::string caption, bool sameRow = false);
    static Control Combo(std::string id, std::string caption, std::vector<std::string> items, std::string text);
    static Control Radio(std::string id, std::string caption, bool checked);
    static Control ListBox(std::string id, ModalResult doubleClickResult);
    static Control Button(std::string caption, ModalResult result, bool isDefault = false);
    // "Cancel" beside the button before it: closes with Cancel, as Escape does.
    static Control CancelButton();
    // The same control, placed beside the one before it.
    Control Beside() const;
    // The same control, placed below the one before it, in that one's column
    // (a column of buttons beside a list, say).
    Control Below() const;
};

// A dialog as data: a unit keeps one of these for the whole run, so the
// values last shown stay in it between showings.
struct DialogSpec {
    std::string caption;
    std::vector<Control> controls;
    int clientWidth = 0;  // 0: as the controls need
    int clientHeight = 0;
    // The control that takes the keyboard focus, its text selected, at the
    // next showing (a field the user has to correct); empty for the first.
    // Showing the dialog clears it.
    std::string focus{};

    Control& operator[](const std::string& id);
    const Control& operator[](const std::string& id) const;
};

}  // namespace brevanto::platform
