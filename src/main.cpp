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
    // "brevanto scene.brv" opens the scene, once the window has its size.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        QTimer::singleShot(0, &window, [&] {
            platform::ReportingErrors(platform, [&] { mainWindow.OpenSceneFile(arguments[1].toStdString()); });
        });
    return QApplication::exec();
}
