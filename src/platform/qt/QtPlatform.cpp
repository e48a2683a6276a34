// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtPlatform.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

#include "platform/Conversions.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/QtDialog.h"

namespace brevanto::platform {

namespace {

std::optional<std::string> Chosen(const QString& fileName) {
    if (fileName.isEmpty()) return std::nullopt;
    return fileName.toStdString();
}

// Drops the keys and their shortcuts while it is installed.
class KeysDropped : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut: return true;
            default: return QObject::eventFilter(watched, event);
        }
    }
};

}  // namespace

QtPlatform::QtPlatform() {
    const QString point = QLocale::system().decimalPoint();
    SetDecimalSeparator(point.size() == 1 && point[0].unicode() < 0x80 ? point[0].toLatin1() : '.');
}

// Dialogs belong to the window in front, usually the main window; never to a
// progress window whose pass has ended.
QWidget* QtPlatform::DialogParent() {
    progress.HideIfClosed();
    return QApplication::activeWindow();
}

ModalResult QtPlatform::ShowModal(DialogSpec& dialog) {
    QtDialog shown(dialog, DialogParent());
    dialog.focus.clear();
    const int result = shown.exec();
    // Like a dialog that is only hidden, the controls keep what the user
    // typed even when it closes with Cancel.
    shown.WriteBack(dialog);
    return static_cast<ModalResult>(result);
}

void QtPlatform::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), WithLineBreaks(text), QMessageBox::Ok,
                    DialogParent());
    box.exec();
}

bool QtPlatform::AskYesNo(const std::string& question) {
    return QMessageBox::question(DialogParent(), QApplication::applicationName(), WithLineBreaks(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtPlatform::OpenFileName(const std::string& filter, const std::string& folder) {
    return Chosen(
        QFileDialog::getOpenFileName(DialogParent(), {}, QString::fromStdString(folder), ToQtFileFilter(filter)));
}

std::optional<ChosenFile> QtPlatform::SaveFileName(const std::string& filter, const std::string& suggested) {
    const QString qtFilter = ToQtFileFilter(filter);
    QString selected;
    const std::optional<std::string> name = Chosen(QFileDialog::getSaveFileName(
        DialogParent(), {}, QString::fromStdString(suggested), qtFilter, &selected, QFileDialog::DontConfirmOverwrite));
    if (!name) return std::nullopt;
    const auto types = qtFilter.split(QStringLiteral(";;"));
    return ChosenFile{*name, static_cast<size_t>(std::max<qsizetype>(0, types.indexOf(selected)))};
}

std::unique_ptr<Bitmap> QtPlatform::CreateBitmap(int width, int height) {
    return std::make_unique<QtBitmap>(width, height);
}

namespace {
const QString kRecentFiles = QStringLiteral("recentFiles");
}  // namespace

std::vector<std::string> QtPlatform::RecentFiles() {
    std::vector<std::string> files;
    for (const QString& file : QSettings().value(kRecentFiles).toStringList()) files.push_back(file.toStdString());
    return files;
}

void QtPlatform::SetRecentFiles(const std::vector<std::string>& files) {
    QStringList list;
    for (const std::string& file : files) list << QString::fromStdString(file);
    QSettings().setValue(kRecentFiles, list);
}

std::string QtPlatform::DataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
}

std::string QtPlatform::ClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }

void QtPlatform::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

// A key would start a command in the middle of the computation that lets the
// events through; a mouse move only tells where the drag has got to.
void QtPlatform::LetEventsThrough() {
    KeysDropped filter;
    QCoreApplication::instance()->installEventFilter(&filter);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&filter);
}

}  // namespace brevanto::platform
