#include <clocale>

#include <QApplication>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindow.h"
#include "ui/Brevanto.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // QApplication adopts the user's locale for the C library too; number
    // texts must not change with it (the program's own conversions add the
    // user's decimal separator where it belongs).
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Brevanto 2.0"));

    platform::QtPlatform platform;
    platform::SetCurrentPlatform(&platform);
    platform::QtWindow window;
    TForm1 form(platform, window);
    window.Attach(form);
    window.showMaximized();
    const int exitCode = QApplication::exec();
    platform::SetCurrentPlatform(nullptr);
    return exitCode;
}
