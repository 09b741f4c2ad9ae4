// The RC stage panel: opening and its file, Calculate, the mode switch,
// select-all on focus, Close and its save.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "gui_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

QString Field(int i) { return QString("Text3(%1)").arg(i); }
QString Label(int i) { return QString("Text2(%1)").arg(i); }
QString Unit(int i) { return QString("Text8(%1)").arg(i); }

struct RcApp : Started {
    using Started::Started;
    QLineEdit* field(int i) const { return operator()<QLineEdit>(Field(i)); }
    QString label(int i) const { return operator()<QLabel>(Label(i))->text(); }
    QString unit(int i) const { return operator()<QLabel>(Unit(i))->text(); }
    QCheckBox* check() const { return operator()<QCheckBox>("Check1"); }
};

}  // namespace

class RcPanelTest : public QObject {
    Q_OBJECT
private slots:
    void firstOpeningShowsTheDefaults() {
        ProgramDir dir;
        RcApp app(dir);
        app.click("Select1(0)");
        const QStringList expected = {"12AX7", "80000", "100e3", "470e3", "1800",
                                      "57",    "100e3", "470e3", "10",    ""};
        for (int i = 0; i < 10; ++i) QCOMPARE(app.field(i)->text(), expected[i]);
        QCOMPARE(app.check()->checkState(), Qt::Unchecked);
        QCOMPARE(app.label(3), QString("Following Stage Grid Resistor (RC Amp Data)"));
        QCOMPARE(app.field(3)->accessibleName(), app.label(3));
        QCOMPARE(app.unit(6), QString("Ohms"));
        QCOMPARE(app.field(0)->selectedText(), QString("12AX7"));
    }

    void calculateWritesTheResultAndItsCaption_data() {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("caption");
        QTest::newRow("series, button") << "10" << false << " 4.939e+3  "
                                        << "Add in AC SERIES with Rk";
        QTest::newRow("parallel, Enter") << "30" << true << " 4.559e+3  "
                                         << "Add in AC PARALLEL with Rk";
    }
    void calculateWritesTheResultAndItsCaption() {
        QFETCH(QString, wanted);
        QFETCH(bool, byEnter);
        QFETCH(QString, result);
        QFETCH(QString, caption);
        ProgramDir dir;
        RcApp app(dir);
        app.click("Select1(0)");
        QTest::mouseClick(app.field(8), Qt::LeftButton);
        QTest::keyClicks(app.field(8), wanted);
        if (byEnter) QTest::keyClick(app.field(8), Qt::Key_Return);
        else app.click("Calculate1");
        QCOMPARE(app.field(9)->text(), result);
        QCOMPARE(app.label(9), caption);
        QCOMPARE(app.field(9)->accessibleName(), caption);  // follows its caption
        QVERIFY(app.messages.shown.isEmpty());
    }

