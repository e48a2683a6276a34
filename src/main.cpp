// SPDX-License-Identifier: GPL-3.0-or-later
#include <clocale>
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QTimer>

#include "model/ProgramVersion.h"
#include "platform/Errors.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindow.h"
#include "ui/MainWindow.h"

using namespace brevanto;
using namespace brevanto::ui;
using namespace brevanto::model;

int main(int argc, char* argv[]) {
    // Answered before Qt starts, so that it needs no screen.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("brevanto (Brevanto) %s\n%s\n", kProgramVersion, kLicenceNotice);
        return 0;
    }
    QApplication application(argc, argv);
    // QApplication adopts the user's locale for the C library too; number
    // texts must not change with it (the program's own conversions add the
    // user's decimal separator where it belongs).
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Brevanto ") + QString::fromLatin1(kProgramVersion));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
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
