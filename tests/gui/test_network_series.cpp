// The Feedback Network panel's series and tolerance choices, their lines in
// the inputs file, and the list taken away: its context menu and the CSV,
// read back by Python's csv module as a spreadsheet would read it.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>

#include "gui_support.h"
#include "network/network_panel.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

struct NetworkApp : Started {
    using Started::Started;
    QComboBox* series() const { return operator()<QComboBox>("CboSeries"); }
    QComboBox* tolerance() const { return operator()<QComboBox>("CboTolerance"); }
    QListWidget* list() const { return operator()<QListWidget>("LstOutput"); }
    NetworkPanel* panel() const { return operator()<NetworkPanel>("Frame2"); }
    // Opens the panel and lists the worked example (Check2 cleared).
    void listWorkedExample(int series, int tolerance) const {
        click("Select1(2)");
        operator()<QCheckBox>("Check2")->setCheckState(Qt::Unchecked);
        this->series()->setCurrentIndex(series);
        this->tolerance()->setCurrentIndex(tolerance);
        click("CmdCalc");
    }
};

constexpr int kE24 = 1, kE96 = 3;
constexpr int kNone = 0, kOnePercent = 3;

}  // namespace

class NetworkSeriesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The defaults: E24, no tolerance, and the file as it always was.
    void theDefaultsKeepTheFourLineFile() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.click("Select1(2)");
        QCOMPARE(app.series()->currentText(), QString("Series E24"));
        QCOMPARE(app.tolerance()->currentText(), QString("Tolerance none"));
        QCOMPARE(app.series()->count(), 5);
        QCOMPARE(app.tolerance()->count(), 6);
        app.click("Close2");
        QCOMPARE(dir.read("Korvane_Xfmr.dat"), QByteArray("393.4e-3\r\n550\r\n1200\r\n 1 \r\n"));
        QVERIFY(app.messages.shown.isEmpty());
    }

    void theChoicesAreSavedAndReadAsLinesFiveAndSix() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.click("Select1(2)");
        app.series()->setCurrentIndex(kE96);
        app.tolerance()->setCurrentIndex(kOnePercent);
        app.click("Close2");
        QCOMPARE(dir.read("Korvane_Xfmr.dat"),
                 QByteArray("393.4e-3\r\n550\r\n1200\r\n 1 \r\nE96\r\n1\r\n"));
        app.series()->setCurrentIndex(kE24);  // what the file says wins
        app.click("Select1(2)");
        QCOMPARE(app.series()->currentText(), QString("Series E96"));
        QCOMPARE(app.tolerance()->currentText(), QString("Tolerance 1 %"));
    }

    // A file of four lines, as every file before the choices, and a file
    // with unknown choices open without a read failure, with the defaults.
    void oldAndOddFilesOpenWithTheDefaults_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("four lines") << Lines({"393.4e-3", "550", "1200", "1"});
        QTest::newRow("unknown values") << Lines({"393.4e-3", "550", "1200", "1", "E7", "3"});
    }
    void oldAndOddFilesOpenWithTheDefaults() {
        QFETCH(QByteArray, file);
        ProgramDir dir;
        dir.write("Korvane_Xfmr.dat", file);
        NetworkApp app(dir);
        app.click("Select1(2)");
        app.series()->setCurrentIndex(kE96);
        app.tolerance()->setCurrentIndex(kOnePercent);
        app.click("Close2");
        dir.write("Korvane_Xfmr.dat", file);
        app.click("Select1(2)");
        QVERIFY(app.messages.shown.isEmpty());
        QCOMPARE(app.series()->currentIndex(), kE24);
        QCOMPARE(app.tolerance()->currentIndex(), kNone);
        QCOMPARE(QApplication::focusWidget(), app("TxtAr"));
    }

    void anE96ListingWithTheFactorsBounds() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.listWorkedExample(kE96, kOnePercent);
        QVERIFY(app.messages.shown.isEmpty());
        QCOMPARE(app.list()->count(), 33);
        const QString first = app.list()->item(0)->text();
        QCOMPARE(first.size(), 105);
        QVERIFY2(first.startsWith("332    215     .393  -0.09    547     130   "), qPrintable(first));
        const QString heading = app.operator()<QLabel>("Text16")->text();
        QCOMPARE(heading.indexOf("B low"), 83);
        QCOMPARE(heading.indexOf("B high"), 95);
        // Back to no tolerance: the heading and the rows as they always were.
        app.tolerance()->setCurrentIndex(kNone);
        app.series()->setCurrentIndex(kE24);
        app.click("CmdCalc");
        QCOMPARE(app.list()->count(), 9);
        QCOMPARE(app.list()->item(0)->text().size(), 81);
        QVERIFY(!app.operator()<QLabel>("Text16")->text().contains("B low"));
    }

    // The heading goes with the list when a wide listing scrolls.
    void theHeadingScrollsWithTheList() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.listWorkedExample(kE24, kOnePercent);
        QScrollBar* bar = app.list()->horizontalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);  // 105 characters are wider than the list
        bar->setValue(40);
        auto* heading = app.operator()<HeadingBox>("Text16");
        QCOMPARE(heading->scroll(), 40);
        // Drawn 40 pixels further left: the first column's text is gone
        // from the box's left edge.
        const QImage moved = heading->grab().toImage();
        bar->setValue(0);
        QCOMPARE(heading->scroll(), 0);
        const QImage home = heading->grab().toImage();
        QVERIFY(moved != home);
        QCOMPARE(moved.copy(0, 0, moved.width() - 40, moved.height()),
                 home.copy(40, 0, home.width() - 40, home.height()));
    }

    void theListsMenuCopiesAndSaves() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.click("Select1(2)");
        QStringList texts;
        QList<bool> enabled;
        const auto open = [&] {
            QTimer::singleShot(0, [&] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (!menu) return;
                for (QAction* action : menu->actions()) {
                    texts << action->text();
                    enabled << action->isEnabled();
                }
                menu->close();
            });
            emit app.list()->customContextMenuRequested(QPoint(10, 10));
        };
        open();
        QCOMPARE(texts, QStringList({"&Copy", "&Save as CSV...", "", "Sort &By", "&Original Order"}));
        QCOMPARE(enabled, QList<bool>({false, false, true, false, false}));  // nothing listed yet
        app.operator()<QCheckBox>("Check2")->setCheckState(Qt::Unchecked);
        app.click("CmdCalc");
        texts.clear();
        enabled.clear();
        open();
        QCOMPARE(enabled, QList<bool>({true, true, true, true, false}));  // not sorted yet
    }

    // The worked example's CSV, read by Python's csv module: a header and
    // nine rows of nine numbers.
    void theWorkedExamplesCsvOpensAsNineRows() {
        const QString python = QStandardPaths::findExecutable("python3");
        QVERIFY2(!python.isEmpty(), "python3 is needed to read the CSV back");
        ProgramDir dir;
        NetworkApp app(dir);
        app.listWorkedExample(kE24, kNone);
        const QString path = dir.path("worked example");  // ".csv" is added
        app.panel()->setCsvPathAsker([&] { return path; });
        app.panel()->saveListAsCsv();
        QVERIFY(app.messages.shown.isEmpty());
        const char* script =
            "import csv, sys\n"
            "rows = list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8')))\n"
            "assert rows[0][:3] == ['R1 (ohms)', 'R2 (ohms)', 'B'], rows[0]\n"
            "data = [[float(x) for x in row] for row in rows[1:]]\n"
            "assert all(len(row) == 9 for row in data)\n"
            "print(len(data), data[0][0], data[0][1], data[0][2], round(data[0][6], 6))\n";
        QProcess run;
        run.start(python, {"-c", script, path + ".csv"});
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(run.readAllStandardOutput()).trimmed(),
                 QString("9 330.0 220.0 0.4 0.026473"));
    }

    void aFailedCsvSaveSaysWhy() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.listWorkedExample(kE24, kNone);
        const QString path = dir.path("no such folder/rows.csv");
        app.panel()->setCsvPathAsker([&] { return path; });
        app.panel()->saveListAsCsv();
        QCOMPARE(app.messages.shown,
                 QStringList{"The file " + path + " could not be written: No such file or directory."});
        // Cancelling the dialog writes nothing and says nothing.
        app.panel()->setCsvPathAsker([] { return QString(); });
        app.panel()->saveListAsCsv();
        QCOMPARE(app.messages.shown.size(), 1);
    }
};

QTEST_MAIN(NetworkSeriesTest)
#include "test_network_series.moc"
