// Designs: the round trip through Save Design and Open Design, the designs
// that are refused with nothing changed, the Save/Discard/Cancel question,
// the caption and the remembered designs, the design sheet's PDF and its
// print, About, and the command line. Each test keeps its settings in a
// folder of its own.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include "app/design_document.h"
#include "design/design_file.h"
#include "network/xfmr_file.h"
#include "gui_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

const QStringList kInputs = {"Korvane_Gain.dat", "Korvane_Feedback.dat", "Korvane_Xfmr.dat"};

QByteArray Q(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string S(const QByteArray& bytes) { return bytes.toStdString(); }

DesignFiles Inputs(const ProgramDir& dir) {
    return {S(dir.read(kInputs[0])), S(dir.read(kInputs[1])), S(dir.read(kInputs[2]))};
}

DesignFiles WithTube(const char* tube) {
    DesignFiles files = DefaultDesignFiles();
    files.gain.replace(0, 5, tube);
    return files;
}

// A window in a program folder of its own, started on `inputs`, with a
// folder for its designs.
struct App {
    ProgramDir dir;
    QTemporaryDir designs;
    std::unique_ptr<Started> started;

    explicit App(const DesignFiles& inputs = DefaultDesignFiles()) {
        dir.write(kInputs[0], Q(inputs.gain));
        dir.write(kInputs[1], Q(inputs.feedback));
        dir.write(kInputs[2], Q(inputs.xfmr));
        started = std::make_unique<Started>(dir);
    }
    MainWindow& window() const { return *started->window; }
    DesignDocument& design() const { return window().design(); }
    RecordingMessages& messages() const { return started->messages; }
    QString path(const QString& name) const { return designs.path() + '/' + name; }
    bool saveAs(const QString& name) const {
        design().dialogs().savePath = [p = path(name)](const QString&) { return p; };
        return design().saveDesignAs();
    }
    void write(const QString& name, const DesignFiles& files) const {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(Q(WriteDesign(files))) < 0)
            qFatal("cannot write a design");
    }
    // Opens a panel and types into its first field, which has the focus.
    void type(int panel, const QString& text) const {
        window().Select1_Click(panel);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString Tool(const char* name) { return QStandardPaths::findExecutable(QLatin1String(name)); }

QString Run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qFatal("%s failed", qPrintable(tool));
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class DesignsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> settings_;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        settings_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_->path());
    }

    void aDesignComesBackByteForByte_data() {
        QTest::addColumn<QByteArray>("gain");
        QTest::addColumn<QByteArray>("feedback");
        QTest::addColumn<QByteArray>("xfmr");
        QTest::addColumn<QString>("typed");  // into the RC stage panel, left open
        const DesignFiles defaults = DefaultDesignFiles();
        QTest::newRow("the defaults") << Q(defaults.gain) << Q(defaults.feedback)
                                      << Q(defaults.xfmr) << "";
        const std::string xfmr = SaveXfmrFile("0.25", "1k", "22e3", 0, Series::E96, Tolerance::P1);
        QTest::newRow("Windows-1252 texts, a quoted item, results, no last line end")
            << Q("ECC83 \xB5-\xB1 a\\b\t\r\n80000\r\n100e3\r\n470e3\r\n1800\r\n57\r\n100e3\r\n"
                 "470e3\r\n 8.214     \r\n\r\n1\r\n")
            << Q("\"6L6GC, KT66\"\r\n26.5\r\n8\r\n22.5\r\n22.5\r\n25\r\n.1\r\n20\r\n\r\n\r\n"
                 "False\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nTrue\r\n")
            << Q(xfmr.substr(0, xfmr.size() - 2)) << "";
        QTest::newRow("an open panel's unsaved field")
            << Q(defaults.gain) << Q(defaults.feedback) << Q(defaults.xfmr) << "6SN7";
    }
    void aDesignComesBackByteForByte() {
        QFETCH(QByteArray, gain);
        QFETCH(QByteArray, feedback);
        QFETCH(QByteArray, xfmr);
        QFETCH(QString, typed);
        App app(DesignFiles{S(gain), S(feedback), S(xfmr)});
        if (!typed.isEmpty()) app.type(0, typed);
        QVERIFY(app.saveAs("Amp.korvane"));
        // The panel's own inputs file is saved with the design.
        if (!typed.isEmpty()) gain.replace("12AX7", typed.toLatin1());
        QVERIFY(Inputs(app.dir) == (DesignFiles{S(gain), S(feedback), S(xfmr)}));

        QVERIFY(app.design().newDesign());
        QVERIFY(Inputs(app.dir) == DefaultDesignFiles());
        QVERIFY(app.design().openDesign(app.path("Amp.korvane")));
        QVERIFY(Inputs(app.dir) == (DesignFiles{S(gain), S(feedback), S(xfmr)}));
        if (!typed.isEmpty()) {
            QCOMPARE(Control<QLineEdit>(&app.window(), "Text3(0)")->text(), typed);
        }
        QCOMPARE(app.window().windowTitle(), QString("Amp[*] - Amplifier Design"));
        QVERIFY(!app.window().isWindowModified());
        QVERIFY(app.messages().shown.isEmpty());
        QVERIFY(app.messages().saveQuestions.isEmpty());
    }

    void aRefusedDesignChangesNothing_data() {
        QTest::addColumn<QByteArray>("design");  // "<none>": no such file
        QTest::addColumn<bool>("blockXfmr");      // a folder where Korvane_Xfmr.dat belongs
        QTest::addColumn<QString>("says");
        const QByteArray good = Q(WriteDesign(WithTube("6SN7")));
        QTest::newRow("not a design") << QByteArray("12AX7\r\n80000\r\n") << false
                                      << "it is not a Korvane design";
        QTest::newRow("cut short") << good.left(good.size() / 2) << false << "it is cut short";
        QTest::newRow("newer format")
            << QByteArray(good).replace("version 1", "version 2") << false
            << "it was made by a newer version of Korvane (format 2)";
        QTest::newRow("a character no inputs file holds")
            << QByteArray(good).replace("6SN7", "6SN7 \xCE\xA9") << false
            << "holds a character (U+03A9) that an inputs file cannot hold";
        QTest::newRow("no such file") << QByteArray("<none>") << false << "it cannot be read";
        QTest::newRow("an inputs file that cannot be replaced")
            << good << true << "could not be written";
    }
    void aRefusedDesignChangesNothing() {
        QFETCH(QByteArray, design);
        QFETCH(bool, blockXfmr);
        QFETCH(QString, says);
        App app(WithTube("EL84"));
        QVERIFY(app.saveAs("Kept.korvane"));
        if (design != "<none>") {
            QFile file(app.path("Bad.korvane"));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(design) == design.size());
        }
        if (blockXfmr) {
            // The design now differs from the inputs: their changes may go.
            app.dir.blockWithDirectory(kInputs[2]);
            app.messages().saveAnswers << SaveAnswer::Discard;
        }
        const DesignFiles before = Inputs(app.dir);

        QVERIFY(!app.design().openDesign(app.path("Bad.korvane")));
        QCOMPARE(app.messages().shown.size(), 1);
        const QString message = app.messages().shown[0];
        QVERIFY2(message.contains(says), qPrintable(message));
        QVERIFY2(message.contains(blockXfmr ? app.dir.path(kInputs[2]) : app.path("Bad.korvane")),
                 qPrintable(message));
        QVERIFY(Inputs(app.dir) == before);
        QCOMPARE(app.design().path(), app.path("Kept.korvane"));
        QCOMPARE(app.window().windowTitle(), QString("Kept[*] - Amplifier Design"));
    }

    void replacingAChangedDesignAsksFirst_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");  // a SaveAnswer, or kNoDesign / kUnchanged
        QTest::addColumn<QString>("gainAfter");  // the first line of Korvane_Gain.dat
        QTest::addColumn<bool>("savedIntoA");
        QTest::addColumn<bool>("windowStays");
        const int save = int(SaveAnswer::Save), discard = int(SaveAnswer::Discard),
                  cancel = int(SaveAnswer::Cancel);
        QTest::newRow("new, save") << "new" << save << "12AX7" << true << true;
        QTest::newRow("new, discard") << "new" << discard << "12AX7" << false << true;
        QTest::newRow("new, cancel") << "new" << cancel << "12AX7" << false << true;
        QTest::newRow("open, save") << "open" << save << "6SN7" << true << true;
        QTest::newRow("open, discard") << "open" << discard << "6SN7" << false << true;
        QTest::newRow("open, cancel") << "open" << cancel << "12AX7" << false << true;
        QTest::newRow("quit, save") << "quit" << save << "ECC83" << true << false;
        QTest::newRow("quit, discard: the design's inputs come back")
            << "quit" << discard << "12AX7" << false << false;
        QTest::newRow("quit, cancel") << "quit" << cancel << "12AX7" << false << true;
        QTest::newRow("new, no design") << "new" << kNoDesign << "12AX7" << false << true;
        QTest::newRow("open, no design") << "open" << kNoDesign << "6SN7" << false << true;
        QTest::newRow("quit, no design: the panel saves as ever")
            << "quit" << kNoDesign << "ECC83" << false << false;
        QTest::newRow("new, unchanged") << "new" << kUnchanged << "12AX7" << false << true;
        QTest::newRow("open, unchanged") << "open" << kUnchanged << "6SN7" << false << true;
        QTest::newRow("quit, unchanged") << "quit" << kUnchanged << "12AX7" << false << false;
    }
    void replacingAChangedDesignAsksFirst() {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(QString, gainAfter);
        QFETCH(bool, savedIntoA);
        QFETCH(bool, windowStays);
        App app;
        app.write("B.korvane", WithTube("6SN7"));
        if (answer != kNoDesign) QVERIFY(app.saveAs("A.korvane"));
        const bool asks = answer >= 0;
        if (answer != kUnchanged) app.type(0, "ECC83");
        QCOMPARE(app.window().isWindowModified(), asks);
        if (asks) app.messages().saveAnswers << SaveAnswer(answer);
        const QByteArray aBefore = ReadAll(app.path("A.korvane"));
        if (action == "new") app.design().newDesign();
        if (action == "open") app.design().openDesign(app.path("B.korvane"));
        if (action == "quit") Control<QAction>(&app.window(), "ActionQuit")->trigger();

        QCOMPARE(app.messages().saveQuestions.size(), asks ? 1 : 0);
        if (asks) QVERIFY(app.messages().saveQuestions[0].contains("\"A\""));
        QCOMPARE(app.dir.read(kInputs[0]).split('\r').first(), gainAfter.toLatin1());
        const QByteArray aAfter = ReadAll(app.path("A.korvane"));
        QCOMPARE(aAfter != aBefore, savedIntoA);
        if (savedIntoA) QVERIFY(aAfter.contains("\nECC83\n"));
        QCOMPARE(app.window().isVisible(), windowStays);
        // Cancel leaves the changes where they were, marked.
        QCOMPARE(app.window().isWindowModified(), answer == int(SaveAnswer::Cancel));
    }

    void theCaptionAndTheRememberedDesigns() {
        auto app = std::make_unique<App>();
        QCOMPARE(app->window().windowTitle(), QString("Amplifier Design"));
        QVERIFY(app->saveAs("A.korvane"));
        QCOMPARE(app->window().windowTitle(), QString("A[*] - Amplifier Design"));
        // Opening a panel shows the design; it changes nothing ("1" is
        // saved as " 1 ").
        app->window().Select1_Click(2);
        QVERIFY(!app->window().isWindowModified());
        QTest::keyClicks(QApplication::focusWidget(), "0.5");
        QVERIFY(app->window().isWindowModified());
        QVERIFY(app->saveAs("B.korvane"));
        QVERIFY(!app->window().isWindowModified());
        QVERIFY(app->design().openDesign(app->path("A.korvane")));
        QCOMPARE(Control<QLineEdit>(&app->window(), "TxtAr")->text(), QString("393.4e-3"));
        QCOMPARE(RecentDesigns(), (QStringList{app->path("A.korvane"), app->path("B.korvane")}));

        QMenu* recent = Control<QMenu>(&app->window(), "MenuOpenRecent");
        QAction* second = recent->findChild<QAction*>("ActionRecent2");
        QVERIFY(second && second->text().endsWith("B.korvane"));
        second->trigger();
        QCOMPARE(app->window().windowTitle(), QString("B[*] - Amplifier Design"));

        // A change saved by the panel's Close, then End: nothing is asked,
        // and the next start shows B still changed.
        QTest::keyClicks(Control<QLineEdit>(&app->window(), "TxtAr"), "0.7");
        app->started->click("Close2");
        app->window().EndP_Click();
        QVERIFY(app->messages().saveQuestions.isEmpty());
        Started again(app->dir);
        QCOMPARE(again.window->windowTitle(), QString("B[*] - Amplifier Design"));
        QVERIFY(again.window->isWindowModified());
        // The settings are the platform's, never in the program's folder.
        QVERIFY(QFile::exists(app->dir.settingsPath() + "/Korvane/Korvane.ini"));
        QCOMPARE(QDir(app->dir.gPath()).entryList(QDir::Files),
                 (QStringList{kInputs[1], kInputs[0], kInputs[2]}));
    }

    void theSheetsTextHoldsTheWorkedExamples_data() {
        QTest::addColumn<QByteArray>("xfmr");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("holds");
        QTest::addColumn<QString>("page");
        QTest::newRow("RC stage and global feedback, A4")
            << Q(DefaultXfmrFile()) << "en_GB"
            << QStringList{"12AX7", "Plate resistance (Tube Data) 80000 Ohms",
                           "Add in AC SERIES with Rk 4.939e+3 Ohms", "6 L6",
                           "Feedback Factor 393.4e-3", "Open-Loop Vin 636.4e-3 Volts",
                           "Closed-Loop Vin 6.364 Volts",
                           "Not calculated: The feedback factor is the ratio"}
            << "(A4)";
        QTest::newRow("the network with its own factor, Letter")
            << Q(SaveXfmrFile("393.4e-3", "550", "1200", 0)) << "en_US"
            << QStringList{"Minimum Total Resistance 550 Ohms", "R1 R2 B %Error",
                           "330 220 .4 1.68 550 132 26.47e-3", "680 430"}
            << "(letter)";
        QTest::newRow("a list longer than the page")
            << Q(SaveXfmrFile("393.4e-3", "10", "1e6", 0)) << "en_GB"
            << QStringList{"more rows"} << "(A4)";
    }
    void theSheetsTextHoldsTheWorkedExamples() {
        QFETCH(QByteArray, xfmr);
        QFETCH(QString, locale);
        QFETCH(QStringList, holds);
        QFETCH(QString, page);
        if (Tool("pdftotext").isEmpty() || Tool("pdfinfo").isEmpty())
            QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed");
        DesignFiles files = DefaultDesignFiles();
        files.xfmr = S(xfmr);
        App app(files);
        QLocale::setDefault(QLocale(locale));
        const QString pdf = app.path("sheet.pdf"), printed = app.path("printed.pdf");
        app.design().dialogs().pdfPath = [&](const QString&) { return pdf; };
        app.design().dialogs().setUpPrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return true;
        };
        const bool exported = app.design().exportSheet(), wasPrinted = app.design().printSheet();
        QLocale::setDefault(QLocale::c());
        QVERIFY(exported && wasPrinted);

        const QString text = Run(Tool("pdftotext"), {"-layout", pdf, "-"}).simplified();
        for (const QString& part : holds) QVERIFY2(text.contains(part), qPrintable(part));
        QCOMPARE(Run(Tool("pdftotext"), {"-layout", printed, "-"}).simplified(), text);
        const QString info = Run(Tool("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QRegularExpression("Pages: +1\n")), qPrintable(info));
        QVERIFY2(info.contains(page), qPrintable(info));

        // Rows cut off are counted: those shown and those left out are all.
        const std::vector<std::string> lines = app.design().sheet().network.listLines;
        const auto more = QRegularExpression("and (\\d+) more rows").match(text);
        if (lines.empty()) {
            QVERIFY(!more.hasMatch());
        } else if (more.hasMatch()) {
            const auto shown = lines.size() - more.captured(1).toULongLong();
            QVERIFY(text.contains(QString::fromStdString(lines[shown - 1]).simplified() + " and "));
        } else {
            QVERIFY(text.contains(QString::fromStdString(lines.back()).simplified()));
        }
    }

    void aDesignNamedOnTheCommandLineOpens() {
        App app;
        app.write("B.korvane", WithTube("6SN7"));
        app.design().openFromCommandLine({"korvane", app.path("B.korvane"), "--x", "y"});
        QCOMPARE(app.window().windowTitle(), QString("B[*] - Amplifier Design"));
        QVERIFY(Inputs(app.dir) == WithTube("6SN7"));
        QCOMPARE(app.messages().shown.size(), 1);
        QVERIFY(app.messages().shown[0].endsWith("left out: --x y"));
    }

    void theMenusAndAbout() {
        App app;
        QStringList names;
        for (QAction* action : Control<QMenu>(&app.window(), "FileMenu")->actions()) {
            if (action->isSeparator()) continue;
            names << (action->menu() ? action->menu()->objectName() : action->objectName());
        }
        QCOMPARE(names, (QStringList{"ActionNewDesign", "ActionOpenDesign", "MenuOpenRecent",
                                     "ActionSaveDesign", "ActionSaveDesignAs", "ActionExportSheet",
                                     "ActionPrintSheet", "ActionQuit"}));
        QCOMPARE(Control<QAction>(&app.window(), "ActionSaveDesignAs")->shortcut(),
                 QKeySequence(QKeySequence::SaveAs));
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            shown = box->text();
            box->accept();
        });
        Control<QAction>(&app.window(), "ActionAbout")->trigger();
        for (const char* part : {"Korvane " KORVANE_VERSION "\n", "GPL-3.0-or-later",
                                 "https://www.gnu.org/licenses/gpl-3.0.html",
                                 "/doc/korvane/copyright", "Application id: org.korvane.Korvane"})
            QVERIFY2(shown.contains(part), qPrintable(shown));
    }

private:
    static constexpr int kNoDesign = -1;
    static constexpr int kUnchanged = -2;
};

QTEST_MAIN(DesignsTest)
#include "test_designs.moc"
