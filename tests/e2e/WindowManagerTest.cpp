// SPDX-License-Identifier: GPL-3.0-or-later
// The program in a real window on an X server with a window manager
// (tests/e2e/under-openbox.sh): the window manager decides the window's
// frame and size, the mouse is moved by the X server (xdotool), and the
// dialogs are answered as they come up.
#include <cmath>
#include <functional>
#include <optional>

#include <QtTest>
#include <QtWidgets>

#include "files/SceneFile.h"
#include "model/ObjektGerade.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegelKreis.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtLightMeter.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtProgressWindow.h"
#include "platform/qt/QtWindow.h"
#include "ui/MainWindow.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;
using namespace brevanto::display;
using namespace brevanto::files;
using namespace brevanto::ui;

using namespace brevanto::platform;

namespace {

// Answers the modal dialogs and message boxes as they come up, in order,
// and writes down the texts of the message boxes; a question is answered
// Yes, any other message box accepted. An answer that did not
// close its dialog (a file dialog still reading its folder, say) is given
// again at the next look.
class DialogAnswerer : public QObject {
public:
    DialogAnswerer() {
        connect(&timer, &QTimer::timeout, this, [this] { AnswerNext(); });
        timer.start(50);
    }

    void Then(std::function<void(QDialog&)> answer) { answers.push_back(std::move(answer)); }
    bool Done() const { return answers.empty() && !current; }
    QStringList messages;
    QStringList shown;  // the titles of the dialogs answered from the list

private:
    void AnswerNext() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        if (dialog != current) {
            current = dialog;
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                messages << box->text();
                currentAnswer = [](QDialog& shown) {
                    if (QAbstractButton* yes = static_cast<QMessageBox&>(shown).button(QMessageBox::Yes))
                        return yes->click();
                    shown.accept();
                };
            } else if (answers.empty()) {
                currentAnswer = [](QDialog& shown) { shown.done(QDialog::Rejected); };
            } else {
                currentAnswer = std::move(answers.front());
                answers.pop_front();
            }
            shown << dialog->windowTitle();
        }
        currentAnswer(*dialog);
    }

    QTimer timer;
    std::list<std::function<void(QDialog&)>> answers;
    QPointer<QDialog> current;
    std::function<void(QDialog&)> currentAnswer;
};

void PressOk(QDialog& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == QLatin1String("OK")) return button->click();
}

// Types the whole path as the file's name. Whatever the folder view has
// selected meanwhile (it fills while the dialog shows) would count first.
void ChooseFile(const QString& path, QDialog& dialog) {
    auto* chooser = qobject_cast<QFileDialog*>(&dialog);
    QVERIFY2(chooser != nullptr, qPrintable("a file dialog instead of " + dialog.windowTitle()));
    for (QAbstractItemView* view : chooser->findChildren<QAbstractItemView*>()) view->clearSelection();
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name != nullptr);
    name->setText(path);
    QMetaObject::invokeMethod(chooser, "accept");
}

