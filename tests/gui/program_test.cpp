// The whole run of the program in a temporary working directory: start-up with its
// disclaimer, the window, closing and the settings file it leaves, the exit code, and a
// close while a job runs.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>

#include "app/gui/startup.h"
#include "guitestsupport.h"

using namespace tarvenix;
using testing::ModalWatchdog;
using testing::TemporaryWorkingDirectory;
using testing::WarningRecorder;

namespace {

const QString disclaimer = QString::fromUtf8(
    "Da sehr viele Faktoren den Pfeilflug beeinflussen, können die berechneten Werte nur als "
    "gobe Einschätzung dienen. Errechnete Visiereinstellungen können falsch sein und müssen auf "
    "einem geeigneten Gelände geprüft werden.\r\n"
    "Für etwaige Fehler wird keine Haftung übernommen.\r\n"
    "\r\n");

AppWindow* visibleMainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<AppWindow*>(w); window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

qint64 iniSize() {
    const QFileInfo info("Tarvenix.ini");
    return info.exists() ? info.size() : -1;
}

QList<QByteArray> iniLines() {
    QFile file("Tarvenix.ini");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().split('\n');
}

// Answers the disclaimer with OK and records what it showed.
struct DisclaimerAnswer {
    bool seen = false;
    bool windowBefore = false;
    bool ownerless = false;
    QString text;
    QMessageBox::StandardButtons buttons;
    qint64 fileSize = -2;

    ModalWatchdog::Handler handler() {
        return [this](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr || box->windowTitle() != "Hinweis" || seen)
                return false;
            seen = true;
            windowBefore = visibleMainWindow() != nullptr;
            ownerless = box->parentWidget() == nullptr;
            text = box->text();
            buttons = box->standardButtons();
            fileSize = iniSize();
            box->button(QMessageBox::Ok)->click();
            return true;
        };
    }
};

