#include <memory>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QtTest>

#include "model/ObjektGerade.h"
#include "model/Programvar.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindow.h"
#include "ui/Brevanto.h"
#include "WhenShown.h"

using namespace platform;

namespace {

// "caption=name" of every item, with the captions of the menus above it.
QStringList MenuPaths(const QList<QAction*>& actions, const QString& above = {}) {
    QStringList paths;
    for (const QAction* action : actions) {
        const QString path = above.isEmpty() ? action->text() : above + QLatin1String(" > ") + action->text();
        if (action->menu() != nullptr) paths << path << MenuPaths(action->menu()->actions(), path);
        else paths << path + QLatin1Char('=') + action->objectName();
    }
    return paths;
}

void SendMouse(QWidget& target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, target.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

}  // namespace

class QtWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        SetCurrentPlatform(&platform);
        window = std::make_unique<QtWindow>();
        form = std::make_unique<TForm1>(platform, *window);
        window->Attach(*form);
    }

    void cleanup() {
        form.reset();
        window.reset();
        SetCurrentPlatform(nullptr);
    }

    void menuTree() {
        const QStringList expected{
            "File",
            "File > New=Neu1",
            "File > Open=Load1",
            "File > Save=Save1",
            "File > Save as Picture=Speichern1",
            "File > Quit=Beenden1",
            "Scenery Objects",
            "Scenery Objects > Straight objects ",
            "Scenery Objects > Straight objects  > Lambert-like emitter =LambertscherStrahler1",
            "Scenery Objects > Straight objects  > Emitter of parallel light=ParallelerStrahler1",
            "Scenery Objects > Straight objects  > Mirror / Diffusor =ReflektorAbsorber1",
            "Scenery Objects > Straight objects  > Absorber=Absorber1",
            "Scenery Objects > Circular objects ",
            "Scenery Objects > Circular objects  > Lambert-like emitter =LambertscherStrahler2",
            "Scenery Objects > Circular objects  > Mirror / Diffusor =SpiegelDiffusor1",
            "Scenery Objects > Circular objects  > Absorber=Absorber2",
            "Scenery Objects > Sun=Sonne1",
            "Scenery Objects > Background Radiation=Hintergrundstrahlung1",
            "Edit",
            "Edit > Object Manager=Objektmanager1",
            "Graphical representation ",
            "Graphical representation  > Energy flow density",
            "Graphical representation  > Energy flow density > Arrows=Vektorpfeile1",
            "Graphical representation  > Energy flow density > Stream-lines=Stromlinien1",
            "Graphical representation  > Energy flow density > Single stream-line=EineStromlinie1",
            "Graphical representation  > Energy density",
            "Graphical representation  > Energy density > Circles=Kreise1",
            "Delete",
            "Delete > Graphical representation=Darstellungsformen1",
            "Delete > All objects in the scene=SzeneObjekte2",
            "&Parameters",
            "&Parameters > Arrows of energy flow density=Vektorpfeile2",
            "&Parameters > Stream-lines =Energieflussfeldlinien1",
            "&Parameters > Circles of energy density =Energiekreise1",
            "&Parameters > Resolution of the calculation =Auflsung1",
            "&Parameters > Iterations=Iterationen1",
            "&Parameters > Screen =Bildschirm1",
            "?",
            "? > Info=Info1",
        };
        QCOMPARE(MenuPaths(window->menuBar()->actions()), expected);
    }

    void menuCommandsReachTheForm() {
        window->findChild<QAction*>(QStringLiteral("LambertscherStrahler2"))->trigger();
        QCOMPARE(prgvar().zeichenmodus, "lambertkreis");

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->findChild<QAction*>(QStringLiteral("Beenden1"))->trigger();
        QVERIFY(!window->isVisible());
    }

    // The form asks for 10000 x 10000 pixels to get the largest drawing area;
    // the window must grant only what the screen has room for.
    void drawingAreaFillsTheScreen() {
        const QSize screen = window->screen()->availableGeometry().size();
        const int menuHeight = window->menuBar()->sizeHint().height();
        QCOMPARE(window->ClientWidth(), screen.width());
        QCOMPARE(window->ClientHeight(), screen.height() - menuHeight);
        QCOMPARE(form->Picture().Width(), window->ClientWidth());
        QCOMPARE(form->Picture().Height(), window->ClientHeight());
        QCOMPARE(prgvar().breite, window->ClientWidth());
        QCOMPARE(prgvar().hoehe, window->ClientHeight());

        // Once the window is shown its frame counts too, and the largest
        // drawing area is what the maximised window has inside.
        window->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->SetClientWidth(10000);
        window->SetClientHeight(10000);
        QCOMPARE(window->DrawingArea().size(), QSize(window->ClientWidth(), window->ClientHeight()));
    }

    void smallerDrawingArea() {
        window->SetClientWidth(300);
        window->SetClientHeight(200);
        QCOMPARE(window->ClientWidth(), 300);
        QCOMPARE(window->ClientHeight(), 200);
        QCOMPARE(window->DrawingArea().Surface().size(), QSize(300, 200));
        window->SetClientWidth(-5);
        QCOMPARE(window->ClientWidth(), 0);
        QCOMPARE(window->ClientHeight(), 200);
    }

    void startsWithTheEmptySceneInTheWindowColour() {
        QCOMPARE(window->Color(), kButtonFaceColour);  // a system colour stays a reference
        const QImage& surface = window->DrawingArea().Surface();
        const QColor buttonFace = QApplication::palette().color(QPalette::Window);
        QCOMPARE(QColor(surface.pixel(0, 0)), buttonFace);
        QCOMPARE(QColor(surface.pixel(surface.width() - 1, surface.height() - 1)), buttonFace);
    }

    void withoutBorderIcons() {
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testAnyFlags(Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint));
    }

    void mouseMoveShowsThePosition() {
        window->SetCaption(prgvar().titel);
        SendMouse(window->DrawingArea(), QEvent::MouseMove, {120, 45}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(window->Caption(), "Brevanto 2.0 (X=120,Y=45)");
        QCOMPARE(window->windowTitle(), QStringLiteral("Brevanto 2.0 (X=120,Y=45)"));
    }

    void dragDrawsAnObjectAndOpensItsDialog() {
        window->findChild<QAction*>(QStringLiteral("LambertscherStrahler1"))->trigger();
        QtDrawingArea& area = window->DrawingArea();

        // The right button neither adds an object nor opens a dialog.
        bool dialogAfterRight = false;
        WhenShown([&](QDialog&) { dialogAfterRight = true; });
        SendMouse(area, QEvent::MouseButtonPress, {50, 50}, Qt::RightButton, Qt::RightButton);
        SendMouse(area, QEvent::MouseButtonRelease, {50, 50}, Qt::RightButton, Qt::NoButton);
        QCoreApplication::processEvents();
        QCOMPARE(form->SceneList().size(), size_t{1});
        QVERIFY(!dialogAfterRight);

        SendMouse(area, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
        SendMouse(area, QEvent::MouseMove, {200, 150}, Qt::NoButton, Qt::LeftButton);
        QString dialogShown;
        WhenShown([&](QDialog& dialog) {
            dialogShown = dialog.windowTitle();
            dialog.done(int(ModalResult::Cancel));
        });
        SendMouse(area, QEvent::MouseButtonRelease, {200, 150}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!dialogShown.isEmpty());
        QCOMPARE(form->SceneList().size(), size_t{2});
        const auto* drawn = dynamic_cast<const TObjektGerade*>(&form->SceneList().Tail());
        QVERIFY(drawn != nullptr);
        QCOMPARE(QRect(QPoint(drawn->x1, drawn->y1), QPoint(drawn->x2, drawn->y2)), QRect(QPoint(100, 100), QPoint(200, 150)));
    }

private:
    QtPlatform platform;
    std::unique_ptr<QtWindow> window;
    std::unique_ptr<TForm1> form;
};

QTEST_MAIN(QtWindowTest)
#include "QtWindowTest.moc"