// Runs xdotool with the arguments; the X server passes what it does to the
// program like a user's input.
void XdoTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    QVERIFY2(tool.waitForFinished(5000), "xdotool did not finish");
    QCOMPARE(tool.exitCode(), 0);
}

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // Without a real X server this test proves nothing; it must not pass.
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        window.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The window manager fits the window to the screen after it is shown.
        QTRY_COMPARE_WITH_TIMEOUT(Area().size(), QSize(SceneSize()), 5000);
    }

    // Regression test: the settings took the window's size before the window
    // was shown, when no title bar counted yet, so the bottom rows of the
    // picture were never visible and a saved scene did not open again.
    void pictureAndSettingsTakeTheDrawingAreasRealSize() {
        QCOMPARE(QSize(window.ClientWidth(), window.ClientHeight()), Area().size());
        QCOMPARE(form.Picture().Width(), Area().width());
        QCOMPARE(form.Picture().Height(), Area().height());
        QVERIFY(Area().mapTo(&window, QPoint(0, Area().height())).y() <= window.height());
    }

    void savedSceneOpensAgainOnTheSameScreen() {
        const QString path = folder.filePath(QStringLiteral("empty.brv"));
        answerer.Then([&](QDialog& dialog) { ChooseFile(path, dialog); });
        Trigger("Save1");
        const std::string saved = SceneText();
        answerer.Then([&](QDialog& dialog) { ChooseFile(path, dialog); });
        Trigger("Load1");
        QCOMPARE(answerer.messages, QStringList());
        QCOMPARE(SceneText(), saved);
        QCOMPARE(form.Settings().hoehe, Area().height());
    }

    // A drag with the real mouse draws an emitter; "OK" in the screen dialog
    // without a change keeps it, and keeps a white background white.
    void drawnEmitterSurvivesTheScreenDialog() {
        Trigger("LambertscherStrahler1");
        answerer.Then(PressOk);  // the emitter's own dialog
        DragWithMouse({100, 120}, {300, 220});
        QTRY_COMPARE_WITH_TIMEOUT(form.Scene().size(), size_t{2}, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(answerer.Done(), 5000);

        form.Settings().hintergrundfarbe = 0xFFFFFF;
        window.SetColor(0xFFFFFF);
        answerer.Then([](QDialog& dialog) {
            // Return in the colour list, where the focus starts.
            QTest::keyClick(dialog.findChild<QComboBox*>(), Qt::Key_Return);
        });
        Trigger("Bildschirm1");
        QCOMPARE(form.Scene().size(), size_t{2});
        QCOMPARE(form.Settings().hintergrundfarbe, 0xFFFFFF);
        QCOMPARE(QSize(form.Settings().breite, form.Settings().hoehe), Area().size());
        QCOMPARE(answerer.messages, QStringList());
    }

    // The emitter drawn before: dragged by its middle in the "Select" mode,
    // put back by Ctrl+Z, and the scene saved by Ctrl+S.
    void draggedEmitterComesBackWithUndoAndIsSavedWithTheKeyboard() {
        auto points = [&] {
            const auto& emitter = dynamic_cast<const TObjektGerade&>(form.Scene()[1]);
            return QLine(emitter.x1, emitter.y1, emitter.x2, emitter.y2);
        };
        const QLine drawn = points();
        Keys("Escape");
        QTRY_COMPARE_WITH_TIMEOUT(form.CurrentMouseMode().Keyword(), std::string(), 5000);
        DragWithMouse(drawn.center(), drawn.center() + QPoint(50, -30));
        QTRY_COMPARE_WITH_TIMEOUT(points(), drawn.translated(50, -30), 5000);
        Keys("ctrl+z");
        QTRY_COMPARE_WITH_TIMEOUT(points(), drawn, 5000);

        const QString path = folder.filePath(QStringLiteral("keys.brv"));
        answerer.Then([&](QDialog& dialog) { ChooseFile(path, dialog); });
        Keys("ctrl+s");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 5000);
        QVERIFY(!form.HasUnsavedChanges());
        QVERIFY(window.statusBar()->findChild<QLabel*>()->text().contains(path));
        QCOMPARE(answerer.messages, QStringList());
    }

    // "M" and a click with the real mouse: the light meter's panel opens in
    // a dock beside the drawing area, the picture keeps its size and shows
    // whole, and a second click updates the panel.
    void measureKeyAndClickShowThePanelBesideThePicture() {
        const QSize before = SceneSize();
        Keys("m");
        QTRY_COMPARE_WITH_TIMEOUT(form.CurrentMouseMode().Keyword(), std::string("lichtmesser"), 5000);
        const QPoint at = OnScreen({150, 400});
        XdoTool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
        QTRY_VERIFY_WITH_TIMEOUT(window.LightMeter() != nullptr && window.LightMeter()->isVisible(), 5000);
        QtLightMeter& meter = *window.LightMeter();
        QVERIFY(!meter.isWindow());
        QCOMPARE(meter.Shown().x, 150);
        QCOMPARE(meter.Shown().y, 400);
        QTRY_VERIFY_WITH_TIMEOUT(Area().width() < before.width(), 5000);
        QVERIFY(meter.mapToGlobal(QPoint(0, 0)).x() >= Area().mapToGlobal(QPoint(Area().width(), 0)).x());
        QCOMPARE(SceneSize(), before);
        QVERIFY(window.DrawingArea().Scale() < 1);

        // The view is scaled down now: the pixel under the mouse is one near.
        const QPoint next = OnScreen({160, 420});
        const QPoint expected = window.DrawingArea().ToPicture(Area().mapFromGlobal(next));
        window.activateWindow();
        XdoTool({"mousemove", QString::number(next.x()), QString::number(next.y()), "click", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(meter.Shown().x, expected.x(), 5000);
        QCOMPARE(meter.Shown().y, expected.y());
        QVERIFY(meter.isVisible());
        QCOMPARE(answerer.messages, QStringList());
    }

    // Shift+drag with the real mouse in "Measure" draws a measuring line;
    // its plot comes to the front of the meter's panel. The view is scaled
    // beside the dock, so the ends may land a picture pixel off.
    void shiftDragInMeasureModeDrawsAMeasuringLineWithItsPlot() {
        QCOMPARE(form.CurrentMouseMode().Keyword(), std::string("lichtmesser"));
        DragWithMouse({100, 200}, {300, 200}, "shift");
        QTRY_COMPARE_WITH_TIMEOUT(form.MeasuringLines().size(), size_t{1}, 5000);
        const MeasuringLine& drawn = form.MeasuringLines()[0];
        QVERIFY2((QPoint(drawn.x1, drawn.y1) - QPoint(100, 200)).manhattanLength() <= 2, "first end");
        QVERIFY2((QPoint(drawn.x2, drawn.y2) - QPoint(300, 200)).manhattanLength() <= 2, "second end");
        QTabWidget& pages = window.LightMeter()->Pages();
        QTRY_COMPARE_WITH_TIMEOUT(pages.tabText(pages.currentIndex()), QStringLiteral("Line 1"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(form.HasLineReadings(), 5000);
        QCOMPARE(answerer.messages, QStringList());
        form.Undo();
        QVERIFY(form.MeasuringLines().empty());
        QCOMPARE(pages.count(), 1);
    }

    // Stream lines at a fine spacing, and the progress window's Cancel
    // clicked with the real mouse while they are drawn: the window sits over
    // the main window's middle and answers the click.
    void cancelClickedWhileStreamLinesAreDrawnStopsThem() {
        dynamic_cast<TObjektLambert&>(form.Scene()[1]).staerke = 100;
        // So many lines that the program asks first, answered Yes: work
        // estimated at twenty times the question's threshold is sure to
        // outlast the window manager placing the progress window, however
        // far off the estimate. Cancel ends it anyway.
        form.Settings().sellaenge = 1;
        form.DisplaySettings().linien.linienabstand = 1;
        auto& step = form.DisplaySettings().linien.iterationslaenge;
        for (step = 0.25f;
             form.EstimatedSeconds(form.DisplayWork(DisplayKind::StreamLines)) < 20 * MainWindow::kAskAboveSeconds;)
            step *= 0.9f;
        // Cancel is clicked as soon as the window manager has placed the
        // progress window; a click before would land on what lies below.
        // The drawing looks for Cancel on this thread, and this timer runs
        // while it looks: it holds the drawing there, as a slow machine
        // would, until the click has reached the window. A window that is
        // never placed fails the test; Escape then stops the long drawing.
        bool clicked = false;
        QDeadlineTimer givenUp(30000);
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* progress = qobject_cast<QtProgressWindow*>(QApplication::activeModalWidget());
            if (clicked || progress == nullptr) return;
            if (givenUp.hasExpired()) {
                QTest::keyClick(progress, Qt::Key_Escape);
                return;
            }
            if (!progress->windowHandle()->isExposed() ||
                (progress->frameGeometry().center() - window.frameGeometry().center()).manhattanLength() > 4)
                return;
            clicked = true;
            auto* cancel = progress->findChild<QPushButton*>();
            // The window takes its text's width, so the button may move
            // before the X server delivers a click: clicked again where it is.
            for (QDeadlineTimer deadline(10000); !progress->Cancelled() && !deadline.hasExpired(); QTest::qWait(250)) {
                const QPoint at = cancel->mapToGlobal(cancel->rect().center());
                XdoTool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
            }
            QVERIFY(progress->Cancelled());
        });
        poll.start(20);
        Trigger("Stromlinien1");
        QVERIFY2(clicked, qPrintable("the progress window did not show over the main window's middle; dialogs: " +
                                     answerer.shown.join('|') + "; messages: " + answerer.messages.join('|')));
        QCOMPARE(answerer.messages.size(), 2);
        QVERIFY2(answerer.messages[0].startsWith("This will take a long time"), qPrintable(answerer.messages[0]));
        QCOMPARE(answerer.messages[1], QStringLiteral("The computation was stopped before it was complete."));
    }

    // Regression test: a circular mirror moved with the mouse kept radiating
    // from where it was. Moved with the real mouse after a display, shown
    // again and saved as a picture, it shows what the command-line tool
    // draws of the scene saved then, pixel for pixel.
    void movedCircularMirrorShowsWhatTheSavedSceneShows() {
        answerer.messages.clear();
        form.NoteChanges();  // what the test before changed: "New" asks first
        QVERIFY(form.HasUnsavedChanges());
        answerer.Then([](QDialog& dialog) {
            for (QPushButton* button : dialog.findChildren<QPushButton*>())
                if (button->text() == QLatin1String("Discard")) return button->click();
        });
        Trigger("Neu1");
        QTRY_VERIFY_WITH_TIMEOUT(answerer.Done(), 5000);
        QCOMPARE(form.Scene().size(), size_t{1});
        auto sun = std::make_unique<TObjektSonne>();
        sun->staerke = 1;
        form.Scene().Append(std::move(sun));
        auto ring = std::make_unique<TObjektSpiegelKreis>(300, 300, 350, 300);
        ring->difref = 100;
        TObjektSpiegelKreis& mirror = *ring;
        form.Scene().Append(std::move(ring));
        form.NoteChanges();
        Trigger("Vektorpfeile1");

        const QPoint onArc = OnScreen({350, 300}), moved = onArc + QPoint(200, 0);
        XdoTool({"mousemove", QString::number(onArc.x()), QString::number(onArc.y()), "mousedown", "1", "mousemove",
                 QString::number(onArc.x() + 100), QString::number(onArc.y()), "mousemove", QString::number(moved.x()),
                 QString::number(moved.y()), "mouseup", "1"});
        QTRY_COMPARE_WITH_TIMEOUT(mirror.xmitte, 500, 5000);
        Trigger("Vektorpfeile1");
        PictureIsTheToolsArrows("moved");
    }

    // The ring of the test before dragged with the arrows shown: while the
    // button is held the window shows the arrows following it, computed
    // without the progress window; at the release the picture holds the
    // arrows of the scene as it is then.
    void arrowsFollowTheDraggedMirror() {
        const auto& mirror = dynamic_cast<const TObjektSpiegelKreis&>(form.Scene()[2]);
        const int64_t framesBefore = form.LiveFramesShown();
        const QPoint onArc = OnScreen({550, 300});
        const auto at = [&](int dx) {
            return QStringList{"mousemove", QString::number(onArc.x() + dx), QString::number(onArc.y()), "sleep",
                               "0.1"};
        };
        XdoTool(QStringList{"mousemove", QString::number(onArc.x()), QString::number(onArc.y()), "mousedown", "1"} +
                at(-20) + at(-40) + at(-60) + at(-80));
        QTRY_COMPARE_WITH_TIMEOUT(mirror.xmitte, 420, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(form.LiveFramesShown() > framesBefore, 5000);
        QVERIFY(!dynamic_cast<QtProgressWindow&>(platform.Progress()).isVisible());
        // The picture holds the scene alone until the release; the window
        // shows the frame over it.
        const QImage& shown = window.DrawingArea().Surface();
        const auto& picture = dynamic_cast<const QtBitmap&>(form.Picture());
        int arrowPixels = 0;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x) arrowPixels += shown.pixel(x, y) != picture.Image().pixel(x, y);
        QVERIFY2(arrowPixels > 1000, qPrintable(QString::number(arrowPixels)));
        XdoTool({"mouseup", "1"});
        // The release notes the change and shows the arrows at once.
        QTRY_VERIFY_WITH_TIMEOUT(form.HasUnsavedChanges(), 5000);
        PictureIsTheToolsArrows("followed");
    }

    // Every key that the README and the help list reaches its item on a
    // desktop of the X11 kind, whose own key list has none for Save As. The
    // dialogs the items open are closed again; Ctrl+Q is only looked up, as
    // it would end the test.
    void everyListedKeyReachesItsItem() {
        form.Scene().Append(std::make_unique<TObjektLambert>(100, 100, 200, 100));
        form.NoteChanges();  // something to undo and redo
        const size_t sizeBefore = form.Scene().size();
        struct Press {
            const char* keys;
            const char* item;
        };
        // The clipboard's keys and Delete act on the object selected first.
        for (const Press& press : {Press{"ctrl+z", "Rueckgaengig1"},
                                   Press{"ctrl+shift+z", "Wiederholen1"},
                                   Press{"ctrl+z", "Rueckgaengig1"},
                                   Press{"ctrl+y", "Wiederholen1"},
                                   Press{"m", "Lichtmesser1"},
                                   Press{"Escape", "Auswahl1"},
                                   Press{"ctrl+c", "Kopieren1"},
                                   Press{"ctrl+d", "Duplizieren1"},
                                   Press{"ctrl+x", "Ausschneiden1"},
                                   Press{"ctrl+v", "Einfuegen1"},
                                   Press{"Delete", "Entfernen1"},
                                   Press{"ctrl+a", "AllesAuswaehlen1"},
                                   Press{"ctrl+equal", "Vergroessern1"},
                                   Press{"ctrl+minus", "Verkleinern1"},
                                   Press{"ctrl+0", "Einpassen1"},
                                   Press{"F1", "Hilfe1"},
                                   Press{"ctrl+o", "Load1"},
                                   Press{"ctrl+s", "Save1"},
                                   Press{"ctrl+shift+s", "SaveAs1"},
                                   Press{"ctrl+n", "Neu1"}}) {
            if (QLatin1String(press.keys) == QLatin1String("ctrl+c")) form.Select(&form.Scene().Tail());
            auto* action = window.findChild<QAction*>(QString::fromLatin1(press.item));
            QVERIFY(action != nullptr);
            QSignalSpy triggered(action, &QAction::triggered);
            Keys(press.keys);
            QTRY_VERIFY2_WITH_TIMEOUT(triggered.count() == 1, press.keys, 5000);
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, 5000);
        }
        QCOMPARE(form.Scene().size(), sizeBefore);  // duplicated, cut, pasted back and deleted
        QVERIFY(window.findChild<QAction*>(QStringLiteral("Beenden1"))->shortcuts().contains(QKeySequence("Ctrl+Q")));
    }

    // With the real mouse: a wall drawn from near another's end point starts
    // on it, with Shift held it turns in steps of 15 degrees, and a
    // rectangle dragged open selects both.
    void drawnWallsSnapTogetherAndARectangleSelectsThem() {
        auto* wall = new TObjektAbsorber(100, 300, 300, 300);
        form.Scene().Append(std::unique_ptr<TObjektAbsorber>(wall));
        form.NoteChanges();
        Trigger("Absorber1");
        answerer.Then(PressOk);
        DragWithMouse({303, 302}, {400, 420}, "shift");
        QTRY_VERIFY_WITH_TIMEOUT(
            answerer.Done() && form.Scene().Tail().kind == "absorber" && &form.Scene().Tail() != wall, 5000);
        const auto& drawn = dynamic_cast<const TObjektGerade&>(form.Scene().Tail());
        QCOMPARE(QLine(drawn.x1, drawn.y1, drawn.x2, drawn.y2), QLine(300, 300, 410, 410));

        Keys("Escape");
        QTRY_COMPARE_WITH_TIMEOUT(form.CurrentMouseMode().Keyword(), std::string(), 5000);
        DragWithMouse({90, 290}, {420, 420});
        QTRY_VERIFY_WITH_TIMEOUT(form.IsSelected(wall) && form.IsSelected(&form.Scene().Tail()), 5000);
        QCOMPARE(answerer.messages, QStringList());
    }

    // A picture larger than the screen shows whole. Ctrl+=, Ctrl+minus,
    // Ctrl+wheel and Ctrl+0 zoom the view and the middle button moves it;
    // the caption and drawing keep to picture pixels at any zoom, and the
    // picture keeps its size. Scales are compared fuzzily: a step in and one
    // out come back to the scale up to its last bits.
    void largerPictureShowsWholeAndZoomsWithoutChangingIt() {
        Tprgvar large = form.Settings();
        large.breite = 1920;
        large.hoehe = 1080;
        const QString path = folder.filePath(QStringLiteral("large.brv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(SceneFileText(large, Displays{}, SceneList(NewBackground())).Text()));
        file.close();
        form.OpenSceneFile(path.toStdString());
        QtDrawingArea& area = window.DrawingArea();
        QCOMPARE(SceneSize(), QSize(1920, 1080));
        const double fitted = area.Scale();
        QVERIFY(fitted < 1);
        QVERIFY(QRectF(area.rect()).contains(area.FromPicture({1919, 1079})));

        const QPoint middle(area.width() / 2, area.height() / 2);
        const QPoint under = area.ToPicture(middle);
        const QPoint atMiddle = area.mapToGlobal(middle);
        XdoTool({"mousemove", QString::number(atMiddle.x()), QString::number(atMiddle.y())});
        QTRY_COMPARE_WITH_TIMEOUT(window.windowTitle(),
                                  QStringLiteral("Brevanto 2.0 (X=%1,Y=%2)").arg(under.x()).arg(under.y()), 5000);
        Keys("ctrl+equal");
        QTRY_VERIFY_WITH_TIMEOUT(qFuzzyCompare(area.Scale(), fitted * 1.25), 5000);
        Keys("ctrl+minus");
        QTRY_VERIFY_WITH_TIMEOUT(qFuzzyCompare(area.Scale(), fitted), 5000);
        XdoTool(
            {"keydown", "ctrl", "click", "4", "click", "4", "click", "4", "click", "4", "click", "4", "keyup", "ctrl"});
        QTRY_VERIFY_WITH_TIMEOUT(qFuzzyCompare(area.Scale(), fitted * std::pow(1.25, 5)), 5000);
        QVERIFY(area.Scale() > 1);
        // The wheel zooms about the mouse: the same point stays under it, up
        // to the pixel that a point on a pixel's border falls into.
        QVERIFY((area.ToPicture(middle) - under).manhattanLength() <= 1);
        const QPointF offset = area.Offset();
        XdoTool({"mousedown", "2", "mousemove", QString::number(atMiddle.x() - 50), QString::number(atMiddle.y() - 30),
                 "mouseup", "2"});
        QTRY_COMPARE_WITH_TIMEOUT(area.Offset(), offset - QPointF(50, 30), 5000);

        const QPoint centre = area.ToPicture(middle), from = centre - QPoint(60, 20), to = centre + QPoint(40, 0);
        Trigger("Absorber1");
        answerer.Then(PressOk);
        DragWithMouse(from, to);
        QTRY_VERIFY_WITH_TIMEOUT(form.Scene().size() == 2 && answerer.Done(), 5000);
        const auto& drawn = dynamic_cast<const TObjektGerade&>(form.Scene().Tail());
        QCOMPARE(QLine(drawn.x1, drawn.y1, drawn.x2, drawn.y2), QLine(from, to));
        Keys("ctrl+0");
        QTRY_VERIFY_WITH_TIMEOUT(qFuzzyCompare(area.Scale(), fitted), 5000);
        QCOMPARE(SceneSize(), QSize(1920, 1080));
        QCOMPARE(answerer.messages, QStringList());
    }

private:
    // A drag with the left button from one picture pixel to another, through
    // the X server; with `heldKey` held throughout, if given.
    void DragWithMouse(QPoint from, QPoint to, const char* heldKey = nullptr) {
        const QPoint start = OnScreen(from), end = OnScreen(to);
        QStringList arguments;
        if (heldKey != nullptr) arguments << "keydown" << heldKey;
        arguments << "mousemove" << QString::number(start.x()) << QString::number(start.y()) << "mousedown"
                  << "1"
                  << "mousemove" << QString::number(end.x()) << QString::number(end.y()) << "mouseup"
                  << "1";
        if (heldKey != nullptr) arguments << "keyup" << heldKey;
        XdoTool(arguments);
    }
    // Keys pressed on the main window through the X server; they arrive
    // later, so what they do is awaited.
    void Keys(const char* keys) {
        window.activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(window.isActiveWindow(), 5000);
        XdoTool({"key", QString::fromLatin1(keys)});
        QCoreApplication::processEvents();
    }
    QSize SceneSize() const { return {form.Settings().breite, form.Settings().hoehe}; }
    // Where the mouse goes on the screen to point at a picture pixel: the
    // first screen pixel inside it, as the view shows it (at least at its
    // own size).
    QPoint OnScreen(QPoint pixel) {
        const QtDrawingArea& area = window.DrawingArea();
        const QPointF corner = area.FromPicture(pixel);
        return area.mapToGlobal(
            QPoint(static_cast<int>(std::ceil(corner.x())), static_cast<int>(std::ceil(corner.y()))));
    }
    QWidget& Area() { return window.DrawingArea(); }
    // The picture saved as a bitmap is the arrows that the command-line tool
    // draws of the scene saved beside it (both named `name`).
    void PictureIsTheToolsArrows(const QString& name) {
        const QString picture = folder.filePath(name + ".bmp");
        answerer.Then([&](QDialog& dialog) { ChooseFile(picture, dialog); });
        Trigger("Speichern1");
        const QString scene = folder.filePath(name + ".brv");
        answerer.Then([&](QDialog& dialog) { ChooseFile(scene, dialog); });
        Trigger("Save1");
        QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('|')));

        const QString drawn = folder.filePath(name + "-cli.bmp");
        QProcess tool;
        tool.start(QStringLiteral(BREVANTO_CLI), {scene, "--render", "arrows", "--out", drawn});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        const QImage inWindow(picture), byTool(drawn);
        QVERIFY(!inWindow.isNull());
        QCOMPARE(inWindow.size(), byTool.size());
        QVERIFY2(inWindow == byTool, "the window's picture differs from the command-line tool's");
    }
    std::string SceneText() const {
        return SceneFileText(form.Settings(), form.DisplaySettings(), form.Scene()).Text();
    }
    void Trigger(const char* item) {
        auto* action = window.findChild<QAction*>(QString::fromLatin1(item));
        QVERIFY(action != nullptr);
        action->trigger();
    }

    QTemporaryDir folder;
    QtPlatform platform;
    QtWindow window;
    MainWindow form{platform, window};
    DialogAnswerer answerer;
};

int main(int argc, char* argv[]) {
    // The recent files of the test stay apart from the user's.
    QStandardPaths::setTestModeEnabled(true);
    // Qt's own file dialog, which the test can answer; a desktop's native
    // one lives outside the program.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication application(argc, argv);
    WindowManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowManagerTest.moc"
