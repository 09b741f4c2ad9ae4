// The Global Feedback panel: opening and its file, the option groups,
// Calculate with the grid-current question, and AB2 across close and reopen.

#include <QLineEdit>
#include <QRadioButton>

#include "feedback/feedback_panel.h"
#include "gui_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

struct FeedbackApp : Started {
    using Started::Started;
    QLineEdit* field(int i) const { return operator()<QLineEdit>(QString("Text7(%1)").arg(i)); }
    QRadioButton* option(int i) const {
        return operator()<QRadioButton>(QString("Option%1").arg(i));
    }
    QString options() const {  // "10010": Option1..Option5 selected or not
        QString out;
        for (int i = 1; i <= 5; ++i) out += option(i)->isChecked() ? '1' : '0';
        return out;
    }
    bool ab2() const { return Control<FeedbackPanel>(window.get(), "Frame3")->ab2(); }
};

QByteArray FeedbackFile(const char* o1, const char* o2, const char* o3, const char* o4,
                        const char* o5, const char* ab2) {
    return Lines({"6 L6", "26.5", "8", "22.5", "22.5", "25", "", "20", "", "", o1, o2, o3, o4,
                  o5, ab2});
}

}  // namespace

class FeedbackPanelTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsOpenAndCalculate() {
        ProgramDir dir;
        FeedbackApp app(dir);
        app.click("Select1(1)");
        QCOMPARE(app.options(), QString("10010"));
        QVERIFY(!app.ab2());
        QCOMPARE(app.field(0)->selectedText(), QString("6 L6"));
        QCOMPARE(app.field(2)->accessibleName(), QString("Speaker Impedance"));
        app.click("Calculate3");
        QCOMPARE(app.field(6)->text(), QString(" 393.4e-3  "));
        QCOMPARE(app.field(8)->text(), QString(" 636.4e-3  "));
        QCOMPARE(app.field(9)->text(), QString(" 6.364     "));
        QVERIFY(app.messages.shown.isEmpty());
        QVERIFY(app.messages.questions.isEmpty());
    }

    void aClickSelectsWithinItsGroupOnly() {
        ProgramDir dir;
        FeedbackApp app(dir);
        app.click("Select1(1)");
        app.click("Option2");
        QCOMPARE(app.options(), QString("01010"));
        app.click("Option2");  // a second click does not clear it
        QCOMPARE(app.options(), QString("01010"));
        app.click("Option5");
        QCOMPARE(app.options(), QString("01001"));
    }

    void optionsReadFromTheFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("options");
        QTest::newRow("both True: the later wins")
            << FeedbackFile("True", "True", "False", "True", "False", "False") << "01010";
        QTest::newRow("both False: none selected")
            << FeedbackFile("False", "False", "False", "False", "False", "False") << "00000";
        QTest::newRow("numbers as Booleans")
            << FeedbackFile("0", "1", "1", "0", "0", "0") << "01100";
    }
    void optionsReadFromTheFile() {
        QFETCH(QByteArray, file);
        QFETCH(QString, options);
        ProgramDir dir;
        dir.write("Korvane_Feedback.dat", file);
        FeedbackApp app(dir);
        app.click("Select1(1)");
        QCOMPARE(app.options(), options);
        QVERIFY(app.messages.shown.isEmpty());
    }

    void noModeSelectedCalculatesInFactorMode() {
        ProgramDir dir;
        dir.write("Korvane_Feedback.dat",
                  FeedbackFile("False", "False", "False", "True", "False", "False"));
        FeedbackApp app(dir);
        app.click("Select1(1)");
        app.field(6)->setText("0.1");
        app.click("Calculate3");
        QCOMPARE(app.field(7)->text(), QString(" 10.3"));
        QCOMPARE(app.field(9)->text(), QString(" 2.092     "));
    }

    void ab2AcrossCloseAndReopen() {
        ProgramDir dir;
        FeedbackApp app(dir);
        app.click("Select1(1)");
        app.click("Option3");  // 22.5 V RMS against a 22.5 V bias: grid current
        app.messages.answers = {true};
        app.click("Calculate3");
        QCOMPARE(app.messages.questions.size(), 1);
        QVERIFY(app.messages.questions[0].startsWith(
            "You have entered values that will cause grid current\r\n"));
        QVERIFY(app.ab2());
        app.click("Close3");
        QVERIFY(dir.read("Korvane_Feedback.dat").endsWith("\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\n"));

        dir.write("Korvane_Feedback.dat", FeedbackFile("True", "False", "True", "False",
                                                       "False", "False"));
        app.click("Select1(1)");
        QVERIFY(!app.ab2());  // the file's value replaces the flag
        app.messages.answers = {false};
        app.click("Calculate3");
        QCOMPARE(app.messages.questions.size(), 2);
        QCOMPARE(app.messages.shown.size(), 1);  // the explanation after No
        QVERIFY(app.messages.shown[0].startsWith("Perhaps you are confused"));
        QVERIFY(!app.ab2());
        QCOMPARE(app.field(8)->text(), QString(" 900.0e-3  "));  // results written either way
    }

    void aFileWithoutItsLastLineKeepsAb2() {
        ProgramDir dir;
        FeedbackApp app(dir);
        app.click("Select1(1)");
        app.click("Option3");
        app.messages.answers = {true};
        app.click("Calculate3");
        QVERIFY(app.ab2());
        app.click("Close3");
        QByteArray cut = FeedbackFile("False", "True", "False", "False", "True", "False");
        cut.chop(QByteArray("False\r\n").size());  // 15 lines
        dir.write("Korvane_Feedback.dat", cut);
        app.click("Select1(1)");
        QCOMPARE(app.messages.shown, QStringList{"File not found or not right."});
        QCOMPARE(app.options(), QString("01001"));
        QVERIFY(app.ab2());
    }

    void tooMuchFeedbackMovesTheFocusToTheGain() {
        ProgramDir dir;
        FeedbackApp app(dir);
        app.click("Select1(1)");
        app.field(7)->setText("30");
        app.click("Calculate3");
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].contains("is  27.6 dB."));
        QCOMPARE(QApplication::focusWidget(), app.field(5));
        QCOMPARE(app.field(5)->selectedText(), QString("25"));
        QCOMPARE(app.field(6)->text(), QString());
    }
};

QTEST_MAIN(FeedbackPanelTest)
#include "test_feedback_panel.moc"
