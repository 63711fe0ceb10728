// The main window: layout and scaling, controls and their names, the read-back of the
// parameter fields, "Dichte berechnen", the plot after "Berechnen", and bad input.
#include <QElapsedTimer>
#include <QLocale>
#include <clocale>
#include <cmath>
#include <limits>

#include "app/gui/controltable.h"
#include "flight/formulas.h"
#include "guitestsupport.h"
#include "platform/numbertext.h"

using namespace tarvenix;
using testing::WindowUnderTest;

namespace {

// Whole metres above and below height 0 that the plot shows, as the layout of the grid
// defines them: T = floor(highest) + 1, B = the greater of 2 and floor(|lowest|).
struct Range {
    int top;
    int bottom;
};

Range shownRange(const TrajectoryList& list) {
    float highest = 0.0f;
    float lowest = 100.0f;
    list.forEach([&](const TrajectoryPoint& p) {
        highest = std::max(highest, static_cast<float>(p.y));
        lowest = std::min(lowest, static_cast<float>(p.y));
    });
    const int top = static_cast<int>(std::floor(highest)) + 1;
    const int bottom = std::max(2, static_cast<int>(std::floor(std::fabs(lowest))));
    return {top, bottom};
}

float lowestHeight(const TrajectoryList& list) {
    float lowest = 100.0f;
    list.forEach([&](const TrajectoryPoint& p) { lowest = std::min(lowest, float(p.y)); });
    return lowest;
}

bool isBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}
bool isWhite(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(255, 255, 255);
}

int countPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    }
    return n;
}

