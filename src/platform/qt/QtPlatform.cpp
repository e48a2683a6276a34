#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>

#include "platform/Conversions.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/QtDialog.h"

namespace platform {

namespace {

std::optional<std::string> Chosen(const QString& fileName) {
    if (fileName.isEmpty()) return std::nullopt;
    return fileName.toStdString();
}

}  // namespace

QtPlatform::QtPlatform() {
    const QString point = QLocale::system().decimalPoint();
    SetDecimalSeparator(point.size() == 1 && point[0].unicode() < 0x80 ? point[0].toLatin1() : '.');
}

// Dialogs belong to the window in front, usually the main window.
ModalResult QtPlatform::ShowModal(DialogSpec& dialog) {
    QtDialog shown(dialog, QApplication::activeWindow());
    const int result = shown.exec();
    // Like a dialog that is only hidden, the controls keep what the user
    // typed even when it closes with Cancel.
    shown.WriteBack(dialog);
    return static_cast<ModalResult>(result);
}

void QtPlatform::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), WithLineBreaks(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool QtPlatform::AskYesNo(const std::string& question) {
    return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(),
                                 WithLineBreaks(question), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtPlatform::OpenFileName(const std::string& filter) {
    return Chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), {}, {}, ToQtFileFilter(filter)));
}

// Qt's save dialog asks before it replaces an existing file.
std::optional<std::string> QtPlatform::SaveFileName(const std::string& filter) {
    return Chosen(QFileDialog::getSaveFileName(QApplication::activeWindow(), {}, {}, ToQtFileFilter(filter)));
}

std::unique_ptr<Bitmap> QtPlatform::CreateBitmap(int width, int height) {
    return std::make_unique<QtBitmap>(width, height);
}

}  // namespace platform