    void aHelpMessageWritesNothing() {
        ProgramDir dir;
        RcApp app(dir);
        app.click("Select1(0)");
        app.field(1)->setText("0");
        app.field(6)->setText("");
        app.click("Calculate1");
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].startsWith("The plate resistance is not a physical"));
        QCOMPARE(app.field(6)->text(), QString());
        QCOMPARE(app.field(9)->text(), QString());
    }

    void theModeSwitchSurvivesCloseAndReopen() {
        ProgramDir dir;
        RcApp app(dir);
        app.click("Select1(0)");
        app.click("Check1");
        app.click("Calculate1");
        QCOMPARE(app.field(8)->text(), QString(" 25.27     "));
        app.click("Close1");
        QVERIFY(!app("Frame1")->isVisible());
        QVERIFY(dir.read("Korvane_Gain.dat").endsWith("\r\n 25.27     \r\n\r\n1\r\n"));
        app.check()->setCheckState(Qt::Unchecked);  // reopening must restore it
        app.click("Select1(0)");
        QCOMPARE(app.check()->checkState(), Qt::Checked);
        QCOMPARE(app.field(8)->text(), QString("25.27     "));  // leading blank not kept
        QCOMPARE(app.label(8), QString("Gain with no bypass capacitor"));
        for (int i : {6, 7, 9}) {
            QCOMPARE(app.label(i), QString());
            QCOMPARE(app.unit(i), QString());
        }
        QVERIFY(!app.field(9)->isEnabled());
        // Fields 6 and 7 still take input: a screen reader still names them.
        QCOMPARE(app.field(6)->accessibleName(), QString("Plate Load Resistor (Your Value)"));
        QCOMPARE(app.field(7)->accessibleName(),
                 QString("Following Stage Grid Resistor (Your Value)"));
        app.click("Check1");  // back: every text as it was, captions restored
        QCOMPARE(app.label(6), QString("Plate Load Resistor (Your Value)"));
        QCOMPARE(app.unit(9), QString("Ohms"));
        QCOMPARE(app.field(8)->text(), QString("25.27     "));
        QVERIFY(app.field(9)->isEnabled());
    }

    void theGrayedStateShowsGrayedAndCountsAsClear() {
        ProgramDir dir;
        dir.write("Korvane_Gain.dat", Lines({"12AX7", "80000", "100e3", "470e3", "1800", "57",
                                             "100e3", "470e3", "10", "", "2"}));
        RcApp app(dir);
        app.click("Select1(0)");
        QCOMPARE(app.check()->checkState(), Qt::PartiallyChecked);
        QCOMPARE(app.label(8), QString("Wanted Gain"));
        app.click("Calculate1");
        QCOMPARE(app.field(9)->text(), QString(" 4.939e+3  "));
        app.click("Close1");
        QVERIFY(dir.read("Korvane_Gain.dat").endsWith("\r\n2\r\n"));
    }

    void aReadFailureKeepsWhatWasRead_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("filled");
        QTest::newRow("cut after 3 lines") << Lines({"6SN7", "7700", "47e3"}) << 3;
        QTest::newRow("cut after 5 lines")
            << Lines({"6SN7", "7700", "47e3", "220e3", "1500"}) << 5;
        QTest::newRow("last line 7") << Lines({"6SN7", "7700", "47e3", "220e3", "1500", "14",
                                               "47e3", "220e3", "10", "", "7"})
                                     << 10;
    }
    void aReadFailureKeepsWhatWasRead() {
        QFETCH(QByteArray, file);
        QFETCH(int, filled);
        ProgramDir dir;
        RcApp app(dir);
        dir.write("Korvane_Gain.dat", file);
        const QStringList fromFile = QString(file).split("\r\n");
        app.click("Select1(0)");
        QCOMPARE(app.messages.shown, QStringList{"File not found or not right."});
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(app.field(i)->text(), i < filled ? fromFile[i] : QString("Text3"));
        }
        QCOMPARE(app.check()->checkState(), Qt::Unchecked);
        QVERIFY(!app("Frame1")->isAncestorOf(QApplication::focusWidget()));  // not moved in
        QVERIFY(app("Frame1")->isVisible());
        QCOMPARE(app.label(0), QString("Tube Number (reference only)"));
    }

    void aCommaSurvivesCloseAndReopen() {
        ProgramDir dir;
        RcApp app(dir);
        app.click("Select1(0)");
        QTest::keyClicks(app.field(0), "12AX7, 1/2");
        app.click("Close1");
        app.click("Select1(0)");
        QCOMPARE(app.field(0)->text(), QString("12AX7, 1/2"));
        QCOMPARE(app.field(1)->text(), QString("80000"));
        QVERIFY(app.messages.shown.isEmpty());
    }

    void selectAllOnFocusByMouseAndTab() {
        ProgramDir dir;
        RcApp app(dir);
        app.click("Select1(0)");
        const QString long120(120, QChar('7'));
        app.field(4)->setText(long120);
        QTest::mouseClick(app.field(4), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(app.field(4)->selectedText(), long120.left(99));
        QTest::keyClick(app.field(4), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), app.field(5));
        QCOMPARE(app.field(5)->selectedText(), QString("57"));
    }

    void aFailedSaveKeepsThePanelOpen() {
        ProgramDir dir;
        RcApp app(dir);
        app.click("Select1(0)");
        QTest::keyClicks(app.field(0), "6SN7");
        dir.blockWithDirectory("Korvane_Gain.dat");
        app.click("Close1");
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].contains(dir.path("Korvane_Gain.dat")));
        QVERIFY(app("Frame1")->isVisible());
        QCOMPARE(app.field(0)->text(), QString("6SN7"));
        dir.unblock("Korvane_Gain.dat");
        app.click("Close1");  // tried again once the directory is gone
        QVERIFY(!app("Frame1")->isVisible());
        QVERIFY(dir.read("Korvane_Gain.dat").startsWith("6SN7\r\n"));
    }
};

QTEST_MAIN(RcPanelTest)
#include "test_rc_panel.moc"
