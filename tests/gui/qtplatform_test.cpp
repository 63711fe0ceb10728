// The Qt layer on its own: scale factors, fonts, digits-only fields, the QImage surface,
// the job thread with its pause and stop, and the job host's hand-over to the GUI thread.
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <atomic>
#include <vector>

#include "guitestsupport.h"
#include "platform/qt/controls.h"
#include "platform/qt/imagesurface.h"
#include "platform/qt/jobthread.h"
#include "platform/qt/picturepool.h"
#include "platform/qt/qtjobhost.h"
#include "plot/rastersurface.h"

using namespace tarvenix;

namespace {

// Collects what a job host hands over.
class RecordingReceiver final : public JobReceiver {
  public:
    void takePicture(const QImage& picture, const ResultLines& lines) override {
        pictures.push_back(picture);
        this->lines = lines;
    }
    void takeText(JobField field, const std::string& text) override {
        texts.emplace_back(field, text);
    }
    std::vector<QImage> pictures;
    ResultLines lines;
    std::vector<std::pair<JobField, std::string>> texts;
};

// The raster shapes on a plain buffer; this test draws no text on it.
class ShapesOnly final : public RasterSurface {
  public:
    using RasterSurface::RasterSurface;
    void text(int, int, std::string_view, Colour, Colour) override {}
    int textWidth(std::string_view) override { return 0; }
    void usePlotFont() override {}
};

PlotFonts testFonts() {
    return {systemFontDescription(), plotFontDescription()};
}

// The same shapes, clipped at every edge, through any surface.
void drawShapes(DrawingSurface& s) {
    s.fillRect(0, 0, 64, 48, colours::white);
    s.fillRect(-5, -5, 12, 9, colours::black);
    s.fillRect(60, 40, 100, 100, colours::red);
    s.line(3, 44, 61, 2, colours::black);
    s.line(-20, 10, 90, 30, colours::green);
    s.lineBySize(1, 20, 64, 2, colours::black);
    s.lineBySize(30, 30, 0, 5, colours::red);
    s.filledCircle(10, 30, 2, colours::red);
    s.filledCircle(63, 0, 3, colours::green);
    s.filledCircle(-2, 47, 3, colours::red);
    s.line(2147483647, 5, -2147483647 - 1, 9, colours::black);
}

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

