#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/Errors.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtConversions.h"

using namespace platform;

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr TColor kBlack = 0x000000;
constexpr TColor kRed = 0x0000FF;
const QRgb kWhitePixel = qRgb(255, 255, 255);

// Every pixel that is no longer white.
Pixels Painted(const QtBitmap& bitmap) {
    Pixels painted;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Image().pixel(x, y) != kWhitePixel) painted.insert({x, y});
    return painted;
}

QColor PixelColour(const QtBitmap& bitmap, int x, int y) { return QColor(bitmap.Image().pixel(x, y)); }

}  // namespace

class QtBitmapTest : public QObject {
    Q_OBJECT

private slots:
    void lineLeavesOutItsEndPoint_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("to the right") << QPoint(2, 5) << QPoint(12, 5);
        // Qt's own aliased lines leave out the start instead when they run to the left or up.
        QTest::newRow("to the left") << QPoint(12, 5) << QPoint(2, 5);
        QTest::newRow("down") << QPoint(4, 1) << QPoint(4, 15);
        QTest::newRow("up") << QPoint(4, 15) << QPoint(4, 1);
        QTest::newRow("shallow, right and down") << QPoint(1, 3) << QPoint(8, 6);
        QTest::newRow("shallow, left and up") << QPoint(18, 12) << QPoint(3, 4);
        QTest::newRow("steep, left and down") << QPoint(9, 0) << QPoint(4, 17);
        QTest::newRow("diagonal") << QPoint(0, 0) << QPoint(15, 15);
    }

    void lineLeavesOutItsEndPoint() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QtBitmap bitmap(20, 20);
        Canvas& canvas = bitmap.GetCanvas();
        canvas.SetPenColor(kBlack);
        canvas.MoveTo(from.x(), from.y());
        canvas.LineTo(to.x(), to.y());

        const Pixels painted = Painted(bitmap);
        const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
        QCOMPARE(int(painted.size()), steps);
        QVERIFY(painted.count({from.x(), from.y()}));
        QVERIFY(!painted.count({to.x(), to.y()}));
        // One pixel per step of the longer axis, each next to the one before: an unbroken line.
        const bool xMajor = std::abs(to.x() - from.x()) >= std::abs(to.y() - from.y());
        std::set<int> majors;
        for (const auto& [x, y] : painted) {
            QVERIFY(x >= std::min(from.x(), to.x()) && x <= std::max(from.x(), to.x()));
            QVERIFY(y >= std::min(from.y(), to.y()) && y <= std::max(from.y(), to.y()));
            majors.insert(xMajor ? x : y);
        }
        QCOMPARE(int(majors.size()), steps);

        // The end point became the pen position: the next line starts there.
        canvas.LineTo(to.x(), to.y() == 19 ? 18 : 19);
        QVERIFY(Painted(bitmap).count({to.x(), to.y()}));
    }

    void lineOfZeroLengthPaintsNothing() {
        QtBitmap bitmap(10, 10);
        bitmap.GetCanvas().MoveTo(4, 4);
        bitmap.GetCanvas().LineTo(4, 4);
        QVERIFY(Painted(bitmap).empty());
    }

    // Regression test: a line reaching a billion pixels beyond the picture
    // must cost only its visible part and still hit the right pixels.
    void lineFarOutsideThePicture() {
        QtBitmap bitmap(30, 10);
        Canvas& canvas = bitmap.GetCanvas();
        canvas.MoveTo(-1'000'000'000, 4);
        canvas.LineTo(1'000'000'000, 4);
        canvas.MoveTo(-1'000'000'000, -1'000'000'000);
        canvas.LineTo(1'000'000'000, 1'000'000'000);
        Pixels expected;
        for (int x = 0; x < 30; ++x) expected.insert({x, 4});
        for (int x = 0; x < 10; ++x) expected.insert({x, x});
        QCOMPARE(Painted(bitmap), expected);
    }

    void fillRectLeavesOutRightAndBottomEdge() {
        QtBitmap bitmap(12, 12);
        Canvas& canvas = bitmap.GetCanvas();
        canvas.SetBrushColor(kRed);
        canvas.FillRect(2, 3, 6, 8);
        Pixels expected;
        for (int y = 3; y < 8; ++y)
            for (int x = 2; x < 6; ++x) expected.insert({x, y});
        QCOMPARE(Painted(bitmap), expected);

        canvas.SetBrushStyle(BrushStyle::Hollow);
        canvas.FillRect(0, 0, 12, 12);
        QCOMPARE(Painted(bitmap), expected);
    }

    void ellipseStaysInsideItsBox_data() {
        QTest::addColumn<QRect>("box");  // left, top and the exclusive right, bottom
        QTest::newRow("wide") << QRect(QPoint(1, 1), QPoint(13, 7));
        // Qt's own aliased ellipse spills past both sides of flat boxes like this one.
        QTest::newRow("flat") << QRect(QPoint(2, 2), QPoint(14, 8));
        QTest::newRow("tall") << QRect(QPoint(3, 0), QPoint(9, 19));
        QTest::newRow("two by two") << QRect(QPoint(5, 5), QPoint(7, 7));
        QTest::newRow("larger than the picture") << QRect(QPoint(-30, -30), QPoint(50, 50));
    }

    void ellipseStaysInsideItsBox() {
        QFETCH(QRect, box);
        const int left = box.left(), top = box.top(), right = box.right(), bottom = box.bottom();
        QtBitmap bitmap(20, 20);
        Canvas& canvas = bitmap.GetCanvas();
        canvas.SetPenColor(kBlack);
        canvas.SetBrushColor(kRed);
        canvas.Ellipse(left, top, right, bottom);

        const Pixels painted = Painted(bitmap);
        QVERIFY(!painted.empty());
        for (const auto& [x, y] : painted) QVERIFY(x >= left && x < right && y >= top && y < bottom);
        if (right <= 20 && bottom <= 20) {
            // The outline touches all four sides of the box.
            auto any = [&](auto test) { return std::any_of(painted.begin(), painted.end(), test); };
            QVERIFY(any([&](auto p) { return p.first == left; }));
            QVERIFY(any([&](auto p) { return p.first == right - 1; }));
            QVERIFY(any([&](auto p) { return p.second == top; }));
            QVERIFY(any([&](auto p) { return p.second == bottom - 1; }));
        }
        // The outline encloses the fill: no red pixel has a white neighbour.
        for (const auto& [x, y] : painted) {
            if (PixelColour(bitmap, x, y) != QColor(255, 0, 0)) continue;
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                if (bitmap.Image().rect().contains(x + dx, y + dy)) QVERIFY(painted.count({x + dx, y + dy}));
        }
    }

    void ellipseOutlineAndFill() {
        QtBitmap bitmap(20, 20);
        Canvas& canvas = bitmap.GetCanvas();
        canvas.SetPenColor(kBlack);
        canvas.SetBrushColor(kRed);
        canvas.Ellipse(0, 0, 20, 20);
        QCOMPARE(PixelColour(bitmap, 10, 10), QColor(255, 0, 0));
        QCOMPARE(PixelColour(bitmap, 0, 10), QColor(0, 0, 0));
        QCOMPARE(PixelColour(bitmap, 10, 19), QColor(0, 0, 0));

        canvas.SetBrushStyle(BrushStyle::Hollow);
        canvas.SetBrushColor(kBlack);
        canvas.Ellipse(0, 0, 20, 20);
        QCOMPARE(PixelColour(bitmap, 10, 10), QColor(255, 0, 0));  // a hollow ellipse leaves the inside alone
    }

    void arcRunsCounterClockwise() {
        // A circle about (10, 10); pixel (x, y) has its centre at (x + 0.5, y + 0.5).
        QtBitmap full(20, 20), arc(20, 20), rest(20, 20);
        full.GetCanvas().SetBrushStyle(BrushStyle::Hollow);
        full.GetCanvas().Ellipse(0, 0, 20, 20);
        // From 3 o'clock counter-clockwise to 12 o'clock: the upper right quarter.
        arc.GetCanvas().Arc(0, 0, 20, 20, 20, 10, 10, 0);
        // From 12 o'clock counter-clockwise to 3 o'clock: the other three quarters.
        rest.GetCanvas().Arc(0, 0, 20, 20, 10, 0, 20, 10);

        const Pixels quarter = Painted(arc), others = Painted(rest), whole = Painted(full);
        QVERIFY(!quarter.empty());
        for (const auto& [x, y] : quarter) QVERIFY(x >= 10 && y < 10);
        QVERIFY(others.count({0, 10}) && others.count({10, 19}));
        Pixels both = quarter;
        both.insert(others.begin(), others.end());
        QCOMPARE(both, whole);

        // Start and end on the same ray: the whole ellipse.
        QtBitmap closed(20, 20);
        closed.GetCanvas().Arc(0, 0, 20, 20, 20, 10, 30, 10);
        QCOMPARE(Painted(closed), whole);
    }

    void colours_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red is 0x0000FF") << int(kRed) << QColor(255, 0, 0);
        QTest::newRow("blue is 0xFF0000") << 0xFF0000 << QColor(0, 0, 255);
        QTest::newRow("green is 0x008000") << 0x008000 << QColor(0, 128, 0);
        QTest::newRow("button face is the palette's window colour")
            << int(kButtonFaceColour) << QApplication::palette().color(QPalette::Window);
    }

    void colours() {
        QFETCH(int, colour);
        QFETCH(QColor, expected);
        QtBitmap bitmap(4, 4);
        bitmap.GetCanvas().SetBrushColor(colour);
        bitmap.GetCanvas().FillRect(0, 0, 4, 4);
        QCOMPARE(PixelColour(bitmap, 1, 1), expected);
    }

    // A system colour is looked up when painting, so a new palette shows at the next drawing.
    void systemColourFollowsThePalette() {
        const QPalette original = QApplication::palette();
        QPalette changed = original;
        changed.setColor(QPalette::Window, QColor(10, 20, 30));
        QApplication::setPalette(changed);
        QtBitmap bitmap(2, 2);
        bitmap.GetCanvas().SetBrushColor(kButtonFaceColour);
        bitmap.GetCanvas().FillRect(0, 0, 2, 2);
        QApplication::setPalette(original);
        QCOMPARE(PixelColour(bitmap, 0, 0), QColor(10, 20, 30));
    }

    void drawBitmapCopiesAtTheOrigin() {
        QtBitmap source(3, 2), target(5, 5);
        source.GetCanvas().SetBrushColor(kRed);
        source.GetCanvas().FillRect(0, 0, 3, 2);
        target.GetCanvas().DrawBitmap(source);
        Pixels expected;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) expected.insert({x, y});
        QCOMPARE(Painted(target), expected);
    }

    void savesAWindowsBitmap() {
        QTemporaryDir folder;
        const QString fileName = folder.filePath(QStringLiteral("picture.bmp"));
        QtBitmap bitmap(7, 5);
        bitmap.GetCanvas().SetBrushColor(kRed);
        bitmap.GetCanvas().FillRect(1, 1, 2, 2);
        bitmap.SaveToFile(fileName.toStdString());

        QFile file(fileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("BM"));
        file.close();
        const QImage saved(fileName, "BMP");
        QCOMPARE(saved.size(), QSize(7, 5));
        QCOMPARE(QColor(saved.pixel(1, 1)), QColor(255, 0, 0));
        QCOMPARE(QColor(saved.pixel(0, 0)), QColor(255, 255, 255));
        QVERIFY(!QFile::exists(fileName + QStringLiteral(".part")));

        const std::string unwritable = folder.filePath(QStringLiteral("missing/picture.bmp")).toStdString();
        QVERIFY_THROWS_EXCEPTION(InOutError, bitmap.SaveToFile(unwritable));
    }
};

QTEST_MAIN(QtBitmapTest)
#include "QtBitmapTest.moc"