QStringList descriptionLines(const MainWindow& w) {
    return w.plotCanvas->accessibleDescription().split('\n');
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { watchdog_ = std::make_unique<testing::ModalWatchdog>(); }
    void cleanupTestCase() { QVERIFY2(watchdog_->unexpected().isEmpty(), "no modal dialog"); }

    void layoutAtTheDesignScreen() {
        WindowUnderTest t({1024, 768});
        QVERIFY(t.window);
        AppWindow& window = t.window->window();
        QCOMPARE(window.windowTitle(), QString("Tarvenix"));
        QCOMPARE(window.size(), QSize(1024, 588));
        QCOMPARE(window.pos(), QPoint(0, 0));
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMaximized() && !window.isMinimized());

        const auto& controls = t.window->controls();
        const auto& table = controlTable();
        QCOMPARE(controls.size(), std::size_t{86});
        // At scale 1 every control lies at (x, 200 + dy), w wide and 20 high.
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const ControlRow& row = table[i];
            const QRect expected = row.kind == ControlKind::canvas
                                       ? QRect(5, 15, 1014, 200)
                                       : QRect(row.x, 200 + row.dy, row.w, 20);
            QCOMPARE(controls[i]->geometry(), expected);
        }
        QCOMPARE(t.window->speichernButton->geometry(), QRect(15, 540, 80, 20));
        QCOMPARE(t.window->plotCanvas->geometry(), QRect(5, 15, 1014, 200));
    }

    void controlsAreDirectChildrenInTableOrder() {
        WindowUnderTest t;
        QList<QWidget*> children;
        for (QObject* child : t.window->window().children()) {
            if (auto* w = qobject_cast<QWidget*>(child))
                children.append(w);
        }
        const auto& controls = t.window->controls();
        QCOMPARE(children.size(), qsizetype(86));
        for (std::size_t i = 0; i < controls.size(); ++i) {
            QCOMPARE(children[qsizetype(i)], controls[i]);
            QCOMPARE(controls[i]->objectName().toStdString(), std::string(controlTable()[i].name));
        }
        // Tab moves the focus through the fields and buttons in creation order.
        QWidget* next = t.window->cwField->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next, static_cast<QWidget*>(t.window->rhoField));
    }

    void tiesGoToTheEvenPixel() {
        // A usable width of 1280 gives scaleX 1.25, and x.5 products go to the even pixel.
        WindowUnderTest t({1280, 768});
        const MainWindow& w = *t.window;
        QCOMPARE(w.plotCanvas->geometry(), QRect(6, 15, 1268, 200));  // 6.25 and 1267.5
        QCOMPARE(w.distanz1Field->x(), 662);                          // 530 x 1.25 = 662.5
        QCOMPARE(w.sight1Field->x(), 725);
        QCOMPARE(w.distanz1Field->width(), 50);
        // The unit labels of the density group at design x 790: 987.5.
        int unitLabels = 0;
        for (std::size_t i = 0; i < controlTable().size(); ++i) {
            if (controlTable()[i].x == 790) {
                QCOMPARE(w.controls()[i]->x(), 988);
                ++unitLabels;
            }
        }
        QCOMPARE(unitLabels, 4);
        // A usable height of 768: every top edge stays at 200 + dy.
        QCOMPARE(w.speichernButton->geometry(), QRect(19, 540, 100, 20));  // 18.75, 100
        QCOMPARE(t.window->window().size(), QSize(1280, 588));
    }

    void initialTextsNamesAndTips() {
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        const QList<std::pair<TextField*, QString>> fields = {
            {w.cwField, "3.05"},         {w.rhoField, "1.20"},
            {w.diameterField, "6.50"},   {w.massField, "18.50"},
            {w.v0Field, "65.00"},        {w.gField, "9.8067"},
            {w.winkelField, "6.50"},     {w.distanceField, "90"},
            {w.hoeheZielField, "-0.20"}, {w.abstandAugeVisierField, "1000"},
            {w.distanz1Field, "30"},     {w.sight1Field, ""},
            {w.distanz2Field, "50"},     {w.sight2Field, ""},
            {w.pressureField, "1015"},   {w.temperatureField, "20"},
            {w.altitudeField, "0"},
        };
        for (const auto& [field, text] : fields)
            QCOMPARE(field->text(), text);
        QCOMPARE(w.angleLabels[0]->text(), QString("---"));
        QCOMPARE(w.sightLabels[7]->text(), QString("mm"));
        QCOMPARE(w.differenzLabel->text(), QString("000"));
        QCOMPARE(w.densityLabel->text(), QString("0"));
        QCOMPARE(w.abbrechenButton->text(), QString("Abbrechen"));

        const QList<std::pair<QWidget*, QString>> names = {
            {w.cwField, "cW Wert"},          {w.rhoField, "Luftdichte"},
            {w.diameterField, "Pfeil Ø mm"}, {w.massField, "Pfeil Gewicht"},
            {w.v0Field, "Geschwindigkeit"},  {w.gField, "Erdbeschleunigung"},
            {w.winkelField, "Winkel"},       {w.distanceField, "Entfernung"},
            {w.hoeheZielField, "Höhe Ziel"}, {w.abstandAugeVisierField, "Abstand Auge Visier"},
            {w.distanz1Field, "Distanz 1"},  {w.sight1Field, "Visiereinstellung 1"},
            {w.distanz2Field, "Distanz 2"},  {w.sight2Field, "Visiereinstellung 2"},
            {w.pressureField, "Luftdruck"},  {w.temperatureField, "Temperatur"},
            {w.altitudeField, "Höhe"},       {w.plotCanvas, "Flugbahn"},
        };
        for (const auto& [control, name] : names)
            QCOMPARE(control->accessibleName(), name);

        QCOMPARE(w.abstandAugeVisierField->toolTip(),
                 QString("Entfernung Auge - Visierkorn in mm"));
        QCOMPARE(w.distanz2Field->toolTip(), QString("Gültige Werte 18, 25, 30, 50, 70, und 90 m"));
        QCOMPARE(w.sight1Field->toolTip(),
                 QString("Visiereinstellung in mm bei der entsprechenden Enfernung"));
        QCOMPARE(w.pressureField->toolTip(), QString("Luftdruck auf Meereshöhe"));
        QCOMPARE(w.v0Button->toolTip(), QString("Wenn alle anderen Parameter bekannt sind können "
                                                "sie die Anfangsgeschwindigkeit berechnen."));
        QCOMPARE(
            w.cwButton->toolTip(),
            QString("Wenn alle anderen Parameter bekannt sind können sie den cW Wert berechnen."));
        QVERIFY(w.berechnenButton->toolTip().isEmpty());

        const QList<TextField*> digitsOnly = {
            w.distanceField, w.abstandAugeVisierField, w.distanz1Field,
            w.sight1Field,   w.distanz2Field,          w.sight2Field,
            w.pressureField, w.temperatureField,       w.altitudeField};
        for (const auto& [field, text] : fields) {
            QCOMPARE(field->digitsOnly(), digitsOnly.contains(field));
        }

        // Every control has the control font: Arial 10 pt bold.
        for (QWidget* control : w.controls()) {
            if (control == w.plotCanvas)
                continue;
            QCOMPARE(control->font().pixelSize(), 13);
            QCOMPARE(control->font().weight(), QFont::Bold);
            QCOMPARE(control->font().family(), QString("Arial"));
        }
    }

    void numbersUseAPointUnderAGermanLocale() {
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const std::string previousC = std::setlocale(LC_ALL, nullptr);
        QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr);
        {
            WindowUnderTest t;
            const MainWindow& w = *t.window;
            QCOMPARE(w.cwField->text(), QString("3.05"));
            QCOMPARE(w.gField->text(), QString("9.8067"));
            w.dichteButton->click();
            QCOMPARE(w.densityLabel->text(), QString("1.21"));
            w.berechnenButton->click();
            QCOMPARE(t.state.params.CW, double(3.05f));
            QCOMPARE(descriptionLines(w).at(1), QString("Vmax 65.00 m/sek. (234.00 km/h)"));
        }
        std::setlocale(LC_ALL, previousC.c_str());
        QLocale::setDefault(previous);
    }

    void readBack_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("comma in cW") << "cwField"
                                     << "1,5" << 1.5;
        QTest::newRow("comma in V0 stops the number") << "v0Field"
                                                      << "1,5" << 1.0;
        QTest::newRow("empty cW") << "cwField"
                                  << "" << 0.0;
        QTest::newRow("unedited cW") << "cwField"
                                     << "3.05" << double(3.05f);
        QTest::newRow("unedited rho") << "rhoField"
                                      << "1.20" << 1.2000000476837158;
        QTest::newRow("unedited G") << "gField"
                                    << "9.8067" << 9.806699752807617;
        QTest::newRow("diameter to radius") << "diameterField"
                                            << "6.50" << 0.00325;
        QTest::newRow("mass to kg") << "massField"
                                    << "18.50" << 0.0185;
        QTest::newRow("angle with comma") << "winkelField"
                                          << "7,25" << 7.25;
        QTest::newRow("target height") << "hoeheZielField"
                                       << "-0,2" << double(-0.2f);
        QTest::newRow("distance in hex") << "distanceField"
                                         << "$ff" << 255.0;
        QTest::newRow("distance in binary") << "distanceField"
                                            << "%101" << 5.0;
        QTest::newRow("pasted decimal distance") << "distanceField"
                                                 << "10.5" << 10.0;
        QTest::newRow("distance low 32 bits") << "distanceField"
                                              << "4294967297" << 1.0;
    }
    void readBack() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(double, expected);
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        auto* edit = t.window->window().findChild<QLineEdit*>(field);
        QVERIFY(edit);
        edit->setText(text);
        w.berechnenButton->click();
        const ParameterSet& p = t.state.params;
        const std::map<QString, double> read = {{"cwField", p.CW},
                                                {"rhoField", p.RHO},
                                                {"diameterField", p.R},
                                                {"massField", p.M},
                                                {"v0Field", double(p.V0)},
                                                {"gField", p.G},
                                                {"winkelField", p.Winkel},
                                                {"distanceField", double(p.Distance)},
                                                {"hoeheZielField", p.HoeheZiel}};
        QCOMPARE(read.at(field), expected);
    }

    void onlySpeichernReadsTheEyeToSightDistance() {
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        w.abstandAugeVisierField->setText("850");
        w.cwField->setText("2,5");
        w.berechnenButton->click();
        QCOMPARE(t.state.params.AbstandAugeVisier, 1000);
        QCOMPARE(t.state.params.CW, 2.5);
        w.speichernButton->click();
        QCOMPARE(t.state.params.AbstandAugeVisier, 850);
        QFile file(t.workingDirectory.filePath("Tarvenix.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY(saved.contains("\r\nCW = 2.5\r\n"));
        QVERIFY(saved.contains("\r\nAbstand Auge Visier = 850\r\n"));
    }

    void dichteShowsTheDensityAndLeavesRho() {
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        w.dichteButton->click();
        QCOMPARE(w.densityLabel->text(), QString("1.21"));
        QCOMPARE(w.rhoField->text(), QString("1.21"));
        QCOMPARE(t.state.params.RHO, 1.2);
        // A comma in the temperature is not a decimal point: 20,5 reads as 20.
        w.temperatureField->setText("20,5");
        w.pressureField->setText("10.5");
        w.dichteButton->click();
        QCOMPARE(w.densityLabel->text(),
                 QString::fromStdString(formatDecimals(float(airDensity(20.0f, 10, 0)), 2)));
        // The next read-back takes the shown value.
        w.berechnenButton->click();
        QCOMPARE(t.state.params.RHO, double(parseFloat(w.rhoField->text().toStdString())));
    }

    void berechnenDrawsTheDefaultFlight() {
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        // The first drawing of a run loads the fonts' glyphs; the next ones are the usual case.
        for (const char* which : {"first", "second", "third", "fourth"}) {
            QElapsedTimer clock;
            clock.start();
            w.berechnenButton->click();
            w.plotCanvas->repaint();
            qInfo("Berechnen, click to repainted canvas, %s time: %.2f ms", which,
                  clock.nsecsElapsed() / 1e6);
        }

        const QImage picture = w.plotCanvas->picture();
        QCOMPARE(picture.size(), QSize(1014, 200));
        // Highest point between 2 and 3 m, lowest between -2 and 0 m: T = 3, B = 2.
        const Range range = shownRange(t.state.trajectory);
        QCOMPARE(range.top, 3);
        QCOMPARE(range.bottom, 2);
        // Grid rows at i x 200 / 5. A grid line runs from (1, y) to (W, y + 1): row y on
        // the left half, y + 1 on the right. Column 300 is clear of texts, ticks and dots.
        for (int row : {40, 80, 120, 160}) {
            QVERIFY(isBlack(picture, 300, row));
            QVERIFY(isWhite(picture, 300, row + 1));
            QVERIFY(isBlack(picture, 1010, row + 1));
            QVERIFY(isWhite(picture, 1010, row));
            QVERIFY(isWhite(picture, 300, row - 1));
        }
        QVERIFY(isWhite(picture, 0, 80));  // the lines start at column 1
        // Labelled ticks every 10 m reach 10 rows below height 0 (row 120), metre ticks 5.
        const double sx = 1014.0 / 90;
        for (int m = 10; m < 90; m += 10) {
            const int column = int(std::nearbyint(sx * m));
            QVERIFY(isBlack(picture, column, 129));
        }
        const int metre = int(std::nearbyint(sx * 1));
        QVERIFY(isBlack(picture, metre, 124));
        QVERIFY(isWhite(picture, metre, 127));
        // The flight as red dots, the highest point as a green one.
        QVERIFY(countPixels(picture, qRgb(255, 0, 0)) > 1000);
        QVERIFY(countPixels(picture, qRgb(0, 255, 0)) > 0);
        // What is drawn is what the window shows.
        const QImage shown = w.plotCanvas->grab().toImage();
        const QPoint origin = w.plotCanvas->contentsRect().topLeft();
        QCOMPARE(shown.pixel(origin + QPoint(5, 40)), picture.pixel(5, 40));
        QCOMPARE(shown.pixel(origin + QPoint(500, 100)), picture.pixel(500, 100));

        const QStringList lines = descriptionLines(w);
        QCOMPARE(lines.size(), qsizetype(8));
        const QStringList starts = {"VØ ",   "Vmax ", "Vmin ",          "T ",
                                    "Ymax ", "Ymin ", "Anzahl Punkte ", "Flugbahnweg "};
        for (qsizetype i = 0; i < 8; ++i)
            QVERIFY(lines[i].startsWith(starts[i]));
        QCOMPARE(lines[1], QString("Vmax 65.00 m/sek. (234.00 km/h)"));
        QCOMPARE(lines[6], QString("Anzahl Punkte %1").arg(t.state.trajectory.size() - 1));
        QVERIFY(lines[0].endsWith(" km/h)") && lines[3].endsWith(" s"));
    }

    void ticksAtDistance25() {
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        w.distanceField->setText("25");
        w.berechnenButton->click();
        const QImage picture = w.plotCanvas->picture();
        const Range range = shownRange(t.state.trajectory);
        const int zeroRow = int(std::nearbyint(200.0 / (range.top + range.bottom) * range.top));
        const double sx = 1014.0 / 25;
        // Labelled ticks at 0, 10 and 20 m only; metre ticks from 1 to 24.
        // Below height 0 the flight leaves the ticks uncovered.
        for (int m : {10, 20})
            QVERIFY(isBlack(picture, int(std::nearbyint(sx * m)), zeroRow + 8));
        for (int m : {1, 5, 15, 24}) {
            const int column = int(std::nearbyint(sx * m));
            QVERIFY(isWhite(picture, column, zeroRow + 8));
            QVERIFY(isBlack(picture, column, zeroRow + 4));
            QVERIFY(isWhite(picture, column + 1, zeroRow + 4));
        }
    }

    void noGreenDotWithoutARise() {
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        w.winkelField->setText("0");
        w.berechnenButton->click();
        const QImage picture = w.plotCanvas->picture();
        QCOMPARE(countPixels(picture, qRgb(0, 255, 0)), 0);
        QVERIFY(countPixels(picture, qRgb(255, 0, 0)) > 0);
        QCOMPARE(shownRange(t.state.trajectory).top, 1);
    }

    void depthBelowZeroInWholeMetres_data() {
        QTest::addColumn<QString>("distance");
        QTest::addColumn<int>("bottom");
        QTest::newRow("lowest above -3 m: B = 2") << "40" << 2;
        QTest::newRow("lowest below -3 m: B = 3") << "50" << 3;
    }
    void depthBelowZeroInWholeMetres() {
        QFETCH(QString, distance);
        QFETCH(int, bottom);
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        w.winkelField->setText("0");
        w.distanceField->setText(distance);
        w.berechnenButton->click();
        const float lowest = lowestHeight(t.state.trajectory);
        if (bottom == 2)
            QVERIFY(lowest > -3.0f && lowest < -2.0f);
        if (bottom == 3)
            QVERIFY(lowest > -4.0f && lowest <= -3.0f);
        // T = 1: grid lines every 200 / (1 + B) rows.
        const QImage picture = w.plotCanvas->picture();
        for (int i = 1; i <= bottom; ++i) {
            const int row = int(std::nearbyint(i * 200.0 / (1 + bottom)));
            QVERIFY2(isBlack(picture, 300, row), qPrintable(QString::number(row)));
            QVERIFY(isWhite(picture, 300, row - 1));
        }
        const int between = int(std::nearbyint(0.5 * 200.0 / (1 + bottom)));
        QVERIFY(isWhite(picture, 300, between));
    }

    void oneSinglePointAtDistanceZero() {
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        w.distanceField->setText("0");
        w.berechnenButton->click();
        const QStringList lines = descriptionLines(w);
        QCOMPARE(lines[2], QString("Vmin 1000.00 m/sek. (3600.00 km/h)"));
        QCOMPARE(lines[4], QString("Ymax 0.00 m (0.00 m)"));
        QCOMPARE(lines[5], QString("Ymin 0.00 m (0.00 m)"));
        QCOMPARE(lines[6], QString("Anzahl Punkte 0"));
        // Background, grid and texts; no dots.
        const QImage picture = w.plotCanvas->picture();
        QCOMPARE(countPixels(picture, qRgb(255, 0, 0)), 0);
        // T = 1, B = 2: grid lines at rows 67 and 133.
        QVERIFY(isBlack(picture, 300, 67));
        QVERIFY(isBlack(picture, 300, 133));
    }

    void abbrechenOnlyRaisesTheFlag() {
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        w.cwField->setText("1");
        w.abbrechenButton->click();
        QCOMPARE(t.state.cancelFlag.load(), 1);
        QCOMPARE(t.state.params.CW, 3.05);
        QVERIFY(w.berechnenButton->isEnabled());
    }

    void badInputNeverBreaksTheWindow_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("decimal");  // what a decimal field reads
        QTest::addColumn<int>("integer");     // what an integer field reads
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("empty") << "" << 0.0 << 0;
        QTest::newRow("letters") << "abc" << 0.0 << 0;
        QTest::newRow("minus") << "-" << 0.0 << 0;
        QTest::newRow("overflow") << "1e400" << inf << 1;
        QTest::newRow("negative overflow") << "-1e400" << -inf << -1;
        QTest::newRow("nan") << "nan" << nan << 0;
        QTest::newRow("infinity") << "+Infinity" << inf << 0;
        QTest::newRow("twenty digits") << "99999999999999999999" << double(1e20f) << 1661992959;
        QTest::newRow("hex") << "$ffffffff" << 0.0 << -1;
        QTest::newRow("binary") << "%1111" << 0.0 << 15;
        QTest::newRow("pasted decimal") << "12.5" << 12.5 << 12;
        QTest::newRow("pasted negative") << "-3" << -3.0 << -3;
        QTest::newRow("thousands of digits") << QString(5000, '7') << inf << 0;
    }
    void badInputNeverBreaksTheWindow() {
        QFETCH(QString, text);
        QFETCH(double, decimal);
        QFETCH(int, integer);
        WindowUnderTest t;
        const MainWindow& w = *t.window;
        const ParameterSet& p = t.state.params;
        const bool longText = text.size() > 100;
        // One field at a time, each with the buttons that read it.
        const QList<std::pair<TextField*, std::function<double()>>> decimals = {
            {w.cwField, [&] { return p.CW; }},
            {w.rhoField, [&] { return p.RHO; }},
            {w.diameterField, [&] { return p.R * 2000; }},
            {w.massField, [&] { return p.M * 1000; }},
            {w.gField, [&] { return p.G; }},
            {w.winkelField, [&] { return p.Winkel; }},
            {w.hoeheZielField, [&] { return p.HoeheZiel; }},
        };
        for (const auto& [field, value] : decimals) {
            const QString before = field->text();
            field->setText(text);
            w.berechnenButton->click();
            const double read = value();
            if (std::isnan(decimal)) {
                QVERIFY(std::isnan(read));
            } else {
                QVERIFY2(std::fabs(read - decimal) <= 1e-6 * std::fabs(decimal) || read == decimal,
                         qPrintable(field->objectName()));
            }
            field->setText(before);
        }
        // V0 reads without the comma replacement; none of these texts has a comma.
        w.v0Field->setText(text);
        w.berechnenButton->click();
        QVERIFY(std::isnan(decimal) ? std::isnan(p.V0)
                                    : double(p.V0) == decimal || std::fabs(p.V0 - decimal) < 1e-6);
        w.v0Field->setText("65.00");

        if (!longText) {
            // A huge distance integrates until the trajectory list is full; still bounded.
            w.distanceField->setText(text);
            w.berechnenButton->click();
            QCOMPARE(p.Distance, integer);
            w.distanceField->setText("90");
        }
        w.abstandAugeVisierField->setText(text);
        w.speichernButton->click();
        if (!longText)
            QCOMPARE(p.AbstandAugeVisier, integer);

        for (TextField* field : {w.pressureField, w.temperatureField, w.altitudeField}) {
            const QString before = field->text();
            field->setText(text);
            w.dichteButton->click();
            QVERIFY(!w.densityLabel->text().isEmpty());
            field->setText(before);
        }
        // The window still works as before.
        w.berechnenButton->click();
        QCOMPARE(descriptionLines(w).size(), qsizetype(8));
        w.dichteButton->click();
        QCOMPARE(w.densityLabel->text(), QString("1.21"));
    }

  private:
    std::unique_ptr<testing::ModalWatchdog> watchdog_;
};

TARVENIX_GUI_TEST_MAIN(WindowTest)
#include "window_test.moc"
