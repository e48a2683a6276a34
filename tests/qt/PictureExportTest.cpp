// The pictures the program writes, read back with Qt's own readers: PNG and
// BMP hold the same pixels, the SVG is well-formed XML with one element for
// each object, arrow, stream line and disc, and a legend only when asked for.
#include <algorithm>
#include <map>

#include <QtGui>
#include <QtTest>

#include "RecordingCanvas.h"
#include "platform/HeadlessPlatform.h"
#include "platform/RasterBitmap.h"
#include "ui/MainWindow.h"

namespace {

// A colour no object of the example uses, for the displays (0x00BBGGRR).
constexpr platform::TColor kDisplayColour = 0x12AB34;

QImage Decoded(const std::vector<uint8_t>& bytes, const char* format) {
    return QImage::fromData(
               QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())), format)
        .convertToFormat(QImage::Format_RGB32);
}

// The SVG's drawing elements by colour: "#rrggbb" of their stroke, or of
// their fill when they have no stroke.
struct SvgElements {
    std::map<QString, int> byColour;
    int total = 0;
    int texts = 0;
};

SvgElements ReadSvg(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("no SVG written");
    QXmlStreamReader xml(&file);
    SvgElements elements;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() == QLatin1String("svg")) continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString stroke = attributes.value("stroke").toString();
        ++elements.byColour[stroke.isEmpty() ? attributes.value("fill").toString() : stroke];
        ++elements.total;
        if (xml.name() == QLatin1String("text")) ++elements.texts;
    }
    if (xml.hasError()) throw std::runtime_error("SVG is not well-formed: " + xml.errorString().toStdString());
    return elements;
}

}  // namespace

class PictureExportTest : public QObject {
    Q_OBJECT

    // The example of an emitter and a mirror in a headless main window.
    struct Example {
        Example() {
            headless.fileNameAnswers.push_back(BREVANTO_SOURCE_DIR "/examples/emitter-and-mirror.brv");
            form.OpenScene();
            Displays& displays = form.DisplaySettings();
            displays.vektorpfeile.colour = displays.linien.colour = displays.energiekreise.colour = kDisplayColour;
        }
        const platform::RasterBitmap& Picture() const { return window.Surface(); }

        platform::HeadlessPlatform headless;
        platform::HeadlessWindow window{1024, 768};
        MainWindow form{headless, window};
        QTemporaryDir folder;
    };

    // The shapes the display draws, written down on a recording canvas: its
    // discs, or the runs of lines it begins.
    static int DisplayShapes(Example& example, void (MainWindow::*command)()) {
        RecordingPicture recorded;
        RecordingCanvas windowCanvas;
        MainWindow& form = example.form;
        const Displays& displays = form.DisplaySettings();
        form.PrepareScene();
        if (command == &MainWindow::DrawArrows)
            displays.vektorpfeile.Draw(form.Scene(), form.Settings(), recorded.canvas, example.headless);
        else if (command == &MainWindow::DrawCircles) {
            displays.energiekreise.Draw(form.Scene(), form.Settings(), recorded.canvas, example.headless);
            const auto& calls = recorded.canvas.calls;
            return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                                  [](const std::string& call) { return call.starts_with("ellipse"); }));
        } else
            displays.linien.Draw(form.Scene(), form.Settings(), recorded, windowCanvas, example.headless);
        return recorded.canvas.shapes;
    }

private slots:
    void pngAndBmpDecodeToTheSamePixels() {
        Example example;
        example.form.ToggleLegends();
        example.form.DrawCircles();
        const QImage bmp = Decoded(example.Picture().BmpBytes(), "BMP");
        const QImage png = Decoded(example.Picture().PngBytes(), "PNG");
        QCOMPARE(bmp.size(), QSize(example.Picture().Width(), example.Picture().Height()));
        QCOMPARE(png, bmp);
    }

    // A legend changes a corner of the picture and nothing else.
    void legendDrawsInACornerOnlyWhenSwitchedOn() {
        Example without;
        without.form.DrawArrows();
        Example with;
        with.form.ToggleLegends();
        with.form.DrawArrows();
        const QImage plain = Decoded(without.Picture().BmpBytes(), "BMP");
        const QImage legend = Decoded(with.Picture().BmpBytes(), "BMP");
        QRect changed;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                if (plain.pixel(x, y) != legend.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        QVERIFY(!changed.isEmpty());
        QVERIFY2(changed.width() < plain.width() / 2 && changed.height() < 40, "the legend is small");
        QVERIFY2(changed.right() > plain.width() - 20 && changed.bottom() > plain.height() - 20,
                 "the legend sits in the lower right corner");

        // In an SVG it is text.
        const QString fileName = with.folder.filePath("picture.svg");
        with.form.WriteSvg(fileName.toStdString());
        QCOMPARE(ReadSvg(fileName).texts, 1);
    }

    void svgHoldsOneElementPerObjectArrowLineAndDisc() {
        for (auto command : {&MainWindow::DrawArrows, &MainWindow::DrawStreamLines, &MainWindow::DrawCircles}) {
            Example example;
            (example.form.*command)();
            const QString fileName = example.folder.filePath("picture.svg");
            example.form.WriteSvg(fileName.toStdString());
            const SvgElements svg = ReadSvg(fileName);
            const int displayElements = svg.byColour.count("#34ab12") ? svg.byColour.at("#34ab12") : 0;
            const int expected = DisplayShapes(example, command);
            QVERIFY(expected > 0);
            QCOMPARE(displayElements, expected);
            QCOMPARE(svg.texts, 0);
            // The background's rectangle, then one element per object; the
            // background radiation draws nothing.
            QCOMPARE(svg.total - displayElements, static_cast<int>(example.form.Scene().size()));
        }
    }
};

QTEST_MAIN(PictureExportTest)
#include "PictureExportTest.moc"