// Calls `act` once the main window shows.
class WhenWindowShows {
  public:
    explicit WhenWindowShows(std::function<void(AppWindow&)> act) : act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (AppWindow* window = visibleMainWindow()) {
                timer_.stop();
                act_(*window);
            }
        });
        timer_.start(10);
    }

  private:
    std::function<void(AppWindow&)> act_;
    QTimer timer_;
};

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

  private slots:
    void firstStartAndClose() {
        TemporaryWorkingDirectory dir;
        WarningRecorder warnings;
        DisclaimerAnswer disclaimerAnswer;
        ModalWatchdog watchdog(disclaimerAnswer.handler());
        QStringList texts;
        qint64 sizeWhileOpen = -2;
        WhenWindowShows whenShown([&](AppWindow& window) {
            for (const char* name :
                 {"cwField", "rhoField", "diameterField", "massField", "v0Field", "gField",
                  "winkelField", "distanceField", "hoeheZielField", "abstandAugeVisierField"}) {
                texts << window.findChild<QLineEdit*>(name)->text();
            }
            sizeWhileOpen = iniSize();
            window.close();
        });

        const int exitCode = runProgram(*qApp, {ScreenSize{1024, 768}});

        QCOMPARE(exitCode, 0);
        QVERIFY(disclaimerAnswer.seen);
        QVERIFY2(!disclaimerAnswer.windowBefore, "the disclaimer comes before the window");
        QVERIFY(disclaimerAnswer.ownerless);
        QCOMPARE(disclaimerAnswer.text, disclaimer);
        QCOMPARE(disclaimerAnswer.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // Created at once, written only when the document closes.
        QCOMPARE(disclaimerAnswer.fileSize, qint64(0));
        QCOMPARE(sizeWhileOpen, qint64(0));
        QCOMPARE(texts, QStringList({"3.05", "1.20", "6.50", "18.50", "65.00", "9.8067", "6.50",
                                     "90", "-0.20", "1000"}));
        QVERIFY(visibleMainWindow() == nullptr);

        const QList<QByteArray> lines = iniLines();
        QCOMPARE(lines.size(), qsizetype(19));  // 18 lines, each ending in CR LF
        for (qsizetype i = 0; i < 18; ++i)
            QVERIFY(lines[i].endsWith('\r'));
        QVERIFY(lines[18].isEmpty());
        QCOMPARE(lines[0], QByteArray("\xEF\xBB\xBF\r"));
        QCOMPARE(lines[1], QByteArray("[Global]\r"));
        QCOMPARE(lines[4], QByteArray("[Parameter]\r"));
        QVERIFY(lines[7].startsWith("CW = 3.04999999999999"));
        QCOMPARE(lines[11], QByteArray("V0 = 65.000000\r"));
        QCOMPARE(lines[14], QByteArray("Winkel = 6.5\r"));
        QCOMPARE(lines[16], QByteArray("Hoehe Ziel = -0.200000\r"));
        QCOMPARE(lines[17], QByteArray("Abstand Auge Visier = 1000\r"));

        QVERIFY2(warnings.warnings().isEmpty(), qPrintable(warnings.warnings().join('\n')));
        QVERIFY(watchdog.unexpected().isEmpty());
    }

    void existingSettingsAreShownAndLeftAsTheyAre() {
        TemporaryWorkingDirectory dir;
        const QByteArray content = "[parameter]\r\ncw = 2.5\r\nDistance = 70 m\r\n";
        {
            QFile file("Tarvenix.ini");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        DisclaimerAnswer disclaimerAnswer;
        ModalWatchdog watchdog(disclaimerAnswer.handler());
        QStringList texts;
        WhenWindowShows whenShown([&](AppWindow& window) {
            for (const char* name : {"cwField", "distanceField", "v0Field"}) {
                texts << window.findChild<QLineEdit*>(name)->text();
            }
            window.close();
        });
        QCOMPARE(runProgram(*qApp, {ScreenSize{1024, 768}}), 0);
        QCOMPARE(texts, QStringList({"2.50", "70", "65.00"}));
        QFile file("Tarvenix.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }

    void aWindowThatCannotOpenEndsTheProgram() {
        TemporaryWorkingDirectory dir;
        DisclaimerAnswer disclaimerAnswer;
        QStringList boxes;
        ModalWatchdog watchdog([&](QWidget* modal) {
            if (disclaimerAnswer.handler()(modal))
                return true;
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr)
                return false;
            boxes << box->windowTitle();
            box->button(QMessageBox::Ok)->click();
            return true;
        });
        RunOptions options{ScreenSize{1024, 768}};
        bool asked = false;
        options.openWindow = [&](const ParameterSet&, const PlotGeometry&, ScreenSize,
                                 const FontDescription&) {
            asked = true;
            return std::unique_ptr<MainWindow>();
        };
        QCOMPARE(runProgram(*qApp, options), 0);
        QVERIFY(disclaimerAnswer.seen);
        QVERIFY(asked);
        QCOMPARE(boxes, QStringList({"Tarvenix"}));
        // The settings document is closed all the same: the defaults reach the disk.
        QCOMPARE(iniLines().size(), qsizetype(19));
    }

    void closingDuringAJobEndsTheProgramAtOnce() {
        TemporaryWorkingDirectory dir;
        WarningRecorder warnings;
        DisclaimerAnswer disclaimerAnswer;
        ModalWatchdog watchdog(disclaimerAnswer.handler());
        QElapsedTimer sinceClose;
        bool jobWasRunning = false;
        QTimer closer;
        WhenWindowShows whenShown([&](AppWindow& window) {
            QLineEdit* winkel = window.findChild<QLineEdit*>("winkelField");
            QPushButton* visier = window.findChild<QPushButton*>("visierButton");
            visier->click();
            // Close once the job has shown a few steps of its first search.
            QObject::connect(&closer, &QTimer::timeout, [&, winkel, visier] {
                if (winkel->text() == "6.50")
                    return;
                closer.stop();
                jobWasRunning = !visier->isEnabled();
                sinceClose.start();
                window.close();
            });
            closer.start(5);
        });

        const int exitCode = runProgram(*qApp, {ScreenSize{1024, 768}});
        const qint64 closeToExit = sinceClose.elapsed();
        qInfo("close during a job to the end of the run: %lld ms", closeToExit);

        QCOMPARE(exitCode, 0);
        QVERIFY(jobWasRunning);
        QVERIFY(closeToExit < 1000);
        QCOMPARE(iniLines().size(), qsizetype(19));  // the settings document was closed
        QVERIFY2(warnings.warnings().isEmpty(), qPrintable(warnings.warnings().join('\n')));
        QVERIFY(watchdog.unexpected().isEmpty());
    }
};

TARVENIX_GUI_TEST_MAIN(ProgramTest)
#include "program_test.moc"
