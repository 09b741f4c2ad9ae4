// The designer's notation and the help around the fields: Settings >
// Engineering notation and what Calculate reads with it, the "Read as"
// mark in both notations, results drawn out of date, the network list's
// sorting, its smallest error and its copy, mnemonics, the help, and the
// marks under a dark palette and a style sheet.

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTimer>
#include <functional>

#include "app/home.h"
#include "gui_support.h"
#include "network/network_panel.h"
#include "ui/panel.h"
#include "ui/widgets.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

QAction* NotationAction(const Started& app) {
    return app.window->findChild<QAction*>("ActionEngineeringNotation");
}

void SetText(const Started& app, const QString& field, const QString& text) {
    app.operator()<QLineEdit>(field)->setText(text);
}

// What a press showed: the result fields' texts, or the list's lines.
QStringList Shown(const Started& app, const QStringList& results) {
    QStringList out;
    for (const QString& name : results) {
        if (name == "LstOutput") {
            auto* list = app.operator()<QListWidget>(name);
            for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        } else {
            out << app.operator()<QLineEdit>(name)->text();
        }
    }
    return out;
}

// The error of a listed line, from its %Error column.
double ErrorOf(const QString& line) { return line.mid(21, 8).trimmed().toDouble(); }

// Opens the network panel and lists the worked example (Check2 cleared).
void ListWorkedExample(const Started& app) {
    app.click("Select1(2)");
    app.operator()<QCheckBox>("Check2")->setCheckState(Qt::Unchecked);
    app.click("CmdCalc");
}

// Runs `act` once the next popup menu is open, on that menu.
void OnMenu(std::function<void(QMenu*)> act) {
    QTimer::singleShot(0, [act] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) act(menu);
    });
}

QPalette DarkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(225, 225, 225));
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(55, 55, 58));
    p.setColor(QPalette::ButtonText, QColor(225, 225, 225));
    return p;
}

int CountColour(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    }
    return n;
}

const QColor kAmber(230, 150, 0);
const QColor kSmallestFrame(40, 160, 90);

}  // namespace

class NotationAndHelpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ---- the setting

    void theSettingIsOffAtFirstAndRemembered() {
        ProgramDir dir;
        {
            Started app(dir);
            QVERIFY(NotationAction(app)->isCheckable());
            QVERIFY(!NotationAction(app)->isChecked());
            QCOMPARE(app.window->notation(), Notation::Plain);
            NotationAction(app)->trigger();
            QCOMPARE(app.window->notation(), Notation::Engineering);
        }
        Started again(dir);
        QVERIFY(NotationAction(again)->isChecked());
        QCOMPARE(again.window->notation(), Notation::Engineering);
        // In the user's settings, not beside the inputs files.
        QVERIFY(QFile::exists(dir.settingsPath() + "/Korvane/Korvane.ini"));
        QCOMPARE(QDir(dir.gPath()).entryList(QDir::Files).size(), 3);
        NotationAction(again)->trigger();
        Started third(dir);
        QCOMPARE(third.window->notation(), Notation::Plain);
    }

    // With the setting on, a value typed the way it is printed gives what
    // the plain form gives; with it off, it reads as its lead.
    void calculateReadsTheNotation_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("calculate");
        QTest::addColumn<QStringList>("results");
        const QStringList rc = {"Text3(8)", "Text3(9)"};
        const QStringList fb = {"Text7(6)", "Text7(7)", "Text7(8)", "Text7(9)"};
        QTest::newRow("RC Rb 100k") << 0 << "Text3(2)" << "100k" << "100e3" << "Calculate1" << rc;
        QTest::newRow("RC Rk 1k8") << 0 << "Text3(4)" << "1k8" << "1800" << "Calculate1" << rc;
        QTest::newRow("feedback P 26R5") << 1 << "Text7(1)" << "26R5" << "26.5" << "Calculate3" << fb;
        QTest::newRow("network factor 393.4m") << 2 << "TxtAr" << "393.4m" << "393.4e-3"
                                               << "CmdCalc" << QStringList{"LstOutput"};
    }
    void calculateReadsTheNotation() {
        QFETCH(int, panel);
        QFETCH(QString, field);
        QFETCH(QString, printed);
        QFETCH(QString, plain);
        QFETCH(QString, calculate);
        QFETCH(QStringList, results);
        ProgramDir dir;
        Started app(dir);
        app.window->Select1_Click(panel);
        if (panel == 2) app.operator()<QCheckBox>("Check2")->setCheckState(Qt::Unchecked);
        const auto press = [&](const QString& text) {
            SetText(app, field, text);
            app.click(calculate);
            return Shown(app, results);
        };
        const QStringList documentWay = press(plain);
        QVERIFY(!documentWay.join("").trimmed().isEmpty());
        const QStringList offPrinted = press(printed);
        NotationAction(app)->trigger();
        QCOMPARE(press(printed), documentWay);
        QCOMPARE(app.operator()<QLineEdit>(field)->text(), printed);  // kept as typed
        QCOMPARE(press(plain), documentWay);
        QVERIFY(offPrinted != documentWay);
        QVERIFY(app.messages.questions.isEmpty());
    }

    // ---- the "Read as" mark follows the setting, added to the help

    void theReadAsMarkFollowsTheSetting_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("off");  // the note; empty: none
        QTest::addColumn<QString>("on");
        QTest::newRow("100k") << "100k" << "Read as 100 (100k is 100000 with Engineering notation on)"
                              << "";
        QTest::newRow("2 k2") << "2 k2" << "Read as 2" << "Read as 2";
        QTest::newRow("1200 ohms") << "1200 ohms" << "Read as 1200" << "Read as 1200";
        QTest::newRow("1200") << "1200" << "" << "";
    }
    void theReadAsMarkFollowsTheSetting() {
        QFETCH(QString, typed);
        QFETCH(QString, off);
        QFETCH(QString, on);
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(2)");
        auto* box = app.operator()<InputBox>("TxtRtMax");
        const QString help = TipText(box);
        QVERIFY(help.contains("largest total resistance"));
        box->setText(typed);
        for (const QString& note : {off, on}) {
            QCOMPARE(box->isMarked(), !note.isEmpty());
            const QString described = note.isEmpty() ? help : note + "\n" + help;
            QCOMPARE(TipText(box), described);
            QCOMPARE(box->accessibleDescription(), described);
            NotationAction(app)->trigger();  // the mark changes at once
        }
    }

    // ---- out of date

    void resultsGoOutOfDateWhenTheirInputsChange_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("calculate");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QString>("input");      // a field the results come from
        QTest::addColumn<QString>("notInput");   // a field they do not
        QTest::addColumn<QString>("control");    // a check box or option they come from
        QTest::newRow("RC stage") << 0 << "Calculate1" << QStringList{"Text3(9)"} << "Text3(4)"
                                  << "Text3(0)" << "Check1";
        QTest::newRow("global feedback, the bias decides no result")
            << 1 << "Calculate3" << QStringList{"Text7(6)", "Text7(8)", "Text7(9)"} << "Text7(2)"
            << "Text7(4)" << "Option3";
        QTest::newRow("feedback network, the factor comes from the saved inputs")
            << 2 << "CmdCalc" << QStringList{"LstOutput"} << "TxtRtMin" << "TxtAr" << "Check2";
    }
    void resultsGoOutOfDateWhenTheirInputsChange() {
        QFETCH(int, panel);
        QFETCH(QString, calculate);
        QFETCH(QStringList, results);
        QFETCH(QString, input);
        QFETCH(QString, notInput);
        QFETCH(QString, control);
        ProgramDir dir;
        Started app(dir);
        if (panel == 2) {  // the network takes the factor Global Feedback saves
            app.click("Select1(1)");
            app.click("Calculate3");
            app.click("Close3");
        }
        app.window->Select1_Click(panel);
        auto* frame = qobject_cast<Panel*>(app.window->builtPanel(panel));
        // 1: every result drawn and described out of date, 0: none, -1: a
        // mix, or a result drawn otherwise than it is described.
        const auto outOfDate = [&] {
            qsizetype n = 0;
            for (const QString& name : results) {
                const bool dim = name == "LstOutput"
                                     ? app.operator()<ResultList>(name)->isOutOfDate()
                                     : app.operator()<InputBox>(name)->isOutOfDate();
                const bool said = app(name)->accessibleDescription().startsWith(
                    "Out of date: press Calculate");
                if (dim != said) return -1;
                n += dim;
            }
            if (frame->resultsOutOfDate() != (n > 0)) return -1;
            return n == results.size() ? 1 : n == 0 ? 0 : -1;
        };
        QCOMPARE(outOfDate(), 0);  // before any Calculate nothing is tracked
        SetText(app, input, "7");
        QCOMPARE(outOfDate(), 0);
        SetText(app, input, panel == 0 ? "1800" : panel == 1 ? "8" : "550");
        app.click(calculate);
        const QStringList shown = Shown(app, results);
        QCOMPARE(outOfDate(), 0);

        SetText(app, notInput, "25");
        QCOMPARE(outOfDate(), 0);
        const QString before = app.operator()<QLineEdit>(input)->text();
        SetText(app, input, before + "1");
        QCOMPARE(outOfDate(), 1);
        QCOMPARE(Shown(app, results), shown);  // the texts stay
        SetText(app, input, before);           // as calculated again
        QCOMPARE(outOfDate(), 0);
        app.operator()<QAbstractButton>(control)->click();
        QCOMPARE(outOfDate(), 1);
        app.operator()<QAbstractButton>(control)->click();
        if (panel == 1) app.operator()<QAbstractButton>("Option4")->click();
        QCOMPARE(outOfDate(), 0);

        // Out of date across Close and opening again, saved as shown.
        SetText(app, input, before + "1");
        app.click(frame->objectName() == "Frame1" ? "Close1"
                  : frame->objectName() == "Frame3" ? "Close3" : "Close2");
        if (panel < 2) QVERIFY(dir.read(panel == 0 ? "Korvane_Gain.dat" : "Korvane_Feedback.dat")
                                   .contains(shown.last().toLatin1()));
        app.window->Select1_Click(panel);
        QCOMPARE(outOfDate(), 1);
        app.click(calculate);
        QCOMPARE(outOfDate(), 0);
    }

    // Turning the setting changes what an input reads as: results of a
    // "100k" go out of date, results of a "100e3" do not.
    void theSettingPutsResultsOutOfDateWhereItChangesAnInput() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(0)");
        app.click("Calculate1");
        auto* result = app.operator()<InputBox>("Text3(9)");
        NotationAction(app)->trigger();
        QVERIFY(!result->isOutOfDate());
        SetText(app, "Text3(2)", "100k");
        QVERIFY(result->isOutOfDate());
        app.click("Calculate1");
        QCOMPARE(result->text(), QString(" 4.939e+3  "));
        NotationAction(app)->trigger();
        QVERIFY(result->isOutOfDate());
    }

    // ---- the network list

    void theListSortsByTheColumnClickedAndComesBack() {
        ProgramDir dir;
        Started app(dir);
        ListWorkedExample(app);
        auto* heading = app.operator()<HeadingBox>("Text16");
        auto* list = app.operator()<QListWidget>("LstOutput");
        const QStringList searchOrder = Shown(app, {"LstOutput"});
        const auto clickName = [&](const QString& name) {
            const int first = static_cast<int>(heading->text().indexOf(name));
            int x = 0;
            while (heading->characterAt(x) < first + 1) ++x;
            QTest::mouseClick(heading, Qt::LeftButton, {}, QPoint(x + 2, heading->height() / 2));
        };
        const auto errors = [&] {
            QList<double> out;
            for (const QString& line : Shown(app, {"LstOutput"})) out << ErrorOf(line);
            return out;
        };
        clickName("%Error");
        QList<double> sorted = errors();
        QVERIFY(std::is_sorted(sorted.begin(), sorted.end()));
        QCOMPARE(sorted.first(), -3.16);
        QVERIFY(heading->accessibleDescription().contains("sorted by %Error, ascending"));
        clickName("%Error");
        sorted = errors();
        QVERIFY(std::is_sorted(sorted.rbegin(), sorted.rend()));
        QVERIFY(heading->accessibleDescription().contains("descending"));
        clickName("%Error");
        QCOMPARE(Shown(app, {"LstOutput"}), searchOrder);

        // By B, kept for the next listing; the context menu's Original
        // Order takes it back.
        clickName("B");
        const QStringList byB = Shown(app, {"LstOutput"});
        QVERIFY(byB != searchOrder);
        QVERIFY(byB.first().startsWith("390    240     .381"));
        app.click("CmdCalc");
        QCOMPARE(Shown(app, {"LstOutput"}), byB);
        QSet<QString> same(byB.begin(), byB.end());
        QCOMPARE(same, QSet<QString>(searchOrder.begin(), searchOrder.end()));
        OnMenu([](QMenu* menu) {
            for (QAction* action : menu->actions()) {
                if (action->text() == "&Original Order") action->trigger();
            }
            menu->close();
        });
        emit list->customContextMenuRequested(QPoint(10, 10));
        QCOMPARE(Shown(app, {"LstOutput"}), searchOrder);
    }

    void theSmallestErrorIsMarkedToSeeAndToHear() {
        ProgramDir dir;
        Started app(dir);
        ListWorkedExample(app);
        auto* list = app.operator()<QListWidget>("LstOutput");
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(list);
        QList<int> marked;
        double smallest = 1e9;
        for (int i = 0; i < list->count(); ++i) {
            smallest = std::min(smallest, std::abs(ErrorOf(list->item(i)->text())));
        }
        QApplication::processEvents();  // the list lays its rows out
        const QImage image = list->viewport()->grab().toImage();
        for (int i = 0; i < list->count(); ++i) {
            QAccessibleInterface* row = access->child(i);
            QVERIFY(row);
            const QString name = row->text(QAccessible::Name);
            QVERIFY(name.startsWith(list->item(i)->text()));
            const QRect rect = list->visualItemRect(list->item(i));
            const bool framed = CountColour(image.copy(rect), kSmallestFrame) > 20;
            if (name.endsWith(" - the smallest error")) {
                marked << i;
                QCOMPARE(std::abs(ErrorOf(list->item(i)->text())), smallest);
                QVERIFY(framed);
            } else {
                QVERIFY(!framed);
            }
        }
        QCOMPARE(marked.size(), 1);
        QVERIFY(list->item(marked[0])->text().startsWith("510    330"));
    }

    // Pasted into a spreadsheet-style reader, the copy is one column per
    // quantity: Python's csv module with a tab delimiter reads it.
    void theCopyReadsAsOneColumnPerQuantity_data() {
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<QString>("expected");
        QTest::newRow("E24") << 1 << 0 << "10 9 R1|R2|B|%Error|Rin|Ro|Current|P in R1|P in R2 0.4 0.02647";
        QTest::newRow("E96 at 1 %") << 3 << 3
                                    << "34 11 R1|R2|B|%Error|Rin|Ro|Current|P in R1|P in R2|B low|B high"
                                       " 0.393 0.02662";
    }
    void theCopyReadsAsOneColumnPerQuantity() {
        QFETCH(int, series);
        QFETCH(int, tolerance);
        QFETCH(QString, expected);
        const QString python = QStandardPaths::findExecutable("python3");
        QVERIFY2(!python.isEmpty(), "python3 is needed to read the copy back");
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(2)");
        app.operator()<QComboBox>("CboSeries")->setCurrentIndex(series);
        app.operator()<QComboBox>("CboTolerance")->setCurrentIndex(tolerance);
        app.operator()<QCheckBox>("Check2")->setCheckState(Qt::Unchecked);
        app.click("CmdCalc");
        OnMenu([](QMenu* menu) {
            menu->actions().first()->trigger();  // Copy
            menu->close();
        });
        emit app.operator()<QListWidget>("LstOutput")->customContextMenuRequested(QPoint(5, 5));
        const char* script =
            "import csv, sys\n"
            "rows = list(csv.reader(sys.stdin, delimiter='\\t'))\n"
            "widths = {len(r) for r in rows}\n"
            "assert len(widths) == 1, widths\n"
            "print(len(rows), widths.pop(), '|'.join(rows[0]), float(rows[1][2]),\n"
            "      round(float(rows[1][6]), 5))\n";
        QProcess run;
        run.start(python, {"-c", script});
        run.write(QApplication::clipboard()->text().toUtf8());
        run.closeWriteChannel();
        QVERIFY(run.waitForFinished(20000));
        QCOMPARE(QString::fromUtf8(run.readAllStandardError()), QString());
        QCOMPARE(QString::fromUtf8(run.readAllStandardOutput()).trimmed(), expected);
    }

    void check2SaysWhichFactorItWillTake() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(2)");
        auto* check2 = app.operator()<StateCheckBox>("Check2");
        QCOMPARE(check2->note(), QString("(none saved)"));
        app.click("Close2");
        app.click("Select1(1)");
        app.click("Calculate3");
        app.click("Close3");
        app.click("Select1(2)");
        QCOMPARE(check2->note(), QString("(saved: 393.4e-3)"));
        QVERIFY(check2->accessibleDescription().contains(
            "takes the feedback factor 393.4e-3 from the saved Global Feedback inputs"));
        QCOMPARE(TipText(check2), check2->accessibleDescription());
        app.click("CmdCalc");
        QCOMPARE(app.operator()<QLineEdit>("TxtAr")->text(), QString("393.4e-3  "));
    }

    // ---- mnemonics and help

    // Every button, check box and option button can be reached with Alt and
    // its letter, and no two of one panel (its menu bar included) share one.
    void everyButtonHasItsOwnMnemonic() {
        ProgramDir dir;
        Started app(dir);
        for (int panel = -1; panel < 3; ++panel) {
            if (panel >= 0) app.window->Select1_Click(panel);
            QStringList keys;
            for (QAction* menu : app.window->menuBar()->actions()) {
                keys << QKeySequence::mnemonic(menu->text()).toString();
            }
            for (QAbstractButton* button : app.window->findChildren<QAbstractButton*>()) {
                if (!button->isVisible()) continue;
                const QString key = QKeySequence::mnemonic(button->text()).toString();
                QVERIFY2(!key.isEmpty(), qPrintable(button->objectName()));
                QVERIFY2(!keys.contains(key), qPrintable(button->text() + " " + keys.join(",")));
                keys << key;
            }
            QVERIFY(keys.size() >= 7);
            if (panel >= 0) app.window->builtPanel(panel)->closeAndSave();
        }
    }

    void everyFieldHasHelpAndWhatsThis() {
        ProgramDir dir;
        Started app(dir);
        app.buildEveryPanel();
        const QList<InputBox*> boxes = app.window->findChildren<InputBox*>();
        QCOMPARE(boxes.size(), 23);
        for (InputBox* box : boxes) {
            const QString help = TipText(box).section('\n', -1);
            QVERIFY2(help.size() > 30, qPrintable(box->objectName()));
            QVERIFY2(box->whatsThis().startsWith(help), qPrintable(box->objectName()));
            QCOMPARE(box->accessibleDescription(), TipText(box));
        }
        QVERIFY(app.operator()<InputBox>("Text3(1)")->whatsThis().contains(
            "The plate resistance is not a physical resistor"));
        QVERIFY(app.operator()<InputBox>("Text7(5)")->whatsThis().contains(
            "of the gains of all stages between the point"));
        // Shift+F1 on the field with the focus shows it.
        app.click("Select1(1)");
        QWidget* field = app("Text7(5)");
        field->setFocus();
        QTest::keyClick(field, Qt::Key_F1, Qt::ShiftModifier);
        bool shown = false;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            shown = shown || (top->isVisible() && QString(top->metaObject()->className()) == "QWhatsThat");
        }
        QVERIFY(shown);
    }

    void helpOnThisCalculatorShowsTheOpenPanelsPage_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("home") << -1 << "Korvane" << "Feedback Network";
        QTest::newRow("RC stage") << 0 << "RC Stage Gain" << "Plate resistance (Tube Data)";
        QTest::newRow("global feedback") << 1 << "Global Feedback" << "DC Grid Bias Voltage (Check)";
        QTest::newRow("feedback network") << 2 << "Feedback Network" << "Maximum Total Resistance";
    }
    void helpOnThisCalculatorShowsTheOpenPanelsPage() {
        QFETCH(int, panel);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        ProgramDir dir;
        Started app(dir);
        if (panel >= 0) app.window->Select1_Click(panel);
        QTest::keyClick(app.window.get(), Qt::Key_F1);
        QWidget* window = app("CalculatorHelp");
        QVERIFY(window->isVisible());
        const QString text = app.operator()<QPlainTextEdit>("CalculatorHelpText")->toPlainText();
        QVERIFY(text.startsWith(title + "\n"));
        QVERIFY(window->windowTitle().endsWith(title));
        QVERIFY(text.contains("\n" + caption + "\n"));
        QVERIFY(text.contains("\nHelp on a value\n"));
        QVERIFY(text.contains("\nEngineering notation\n"));
        if (panel >= 0) QCOMPARE(text, app.window->builtPanel(panel)->helpText());
        else QCOMPARE(text, LineBreaks(FromCore(HomeHelpText())));
    }

    // ---- the marks under a dark palette and under a style sheet

    void theMarksShowUnderEveryLook_data() {
        QTest::addColumn<QString>("look");
        QTest::newRow("Fusion, dark palette") << "dark";
        QTest::newRow("style sheet") << "sheet";
    }
    void theMarksShowUnderEveryLook() {
        QFETCH(QString, look);
        const QPalette palette = QApplication::palette();
        const QString style = QApplication::style()->name();
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        if (look == "dark") QApplication::setPalette(DarkPalette());
        else qApp->setStyleSheet("QLineEdit { background: #fdf6e3; color: #073642;"
                                 " border: 1px solid #93a1a1; }"
                                 "QListView { background: #fdf6e3; color: #073642; }");
        {
            ProgramDir dir;
            Started app(dir);
            app.click("Select1(0)");
            app.click("Calculate1");
            auto* rb = app.operator()<InputBox>("Text3(2)");
            auto* result = app.operator()<InputBox>("Text3(9)");
            const QImage plainRb = rb->grab().toImage();
            const QImage current = result->grab().toImage();
            QCOMPARE(CountColour(plainRb, kAmber), 0);
            rb->setText("100k");
            QVERIFY(rb->isMarked() && result->isOutOfDate());
            QVERIFY(CountColour(rb->grab().toImage(), kAmber) > 2 * rb->width());
            QVERIFY(result->grab().toImage() != current);
            app.click("Close1");

            ListWorkedExample(app);
            auto* list = app.operator()<QListWidget>("LstOutput");
            QApplication::processEvents();
            const QImage listed = list->viewport()->grab().toImage();
            QVERIFY(CountColour(listed, kSmallestFrame) > 20);
            SetText(app, "TxtRtMin", "600");
            QVERIFY(list->viewport()->grab().toImage() != listed);
        }
        qApp->setStyleSheet(QString());
        QApplication::setPalette(palette);
        QApplication::setStyle(style);
    }
};

QTEST_MAIN(NotationAndHelpTest)
#include "test_notation_and_help.moc"
