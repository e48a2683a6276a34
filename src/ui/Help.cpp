#include "ui/Help.h"

void HelpDialog(platform::Platform& platform) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Help",
        {Control::Label("Brevanto", 16),
         Control::Label("Modes: \"Edit\" > \"Select\" (Esc) at start and after every display; an object kind under\r"
                        "\"Scenery Objects\"; \"Single stream-line\". The line below the picture names the mode."),
         Control::Label("Drawing: press where the object begins (a circle's centre), drag to its end (a point of\r"
                        "the circle) and release; the dialog sets strength, colour and exact values. Cancel\r"
                        "takes the new object back."),
         Control::Label("Selecting: a click near an object selects it and shows its handles. Drag a handle to move\r"
                        "that point, or the object to move it whole; a double click opens its dialog; Delete\r"
                        "removes it. The background radiation stays."),
         Control::Label("Shortcuts: Ctrl+N New, Ctrl+O Open, Ctrl+S Save, Ctrl+Shift+S Save As, Ctrl+Q Quit,\r"
                        "Ctrl+Z Undo, Ctrl+Shift+Z or Ctrl+Y Redo, Delete, Esc Select, F1 this help."),
         Control::Button("OK", platform::ModalResult::OK, true)}};
    platform.ShowModal(dialog);
}
