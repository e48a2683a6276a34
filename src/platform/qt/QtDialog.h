// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

#include <QDialog>

class QButtonGroup;
class QPushButton;
class QTreeWidget;

#include "platform/Dialog.h"

namespace brevanto::platform {

// A modal dialog built from its description: the controls from top to
// bottom, each beside the one before it when it asks to be. The size is
// fixed and there is no close box, so a button ends the dialog.
class QtDialog : public QDialog {
    Q_OBJECT

public:
    QtDialog(const DialogSpec& spec, QWidget* parent = nullptr);

    // Copies what the user changed into the description it was built from.
    void WriteBack(DialogSpec& spec) const;

protected:
    // Escape acts as the Cancel button; in a dialog that only informs (no
    // Cancel button) as its default button.
    void reject() override;

private:
    // The widget of a control of any kind, made the dialog's child.
    QWidget* CreateWidget(const Control& control);
    // A list that may end the dialog on a double click or report each choice.
    QTreeWidget* CreateChoiceList(const Control& control);
    QPushButton* CreateButton(const Control& control);

    std::vector<QWidget*> widgets;  // one per control, in the description's order
    ModalResult escapeResult = ModalResult::None;
    QButtonGroup* radios = nullptr;  // all radio buttons of a dialog are one group
};

}  // namespace brevanto::platform