  private slots:
    void scaleFactors_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("scaleX");
        QTest::addColumn<float>("scaleY");
        QTest::addColumn<int>("canvasWidth");
        QTest::addColumn<int>("canvasHeight");
        QTest::newRow("design screen") << 1024 << 768 << 1.0f << 1.0f << 1014 << 200;
        // 1014 x 1.25 = 1267.5 goes to the even 1268.
        QTest::newRow("scaleX 1.25") << 1280 << 768 << 1.25f << 1.0f << 1268 << 200;
        // (1137 - 30) / 738 = 1.5 exactly: 300 rows.
        QTest::newRow("scaleY 1.5") << 1024 << 1137 << 1.0f << 1.5f << 1014 << 300;
        QTest::newRow("no screen")
            << 0 << 0 << 0.0f << static_cast<float>(-30.0 / 738.0) << 0 << -8;
    }
    void scaleFactors() {
        QFETCH(int, width);
        QFETCH(int, height);
        const PlotGeometry g = layoutGeometry({width, height});
        QTEST(g.scaleX, "scaleX");
        QTEST(g.scaleY, "scaleY");
        QTEST(g.canvasWidth, "canvasWidth");
        QTEST(g.canvasHeight, "canvasHeight");
    }

    void usableScreenFitsThePrimaryScreen() {
        const ScreenSize usable = usableScreenSize();
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(usable.width > 0 && usable.width < work.width());
        QVERIFY(usable.height > 0 && usable.height < work.height());
    }

    void fontsHaveTheirPixelHeight() {
        // 8 pt and 10 pt at 96 dpi: 10.67 and 13.33 pixels, rounded.
        QCOMPARE(screenDpiY(), 96);
        const FontDescription plot = plotFontDescription();
        const FontDescription control = controlFontDescription();
        QCOMPARE(plot.pixelSize, 11);
        QVERIFY(!plot.bold);
        QCOMPARE(control.pixelSize, 13);
        QVERIFY(control.bold);
        // Arial itself or fontconfig's metric-compatible stand-in.
        const QString family = QFontInfo(control.toQFont()).family();
        QVERIFY2(family == "Arial" || family == "Liberation Sans", qPrintable(family));
    }

    void digitsOnlyFieldRefusesTypedNonDigits() {
        QWidget parent;
        TextField* digits = createTextField(&parent, QRect(0, 0, 80, 20), QString(), true);
        TextField* plain = createTextField(&parent, QRect(0, 30, 80, 20), QString(), false);
        QTest::keyClicks(digits, "-1.2,3a4 5+");
        QCOMPARE(digits->text(), QString("12345"));
        QTest::keyClicks(plain, "-1,5");
        QCOMPARE(plain->text(), QString("-1,5"));
        // Editing keys still work.
        QTest::keyClick(digits, Qt::Key_Backspace);
        QCOMPARE(digits->text(), QString("1234"));
        // Text from an input method is typed text as well.
        for (const char* composed : {"-", "9"}) {
            QInputMethodEvent ime;
            ime.setCommitString(composed);
            QCoreApplication::sendEvent(digits, &ime);
        }
        QCOMPARE(digits->text(), QString("12349"));
        digits->setText("1234");
        // Pasted text passes unfiltered, by shortcut and by the edit operation.
        QGuiApplication::clipboard()->setText("12.5");
        digits->clear();
        QTest::keyClick(digits, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(digits->text(), QString("12.5"));
        QGuiApplication::clipboard()->setText("-3");
        digits->clear();
        digits->paste();
        QCOMPARE(digits->text(), QString("-3"));
    }

    void surfaceShapesAreTheRasterShapes() {
        constexpr int w = 64;
        constexpr int h = 48;
        QImageSurface surface(w, h, testFonts());
        QVERIFY(surface.beginDrawing());
        drawShapes(surface);
        surface.endDrawing();
        const QImage picture = surface.picture();
        QCOMPARE(picture.size(), QSize(w, h));

        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, 0);
        ShapesOnly reference(raster::PixelBuffer{pixels.data(), w, h, w});
        QVERIFY(reference.beginDrawing());
        drawShapes(reference);
        int differing = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (picture.pixel(x, y) != pixels[y * w + x])
                    ++differing;
            }
        }
        QCOMPARE(differing, 0);
    }

    void textFillsItsBoxAndFollowsTheFont() {
        const PlotFonts fonts = testFonts();
        QImageSurface surface(200, 60, fonts);
        QVERIFY(surface.beginDrawing());
        surface.fillRect(0, 0, 200, 60, colours::red);
        // A drawing starts with the system font.
        const QFontMetrics system(fonts.system.toQFont());
        QCOMPARE(surface.textWidth("100"), system.horizontalAdvance("100"));
        surface.usePlotFont();
        const QFontMetrics plot(fonts.plot.toQFont());
        QCOMPARE(surface.textWidth("Vmax 65.00"), plot.horizontalAdvance("Vmax 65.00"));
        surface.text(10, 5, "Ymax", colours::black, colours::white);
        surface.endDrawing();
        const QImage picture = surface.picture();
        const int advance = plot.horizontalAdvance("Ymax");
        const int height = plot.height();
        int dark = 0;  // glyph pixels, smoothed at their edges
        for (int y = 5; y < 5 + height; ++y) {
            for (int x = 10; x < 10 + advance; ++x) {
                const QRgb p = picture.pixel(x, y);
                QVERIFY2(p != qRgb(255, 0, 0), "the text box is filled with the back colour");
                if (qGray(p) < 128)
                    ++dark;
            }
        }
        QVERIFY(dark > 10);
        // Just outside the box nothing changed.
        QCOMPARE(picture.pixel(9, 5), qRgb(255, 0, 0));
        QCOMPARE(picture.pixel(10 + advance, 5), qRgb(255, 0, 0));
        QCOMPARE(picture.pixel(10, 5 + height), qRgb(255, 0, 0));
    }

    void textFarOutsideIsClipped() {
        QImageSurface surface(50, 20, testFonts());
        QVERIFY(surface.beginDrawing());
        surface.fillRect(0, 0, 50, 20, colours::white);
        surface.text(2147483647, 2147483647, "90", colours::black, colours::white);
        surface.text(-2147483647 - 1, 3, "1000000000", colours::black, colours::white);
        surface.endDrawing();
        const QImage picture = surface.picture();
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 50; ++x)
                QCOMPARE(picture.pixel(x, y), qRgb(255, 255, 255));
        }
    }

    void everyDrawingHasAPictureOfItsOwn() {
        QImageSurface surface(8, 8, testFonts());
        QVERIFY(surface.beginDrawing());
        surface.fillRect(0, 0, 8, 8, colours::red);
        surface.endDrawing();
        const QImage first = surface.picture();
        QVERIFY(surface.beginDrawing());
        surface.fillRect(0, 0, 8, 8, colours::green);
        surface.endDrawing();
        QCOMPARE(first.pixel(4, 4), qRgb(255, 0, 0));
        QCOMPARE(surface.picture().pixel(4, 4), qRgb(0, 255, 0));
    }

    void pictureBuffersComeBackWhenTheLastCopyGoes() {
        auto pool = PicturePool::create(16, 8);
        QImage first = pool->acquire();
        QImage second = pool->acquire();
        QVERIFY(!first.isNull() && !second.isNull());
        QCOMPARE(first.size(), QSize(16, 8));
        QVERIFY(first.constBits() != second.constBits());
        const uchar* firstBuffer = first.constBits();
        QImage shown = first;  // the window's copy keeps the buffer lent out
        first = QImage();
        QCOMPARE(pool->idleBuffers(), std::size_t{0});
        shown = QImage();
        QCOMPARE(pool->idleBuffers(), std::size_t{1});
        QImage third = pool->acquire();
        QCOMPARE(third.constBits(), firstBuffer);
        // Pictures outlive the pool's owner.
        pool.reset();
        third.fill(Qt::red);
        QCOMPARE(third.pixel(15, 7), qRgb(255, 0, 0));
    }

    void drawingThatCannotBeginDrawsNothing() {
        QImageSurface surface(0, 200, testFonts());
        QVERIFY(!surface.beginDrawing());
        surface.fillRect(0, 0, 10, 10, colours::black);
        surface.text(0, 0, "x", colours::black, colours::white);
        QCOMPARE(surface.textWidth("x"), 0);
        surface.endDrawing();
        QVERIFY(surface.picture().isNull());
    }

    void canvasKeepsItsPictureAndDescribesIt() {
        QWidget parent;
        PictureCanvas* canvas = createCanvas(&parent, QRect(5, 15, 100, 40));
        QCOMPARE(canvas->accessibleName(), QString("Flugbahn"));
        QImage red(100, 40, QImage::Format_RGB32);
        red.fill(qRgb(255, 0, 0));
        canvas->setPicture(red);
        canvas->setPicture(QImage());
        QCOMPARE(canvas->picture().pixel(0, 0), qRgb(255, 0, 0));
        ResultLines lines;
        for (std::size_t i = 0; i < lines.size(); ++i)
            lines[i] = "line " + std::to_string(i);
        canvas->setResultLines(lines);
        QCOMPARE(canvas->accessibleDescription(),
                 QString("line 0\nline 1\nline 2\nline 3\nline 4\nline 5\nline 6\nline 7"));
        // The widget shows the picture inside its sunken frame.
        parent.show();
        const QImage shown = canvas->grab().toImage();
        const QPoint inside = canvas->contentsRect().center();
        QCOMPARE(shown.pixel(inside), qRgb(255, 0, 0));
    }

    void pauseEndsEarlyWhenStopped() {
        StopSignal stop;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(stop.sleepFor(20));
        QVERIFY(timer.elapsed() >= 20);
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            stop.request();
        });
        timer.restart();
        QVERIFY(!stop.sleepFor(10000));
        stopper.join();
        QVERIFY(timer.elapsed() < 2000);
        QVERIFY(!stop.sleepFor(10));  // stays stopped until reset
        stop.reset();
        QVERIFY(stop.sleepFor(1));
    }

    void jobFinishesOnTheGuiThreadAfterItsTexts() {
        ProgramState state;
        state.params = defaultParameterSet();
        state.geometry = layoutGeometry({1024, 768});
        RecordingReceiver receiver;
        const PlotFonts fonts = testFonts();
        JobThread jobs(receiver);
        bool finished = false;
        std::size_t textsAtFinish = 0;
        std::size_t picturesAtFinish = 0;
        const bool started = jobs.start(
            [&](StopSignal& stop) {
                QtJobHost host(
                    FlightState{state.params, state.trajectory, state.results, state.geometry},
                    fonts, receiver, stop);
                host.computeTrajectory();
                host.pause(1);
                host.showText(JobField::winkelField, "6.49");
                host.showText(JobField::sightLabel90, "12.34");
            },
            [&] {
                finished = true;
                textsAtFinish = receiver.texts.size();
                picturesAtFinish = receiver.pictures.size();
            });
        QVERIFY(started);
        QVERIFY(jobs.running());
        QVERIFY(!jobs.start([](StopSignal&) {}, [] {}));  // one job at a time
        QTRY_VERIFY(finished);
        QVERIFY(!jobs.running());
        QCOMPARE(picturesAtFinish, std::size_t{1});
        QCOMPARE(textsAtFinish, std::size_t{2});
        QCOMPARE(receiver.texts[0].second, std::string("6.49"));
        QVERIFY(receiver.texts[1].first == JobField::sightLabel90);
        const QImage& picture = receiver.pictures.front();
        QCOMPARE(picture.size(), QSize(1014, 200));
        QVERIFY(receiver.lines[1].rfind("Vmax 65.00 m/sek.", 0) == 0);
    }

    void stopEndsAJobAtItsNextPause() {
        RecordingReceiver receiver;
        JobThread jobs(receiver);
        std::atomic<int> pauses{0};
        bool finishedCalled = false;
        QVERIFY(jobs.start(
            [&](StopSignal& stop) {
                for (;;) {
                    if (!stop.sleepFor(500))
                        throw JobStopped{};
                    ++pauses;
                }
            },
            [&] { finishedCalled = true; }));
        QTest::qWait(20);
        QElapsedTimer timer;
        timer.start();
        jobs.stop();
        QVERIFY(timer.elapsed() < 1000);
        QVERIFY(!jobs.running());
        QCOMPARE(pauses.load(), 0);
        QCoreApplication::processEvents();
        QVERIFY(!finishedCalled);
        // A new job runs after a stop.
        bool secondFinished = false;
        QVERIFY(jobs.start([](StopSignal& stop) { QVERIFY(stop.sleepFor(1)); },
                           [&] { secondFinished = true; }));
        QTRY_VERIFY(secondFinished);
    }

    void hostStopsBeforeIntegrating() {
        ProgramState state;
        state.params = defaultParameterSet();
        state.geometry = layoutGeometry({1024, 768});
        RecordingReceiver receiver;
        StopSignal stop;
        QtJobHost host(FlightState{state.params, state.trajectory, state.results, state.geometry},
                       testFonts(), receiver, stop);
        stop.request();
        bool stopped = false;
        try {
            host.computeTrajectory();
        } catch (const JobStopped&) {
            stopped = true;
        }
        QVERIFY(stopped);
        QVERIFY(state.trajectory.empty());
        QVERIFY_THROWS_EXCEPTION(JobStopped, host.pause(10));
    }
};

TARVENIX_GUI_TEST_MAIN(QtPlatformTest)
#include "qtplatform_test.moc"
