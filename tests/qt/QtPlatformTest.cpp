// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>
#include <optional>
#include <utility>

#include <QtTest>
#include <QtWidgets>

#include "model/ObjektGerade.h"
#include "platform/Errors.h"
#include "platform/RasterBitmap.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtLightMeter.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtPlotPage.h"
#include "platform/qt/QtWindow.h"
#include "ui/MainWindow.h"
#include "ui/ObjektManager.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::ui;

using namespace brevanto::platform;

namespace {

const QColor kWindowColour(10, 20, 30);

// The main window with its logic, as the program starts it.
struct StartedWindow {
    QtWindow window;
    MainWindow form;
    explicit StartedWindow(QtPlatform& platform) : form(platform, window) {}
};

// Acts on the next modal dialog once it is shown. Whatever the action does,
// the dialog is closed afterwards, so a failing test cannot hang.
void WhenShown(std::function<void(QDialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            act(*dialog);
            if (dialog->isVisible()) dialog->done(-1);
        }
    });
}

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    // A window colour of its own shows whether a system colour follows the palette.
    void initTestCase() {
        // The recent files of these tests stay apart from the user's.
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::Window, kWindowColour);
        QApplication::setPalette(palette);
    }

    // The window shows the pixels of the headless picture: both follow the same rules.
    void canvasPaintsThePixelsOfTheHeadlessPicture() {
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        int drawn = 0;
        QtCanvas window(image, [&] { ++drawn; });
        RasterBitmap headless(80, 60);
        for (Canvas* canvas : {static_cast<Canvas*>(&window), &headless.GetCanvas()}) {
            canvas->SetPenColor(0x0000FF);
            canvas->MoveTo(-50, 3);
            canvas->LineTo(90, 41);
            canvas->SetBrushColor(0x00FF00);
            canvas->Ellipse(5, 8, 37, 29);
            canvas->Arc(20, 10, 60, 50, 60, 30, 40, 10);
        }
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) {
                const TColor rgb = headless.Pixel(x, y);
                QCOMPARE(QColor(image.pixel(x, y)), QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
            }
        QCOMPARE(drawn, 3);  // once for each operation that changed the image

        // Regression test: the grey background (button face) used to come from
        // the palette, #efefef on this platform where the command-line tool's
        // pictures have #f0f0f0. It is the headless value whatever the palette.
        QtBitmap bitmap(2, 2);
        bitmap.GetCanvas().SetBrushColor(kButtonFaceColour);
        bitmap.GetCanvas().FillRect(0, 0, 2, 2);
        RasterBitmap picture(2, 2);
        picture.GetCanvas().SetBrushColor(kButtonFaceColour);
        picture.GetCanvas().FillRect(0, 0, 2, 2);
        QCOMPARE(picture.Pixel(1, 1), 0xF0F0F0);  // as in the recorded reference pictures
        QCOMPARE(QColor(bitmap.Image().pixel(1, 1)), QColor(0xF0, 0xF0, 0xF0));
    }

    void savesAWindowsBitmap() {
        QTemporaryDir folder;
        const QString fileName = folder.filePath(QStringLiteral("picture.bmp"));
        QtBitmap bitmap(7, 5);
        bitmap.GetCanvas().SetBrushColor(0x0000FF);
        bitmap.GetCanvas().FillRect(1, 1, 2, 2);
        bitmap.SaveToFile(fileName.toStdString(), PictureFormat::Bmp);
        const QImage saved(fileName, "BMP");
        QCOMPARE(saved.size(), QSize(7, 5));
        QCOMPARE(QColor(saved.pixel(1, 1)), QColor(Qt::red));

        const std::string unwritable = folder.filePath(QStringLiteral("missing/picture.bmp")).toStdString();
        QVERIFY_THROWS_EXCEPTION(InOutError, bitmap.SaveToFile(unwritable, PictureFormat::Bmp));
    }

    // A new scene's picture takes what the screen gives; a larger picture
    // keeps its size, up to the largest, and shows whole, scaled down.
    void drawingAreaTakesWhatTheScreenGives() {
        StartedWindow main(platform);
        QtWindow& window = main.window;
        const QSize screen = window.screen()->availableGeometry().size();
        QCOMPARE(QSize(window.ClientWidth(), window.ClientHeight()),
                 screen - QSize(0, window.menuBar()->sizeHint().height() + window.statusBar()->sizeHint().height()));

        // Once the window is shown its frame counts too.
        window.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.SetClientWidth(10000);
        window.SetClientHeight(10000);
        QCOMPARE(QSize(window.ClientWidth(), window.ClientHeight()), QSize(kLargestPictureSide, kLargestPictureSide));
        const QtDrawingArea& area = window.DrawingArea();
        QCOMPARE(area.Scale(), double(area.height()) / kLargestPictureSide);
        QCOMPARE(area.FromPicture({0, kLargestPictureSide}).y(), double(area.height()));
    }

    // A menu command chooses the object; a drag with the left button draws it and opens its dialog.
    void menuAndMouseReachTheForm() {
        StartedWindow main(platform);
        main.window.findChild<QAction*>(QStringLiteral("LambertscherStrahler1"))->trigger();
        QtDrawingArea& area = main.window.DrawingArea();
        QStringList dialogs;
        QTest::mousePress(&area, Qt::LeftButton, {}, {100, 100});
        QTest::mouseMove(&area, {200, 150});
        QCOMPARE(main.window.windowTitle(), QStringLiteral("Brevanto 2.0 (X=200,Y=150)"));
        WhenShown([&](QDialog& dialog) {
            dialogs << dialog.windowTitle();
            dialog.findChild<QPushButton*>()->click();  // "OK"
        });
        QTest::mouseRelease(&area, Qt::LeftButton, {}, {200, 150});
        QCOMPARE(dialogs, QStringList{"Lambert-like emitter "});
        const auto* drawn = dynamic_cast<const TObjektGerade*>(&main.form.Scene().Tail());
        QVERIFY(drawn != nullptr);
        QCOMPARE(QRect(QPoint(drawn->x1, drawn->y1), QPoint(drawn->x2, drawn->y2)),
                 QRect(QPoint(100, 100), QPoint(200, 150)));
        QCOMPARE(area.Surface(),
                 dynamic_cast<const QtBitmap&>(main.form.Picture()).Image());  // the window shows the picture
    }

    // Regression test: beside a picture smaller than the window a press
    // started an object off the picture, whose dialog then refused it.
    void pressBesideASmallerPictureStartsNothing() {
        StartedWindow main(platform);
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        WhenShown([](QDialog& dialog) {
            const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();  // height, width
            fields[0]->setText(QStringLiteral("200"));
            fields[1]->setText(QStringLiteral("300"));
            dialog.findChild<QPushButton*>()->click();
        });
        main.window.findChild<QAction*>(QStringLiteral("Bildschirm1"))->trigger();
        main.window.resize(600, 500);
        QCOMPARE(main.form.Picture().Width(), 300);
        QtDrawingArea& area = main.window.DrawingArea();
        QVERIFY(area.width() > 300 && area.height() > 200);
        main.window.findChild<QAction*>(QStringLiteral("Absorber1"))->trigger();
        WhenShown([](QDialog& dialog) { dialog.findChild<QPushButton*>()->click(); });
        QTest::mousePress(&area, Qt::LeftButton, {}, {400, 100});
        QTest::mouseRelease(&area, Qt::LeftButton, {}, {450, 150});
        QCoreApplication::processEvents();  // the watch ends here when no dialog came
        QCOMPARE(main.form.Scene().size(), size_t{1});
        QCOMPARE(area.grab().toImage().pixel(400, 100), area.palette().color(QPalette::Mid).rgb());
        WhenShown([](QDialog& dialog) { dialog.findChild<QPushButton*>()->click(); });
        QTest::mousePress(&area, Qt::LeftButton, {}, {100, 100});
        QTest::mouseRelease(&area, Qt::LeftButton, {}, {150, 150});
        QCOMPARE(main.form.Scene().size(), size_t{2});
    }

    // Regression test: a list left alone chose the entry that it showed
    // when it lost the focus, so "OK" in the screen dialog turned a white
    // picture grey. The real focus changes are checked under a window
    // manager too (WindowManagerTest).
    void untouchedListChoosesNothing() {
        DialogSpec spec{"Screen",
                        {Control::Combo("hintergrundfarbe", "Background color", {"grey", "white"}, "grey"),
                         Control::Edit("hoehe", "Height"), Control::Button("OK", ModalResult::OK, true)}};
        QString shown;
        WhenShown([&](QDialog& dialog) {
            auto* combo = dialog.findChild<QComboBox*>();
            shown = combo->currentIndex() < 0 ? combo->placeholderText() : combo->currentText();
            QTest::keyClick(combo, Qt::Key_Return);
            dialog.findChild<QLineEdit*>()->setFocus();
            dialog.findChild<QPushButton*>()->click();
        });
        QCOMPARE(platform.ShowModal(spec), ModalResult::OK);
        QCOMPARE(shown, QStringLiteral("grey"));
        QCOMPARE(spec["hintergrundfarbe"].selected, -1);
        QCOMPARE(spec["hintergrundfarbe"].text, "grey");
    }

    // Values are shown, edited and written back; a click on a line of the
    // list tells the dialog's owner at once, a double click ends the dialog
    // with the list's result.
    void dialogRoundTrip() {
        DialogSpec spec{
            "Object",
            {Control::Edit("strength", "Energy flow density "),
             Control::Combo("colour", "", {"black", "red", "blue"}, "Color"), Control::Radio("above", "above", true),
             Control::Radio("all", "all around", false), Control::ListBox("objects", ModalResult::Edit),
             Control::Button("Quit", ModalResult::Quit, true)}};
        spec["strength"].text = "100";
        spec["objects"].items = {"1 Background radiation", "2 Sun"};
        spec["objects"].details = {"S = 0", "from 30\u00b0"};
        spec["objects"].swatches = {0, 0x0000FF};
        std::vector<int> chosen;
        spec["objects"].onChoose = [&chosen](int line) { chosen.push_back(line); };
        QString shown;
        WhenShown([&](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
            shown = edit->text();
            edit->setText(QStringLiteral("250,5"));
            dialog.findChild<QComboBox*>()->setCurrentIndex(2);
            dialog.findChildren<QRadioButton*>()[1]->click();
            dialog.findChild<QPushButton*>()->click();
        });
        QCOMPARE(platform.ShowModal(spec), ModalResult::Quit);
        QCOMPARE(shown, QStringLiteral("100"));
        QCOMPARE(spec["strength"].text, "250,5");
        QCOMPARE(spec["colour"].text, "blue");
        QVERIFY(!spec["above"].checked && spec["all"].checked);  // the radio buttons of a dialog are one group

        QString secondDetails;
        QColor swatch;
        WhenShown([&](QDialog& dialog) {
            auto* list = dialog.findChild<QTreeWidget*>();
            secondDetails = list->topLevelItem(1)->text(1);
            swatch = list->topLevelItem(1)->icon(0).pixmap(12, 12).toImage().pixelColor(6, 6);
            const QPoint second = list->visualItemRect(list->topLevelItem(1)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        });
        QCOMPARE(platform.ShowModal(spec), ModalResult::Edit);
        QCOMPARE(spec["objects"].selected, 1);
        QCOMPARE(chosen, std::vector<int>{1});
        QCOMPARE(secondDetails, QStringLiteral("from 30\u00b0"));
        QCOMPARE(swatch, QColor(Qt::red));
        QCOMPARE(spec["colour"].selected, 2);  // the chosen entry was shown
    }

    // Escape is Cancel where there is one; a dialog that only informs closes
    // with its default button. The field to correct has the cursor, its text
    // selected, and only at that showing.
    void escapeCancelsAndTheFieldToCorrectHasTheCursor() {
        DialogSpec form{"Form",
                        {Control::Edit("first", "First"), Control::Edit("second", "Second"),
                         Control::Button("OK", ModalResult::OK, true), Control::CancelButton()}};
        form["second"].text = "12x";
        form.focus = "second";
        QString focused;
        WhenShown([&](QDialog& dialog) {
            auto* edit = qobject_cast<QLineEdit*>(dialog.focusWidget());
            if (edit != nullptr && edit->hasSelectedText()) focused = edit->selectedText();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(platform.ShowModal(form), ModalResult::Cancel);
        QCOMPARE(focused, QStringLiteral("12x"));
        QVERIFY(form.focus.empty());

        DialogSpec info{"Info", {Control::Label("Text"), Control::Button("OK", ModalResult::OK, true)}};
        WhenShown([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
        QCOMPARE(platform.ShowModal(info), ModalResult::OK);
    }

    void messageAndProgressBreakLinesAtCarriageReturns() {
        QString shown;
        WhenShown([&](QDialog& dialog) { shown = static_cast<QMessageBox&>(dialog).text(); });
        platform.ShowMessage("You cannot delet the Background radiation,\rbut You can set it to Zero.");
        QCOMPARE(shown, QStringLiteral("You cannot delet the Background radiation,\nbut You can set it to Zero."));

        auto& progress = static_cast<QtProgressWindow&>(platform.Progress());
        progress.Show();
        QVERIFY(progress.isVisible());
        progress.SetText("Iteration 3\rof 50");
        progress.SetShare(0.25);
        progress.Repaint();
        QCOMPARE(progress.Text(), QStringLiteral("Iteration 3\nof 50"));
        QCOMPARE(progress.Share(), 25);
        progress.Close();
    }

    // Regression test: the progress window opened at the screen's top-left
    // corner over the menu and cut off the stream lines' long text.
    void progressWindowIsCentredOverTheMainWindowAndShowsItsWholeText() {
        StartedWindow main(platform);
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        auto& progress = static_cast<QtProgressWindow&>(platform.Progress());
        progress.Show();
        const std::string longest =
            "Brevanto 2.0 is calculating the starting points for the stream lines for:\r12 : Circular lambert-like "
            "emitter";
        progress.SetText(longest);
        progress.Repaint();
        const QLabel* label = progress.findChild<QLabel*>();
        QVERIFY(label->width() >= label->fontMetrics().boundingRect(QRect(), 0, label->text()).width());
        QVERIFY(progress.rect().contains(label->geometry()));
        QVERIFY((progress.frameGeometry().center() - main.window.frameGeometry().center()).manhattanLength() <= 2);
        progress.Close();
    }

    // The computation asks between its steps; the click, and Escape, reach
    // the window while it asks, and a new computation starts uncancelled.
    void progressWindowCancelsByButtonOrEscape() {
        auto& progress = static_cast<QtProgressWindow&>(platform.Progress());
        progress.Show();
        QVERIFY(!progress.Cancelled());
        auto* cancel = progress.findChild<QPushButton*>();
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QTimer::singleShot(0, cancel, &QPushButton::click);
        QElapsedTimer waited;
        waited.start();
        while (!progress.Cancelled()) QVERIFY(waited.elapsed() < 2000);
        progress.Close();

        progress.Show();
        QVERIFY(!progress.Cancelled());
        QTest::keyClick(&progress, Qt::Key_Escape);
        QVERIFY(progress.Cancelled());
        progress.Close();
    }

    // Regression test: the window was hidden after the radiosity and shown
    // again at once for the drawing; openbox, still taking it down, then
    // never showed it again and the drawing had no Cancel. A pass that
    // follows straight on keeps the window up; it goes when the program
    // waits for events, and before a message opens.
    void progressWindowStaysUpFromOnePassToTheNext() {
        auto& progress = static_cast<QtProgressWindow&>(platform.Progress());
        progress.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&progress));
        QSignalSpy visibility(progress.windowHandle(), &QWindow::visibleChanged);
        progress.Close();
        progress.Show();
        QVERIFY(!progress.Cancelled());
        QCoreApplication::processEvents();
        QCOMPARE(visibility.count(), 0);
        progress.Close();
        QTRY_VERIFY(!progress.isVisible());

        progress.Show();
        progress.Close();
        bool progressShown = true;
        WhenShown([&](QDialog&) { progressShown = progress.isVisible(); });
        platform.ShowMessage("Done.");
        QVERIFY(!progressShown);
    }

    // Regression test: the object manager's buttons sat in one row beside
    // the list instead of one below the other to its right.
    void objectManagerButtonsStandRightOfTheListFromTopToBottom() {
        StartedWindow main(platform);
        QList<QRect> buttons;
        QRect list;
        WhenShown([&](QDialog& dialog) {
            dialog.show();
            list = dialog.findChild<QTreeWidget*>()->geometry();
            for (QPushButton* button : dialog.findChildren<QPushButton*>()) buttons << button->geometry();
            dialog.findChildren<QPushButton*>().back()->click();
        });
        main.form.OpenObjectManager();
        QCOMPARE(buttons.size(), 3);  // "Delete", "Edit", "Quit"
        for (int i = 0; i < 3; ++i) {
            QVERIFY(buttons[i].left() >= list.right());
            if (i > 0) QVERIFY(buttons[i].top() >= buttons[i - 1].bottom());
        }
    }

    // The panel sits in a dock right of the drawing area; the picture keeps
    // its size and shows scaled, and the point measured is marked on it.
    // The plot draws each sector the way its light travels, 90 degrees up.
    void lightMeterPanelShowsTheNumbersAndThePlotBesideThePicture() {
        StartedWindow main(platform);
        main.window.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        const QSize picture(main.form.Picture().Width(), main.form.Picture().Height());
        QCOMPARE(main.window.LightMeter(), nullptr);
        main.form.MeasureLightAt(100, 100);
        QCoreApplication::processEvents();
        const QtDrawingArea& area = main.window.DrawingArea();
        QCOMPARE(QSize(main.form.Picture().Width(), main.form.Picture().Height()), picture);
        QVERIFY(area.width() < picture.width());
        QVERIFY(area.Scale() < 1);
        QCOMPARE(QColor(area.Surface().pixel(100 + 5, 100)), QColor(0x80, 0, 0xFF));  // the mark's colour

        Measurement measured;
        measured.x = 10;
        measured.y = 20;
        measured.directedness = 0.5;
        measured.sectors[9].energy = 3;  // travelling up the screen
        measured.sectors[0].energy = 1;  // along +x
        main.window.ShowMeasurement(measured);
        QtLightMeter* meter = main.window.LightMeter();
        QVERIFY(meter != nullptr);
        QVERIFY(meter->isVisible());
        QVERIFY2(meter->Numbers().contains(QStringLiteral("X = 10, Y = 20")), qPrintable(meter->Numbers()));
        QVERIFY(!meter->isWindow());
        const auto* readings = meter->findChild<QTableWidget*>(QStringLiteral("Readings"));
        QVERIFY(readings != nullptr);
        QCOMPARE(readings->rowCount(), 1);  // the reading the form took at (100, 100)
        QCOMPARE(readings->item(0, 1)->text(), QStringLiteral("100"));
        QVERIFY(meter->mapToGlobal(QPoint(0, 0)).x() >= area.mapToGlobal(QPoint(area.width(), 0)).x());

        auto* plot = meter->findChild<QWidget*>(QStringLiteral("PolarPlot"));
        QVERIFY(plot != nullptr);
        const QImage image = plot->grab().toImage();
        const QPoint centre(image.width() / 2, image.height() / 2);
        const int reach = std::min(image.width(), image.height()) / 2 - 30;
        auto filled = [&](QPoint at) { return QColor(image.pixel(at)).blue() < 150; };  // the wedges are orange
        QVERIFY(filled(centre + QPoint(-3, -reach * 3 / 4)));  // the strong sector, 90 to 100 degrees
        QVERIFY(filled(centre + QPoint(reach / 4, -2)));       // the weak one, a third as long, rightward
    }

    // Each graph gets a page after the meter's own; a new one comes to the
    // front, the one in front stays when the graphs are shown again. A page
    // saves its graph as PNG and as SVG, never half-written.
    void plotsShowAsPagesAndSaveAsPictures() {
        StartedWindow main(platform);
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        const Plot line{.title = "Desk",
                        .colour = 0x00A000,
                        .xAxis = "distance along the line (px)",
                        .yAxis = "irradiance (S)",
                        .curves = {{"from the left (+)", 0x0000D0, {0.5, 1.5, 2.5}, {1, 3, 2}}},
                        .note = "Power crossing: + 6"};
        const Plot sweep{.title = "Sweep", .xAxis = "richtung (degrees)", .yAxis = "power (S px)"};
        main.window.ShowPlots({line});
        QtLightMeter* meter = main.window.LightMeter();
        QVERIFY(meter != nullptr && meter->isVisible());
        QTabWidget& pages = meter->Pages();
        QCOMPARE(pages.count(), 2);
        QCOMPARE(pages.tabText(1), QStringLiteral("Desk"));
        QCOMPARE(pages.currentIndex(), 1);
        main.window.ShowPlots({line, sweep});
        QCOMPARE(pages.currentIndex(), 2);
        pages.setCurrentIndex(1);
        main.window.ShowPlots({line, sweep});
        QCOMPARE(pages.currentIndex(), 1);
        auto* page = qobject_cast<QtPlotPage*>(pages.widget(1));
        QVERIFY(page != nullptr);
        QCOMPARE(page->Shown().curves.at(0).y, (std::vector<double>{1, 3, 2}));
        const auto* names = page->findChild<QLabel*>(QStringLiteral("CurveNames"));
        QVERIFY(names != nullptr);
        QVERIFY2(names->text().contains(QStringLiteral("from the left (+)")), qPrintable(names->text()));

        QTemporaryDir folder;
        const QString png = folder.filePath(QStringLiteral("desk.png")),
                      svg = folder.filePath(QStringLiteral("desk.svg"));
        page->Save(png);
        page->Save(svg);
        QImage saved(png);
        QVERIFY(!saved.isNull());
        QVERIFY(saved.width() >= 300);
        QFile svgFile(svg);
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        const QByteArray svgText = svgFile.readAll();
        QVERIFY(svgText.contains("<svg"));
        QVERIFY(svgText.contains("Desk"));
        QVERIFY_THROWS_EXCEPTION(InOutError, page->Save(folder.filePath(QStringLiteral("no/such/folder.png"))));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("no"))));
        main.window.ShowPlots({});
        QCOMPARE(pages.count(), 1);
    }

    // Yes, with line breaks as in a message; a box closed otherwise (Escape)
    // counts as No.
    void questionIsAnsweredWithYesOrNo() {
        QString shown;
        WhenShown([&shown](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            shown = box.text();
            box.button(QMessageBox::Yes)->click();
        });
        QVERIFY(platform.AskYesNo("This will take a long time (about 90 s).\rCompute anyway?"));
        QCOMPARE(shown, QStringLiteral("This will take a long time (about 90 s).\nCompute anyway?"));
        WhenShown([](QDialog&) {});
        QVERIFY(!platform.AskYesNo("Compute anyway?"));
    }

private:
    QtPlatform platform;
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
