#include <clocale>

#include <QApplication>
#include <QTimer>

#include "platform/Errors.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindow.h"
#include "ui/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // QApplication adopts the user's locale for the C library too; number
    // texts must not change with it (the program's own conversions add the
    // user's decimal separator where it belongs).
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Brevanto 2.0"));
    QApplication::setOrganizationName(QStringLiteral("Brevanto"));

    platform::QtPlatform platform;
    platform::QtWindow window;
    MainWindow mainWindow(platform, window);
    window.showMaximized();
    // Without a window manager nothing else gives the window the keyboard.
    window.activateWindow();
    // Once the window has its size: the scene a crash left unsaved, if the
    // user takes it; otherwise "brevanto scene.brv" opens the scene.
    const QStringList arguments = QApplication::arguments();
    QTimer::singleShot(0, &window, [&] {
        platform::ReportingErrors(platform, [&] {
            if (!mainWindow.RestoreAbandonedScene() && arguments.size() > 1)
                mainWindow.OpenSceneFile(arguments[1].toStdString());
        });
    });
    return QApplication::exec();
}
