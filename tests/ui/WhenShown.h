#pragma once
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

// Acts on the next modal dialog once it is shown. Whatever the action does,
// the dialog is closed afterwards (with an unknown result), so a failing test
// cannot hang.
inline void WhenShown(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        act(*dialog);
        if (dialog->isVisible()) dialog->done(-1);
    });
}

// Clicks the button with this caption, mnemonic marks aside.
inline void Click(QDialog& dialog, const QString& caption) {
    for (auto* button : dialog.findChildren<QAbstractButton*>())
        if (QString(button->text()).remove(QLatin1Char('&')) == caption) button->click();
}
