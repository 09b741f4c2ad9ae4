// The Feedback Network panel: opening and its file, the list, the Check2
// copy from the Global Feedback file, and copying the list.

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "gui_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

const char* const kHeading =
    " R1     R2       B    %Error   Rin     Ro      Current     P in R1     P in R2";
const char* const kFirstRow =
    "330    220     .4     1.68    550     132     26.47e-3    231.3e-3    154.2e-3   ";

struct NetworkApp : Started {
    using Started::Started;
    QLineEdit* field(const char* name) const { return operator()<QLineEdit>(name); }
    QCheckBox* check2() const { return operator()<QCheckBox>("Check2"); }
    QListWidget* list() const { return operator()<QListWidget>("LstOutput"); }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i) out << list()->item(i)->text();
        return out;
    }
};

}  // namespace

class NetworkPanelTest : public QObject {
    Q_OBJECT
private slots:
    void theWorkedExampleListsNineRows() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.click("Select1(2)");
        QCOMPARE(app.operator()<QLabel>("Text16")->text(), QString(kHeading));
        QCOMPARE(app.check2()->checkState(), Qt::Checked);
        app.click("Check2");
        QCOMPARE(app.check2()->checkState(), Qt::Unchecked);
        app.click("CmdCalc");
        const QStringList rows = app.rows();
        QCOMPARE(rows.size(), 9);
        QCOMPARE(rows[0], QString(kFirstRow));
        const QStringList pairs = {"330 220", "360 240", "390 240", "430 270", "470 300",
                                   "510 330", "560 360", "620 390", "680 430"};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(rows[i].split(' ', Qt::SkipEmptyParts).mid(0, 2).join(' '), pairs[i]);
        }
        QVERIFY(app.messages.shown.isEmpty());
    }

    void check2CopiesTheSavedFeedbackFactor() {
        ProgramDir dir;
        NetworkApp app(dir);
        // The default feedback file has no factor yet: the copy empties TxtAr.
        app.click("Select1(2)");
        app.click("CmdCalc");
        QCOMPARE(app.field("TxtAr")->text(), QString());
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].startsWith("The feedback factor is the ratio"));
        QCOMPARE(app.list()->count(), 0);
        app.click("Close2");

        // Global Feedback calculates and saves its factor; the network takes it up.
        app.click("Select1(1)");
        app.click("Calculate3");
        app.click("Close3");
        app.click("Select1(2)");
        app.click("CmdCalc");
        QCOMPARE(app.field("TxtAr")->text(), QString("393.4e-3  "));
        QCOMPARE(app.list()->count(), 9);
    }

    void aMissingFeedbackFileIsNamedAndTheListEmptied() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.click("Select1(2)");
        app.click("Check2");
        app.click("CmdCalc");
        QCOMPARE(app.list()->count(), 9);
        dir.remove("Korvane_Feedback.dat");
        app.click("CmdCalc");
        QCOMPARE(app.list()->count(), 0);
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].contains(dir.path("Korvane_Feedback.dat")));
        QVERIFY(app.messages.shown[0].contains("Open the Global Feedback panel and close it"));
    }

    // The path is shown as it is, also with characters beyond Windows-1252.
    void theMissingFileIsNamedWhateverItsDirectory() {
        ProgramDir dir;
        const QString gPath = dir.path(QString::fromUtf8("\xd0\x96\xd0\xb4 \xe2\x84\xa6/"));
        QVERIFY(QDir().mkpath(gPath));
        RecordingMessages messages;
        MainWindow window(gPath, &messages);
        QFile::remove(gPath + "Korvane_Feedback.dat");
        QTest::mouseClick(Control(&window, "Select1(2)"), Qt::LeftButton);
        QTest::mouseClick(Control(&window, "CmdCalc"), Qt::LeftButton);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].contains(gPath + "Korvane_Feedback.dat"),
                 qPrintable(messages.shown[0]));
    }

    // The copy is for a spreadsheet: a heading line and the rows, each
    // quantity its own cell, as the list shows it.
    void ctrlCCopiesRowsWithTheHeading() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.click("Select1(2)");
        app.click("Check2");
        app.click("CmdCalc");
        const QString heading = "R1\tR2\tB\t%Error\tRin\tRo\tCurrent\tP in R1\tP in R2";
        app.list()->setFocus();
        QTest::keyClick(app.list(), Qt::Key_C, Qt::ControlModifier);
        QStringList lines = QApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 11);  // heading, nine rows, and the last line's end
        QCOMPARE(lines[0], heading);
        QCOMPARE(lines[1], QString("330\t220\t.4\t1.68\t550\t132\t26.47e-3\t231.3e-3\t154.2e-3"));
        QCOMPARE(lines[10], QString());
        app.list()->item(1)->setSelected(true);
        app.list()->item(3)->setSelected(true);
        QTest::keyClick(app.list(), Qt::Key_C, Qt::ControlModifier);
        lines = QApplication::clipboard()->text().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], heading);
        QVERIFY2(lines[1].startsWith("360\t240\t.4\t1.68\t600\t"), qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith("430\t270\t"), qPrintable(lines[2]));
    }

    void theFileIsReadAndWrittenAsTyped_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<Qt::CheckState>("check2");
        QTest::newRow("0.5 rounds to clear") << Lines({"0.1", "1000", "1010", "0.5"}) << true << Qt::Unchecked;
        QTest::newRow("1.5 rounds to grayed") << Lines({"0.1", "1000", "1010", "1.5"}) << true << Qt::PartiallyChecked;
        QTest::newRow("5 is no state") << Lines({"0.1", "1000", "1010", "5"}) << false << Qt::Checked;
        QTest::newRow("three lines") << Lines({"0.1", "1000", "1010"}) << false << Qt::Checked;
    }
    void theFileIsReadAndWrittenAsTyped() {
        QFETCH(QByteArray, file);
        QFETCH(bool, ok);
        QFETCH(Qt::CheckState, check2);
        ProgramDir dir;
        NetworkApp app(dir);
        app.click("Select1(2)");  // the defaults: Check2 set
        app.click("Close2");
        dir.write("Korvane_Xfmr.dat", file);
        app.click("Select1(2)");
        QCOMPARE(app.field("TxtRtMax")->text(), QString("1010"));
        QCOMPARE(app.check2()->checkState(), check2);
        if (ok) {
            QVERIFY(app.messages.shown.isEmpty());
            QCOMPARE(QApplication::focusWidget(), app.field("TxtAr"));
        } else {
            QCOMPARE(app.messages.shown, QStringList{"File not found or not right."});
            QVERIFY(!app("Frame2")->isAncestorOf(QApplication::focusWidget()));  // not moved in
        }
    }

    void closeWritesTheTextsAsTyped() {
        ProgramDir dir;
        NetworkApp app(dir);
        app.click("Select1(2)");
        QTest::keyClicks(app.field("TxtAr"), "0.1, about");
        QTest::mouseClick(app.field("TxtRtMax"), Qt::LeftButton);
        QTest::keyClicks(app.field("TxtRtMax"), "2k2");
        app.click("Close2");
        QCOMPARE(dir.read("Korvane_Xfmr.dat"),
                 QByteArray("\"0.1, about\"\r\n550\r\n2k2\r\n 1 \r\n"));
        app.click("Select1(2)");
        QCOMPARE(app.field("TxtAr")->text(), QString("0.1, about"));  // the comma survives
        QCOMPARE(app.field("TxtRtMax")->text(), QString("2k2"));
    }
};

QTEST_MAIN(NetworkPanelTest)
#include "test_network_panel.moc"
