// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Help.h"

#include "platform/Dialog.h"
#include "platform/Platform.h"

namespace brevanto::ui {

void HelpDialog(platform::Platform& platform) {
    using platform::Control;
    static platform::DialogSpec dialog{
        "Help",
        {Control::Label("Brevanto", 16),
         Control::Label(
             "Modes: \"Edit\" > \"Select\" (Esc) at start and after every display; an object kind under\r"
             "\"Scenery Objects\"; \"Single stream-line\"; \"Measure\" (M). The line below the picture names\r"
             "the mode."),
         Control::Label("Measuring: in the mode \"Measure\" a click shows in the light meter's panel the flow\r"
                        "density F, the energy density E, |F|/E (1 for one beam, 0 for light from all sides) and the\r"
                        "light arriving per direction. \"Diffuseness\" and \"Energy density map\" colour the picture;\r"
                        "\"Parameters\" > \"Energy balance\" tells where the power goes; \"?\" > \"Verification\"\r"
                        "compares the computation with exact answers."),
         Control::Label("Drawing: press where the object begins (a circle's centre), drag to its end (a point of\r"
                        "the circle) and release; the dialog sets strength, colour and exact values. Cancel\r"
                        "takes the new object back."),
         Control::Label("Selecting: a click near an object selects it and shows its handles. Drag a handle to move\r"
                        "that point, or the object to move it whole; the arrow keys move it by a pixel (with Shift\r"
                        "by ten); a double click opens its dialog; Delete removes it. The background radiation stays.\r"
                        "Shift+click or a rectangle dragged open selects several, which move and copy together.\r"
                        "A display shown follows the drag (\"Graphical representation \" > \"Live update\")."),
         Control::Label("Snapping: a dragged point lands on a nearby end point, centre or wall, marked by a\r"
                        "circle; Alt or \"Edit\" > \"Snap to Objects\" turns it off. Shift turns a straight object\r"
                        "in steps of 15 degrees."),
         Control::Label("Shortcuts: Ctrl+N New, Ctrl+O Open, Ctrl+S Save, Ctrl+Shift+S Save As, Ctrl+Q Quit,\r"
                        "Ctrl+Z Undo, Ctrl+Shift+Z or Ctrl+Y Redo, Ctrl+X Cut, Ctrl+C Copy, Ctrl+V Paste,\r"
                        "Ctrl+D Duplicate, Ctrl+A Select All, Delete, Esc Select, M Measure, F1 this help.\r"
                        "View: Ctrl+plus, Ctrl+minus, Ctrl+0 fit, Ctrl+wheel zoom; middle button or Space+drag move."),
         Control::Button("OK", platform::ModalResult::OK, true)}};
    platform.ShowModal(dialog);
}

}  // namespace brevanto::ui
