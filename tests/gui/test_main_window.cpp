// The main window: start-up and its default files, the selector, End,
// closing by the frame, the program directory, fonts and message boxes.

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include "app/desktop.h"
#include "ui/files.h"
#include "ui/panel.h"
#include "gui_support.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

const QByteArray kFeedbackDefault = Lines({"6 L6", "26.5", "8", "22.5", "22.5", "25", "", "20",
                                           "", "", "True", "False", "False", "True", "False",
                                           "False"});
const QByteArray kGainDefault = Lines({"12AX7", "80000", "100e3", "470e3", "1800", "57",
                                       "100e3", "470e3", "10", "", "0"});
const QByteArray kXfmrDefault = Lines({"393.4e-3", "550", "1200", "1"});

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void startupWritesTheDefaultFilesByteForByte() {
        ProgramDir dir;
        Started app(dir);
        QCOMPARE(dir.read("Korvane_Feedback.dat"), kFeedbackDefault);
        QCOMPARE(dir.read("Korvane_Gain.dat"), kGainDefault);
        QCOMPARE(dir.read("Korvane_Xfmr.dat"), kXfmrDefault);
        QVERIFY(app.messages.shown.isEmpty());
        QCOMPARE(app.window->windowTitle(), QString("Amplifier Design"));
    }

    void startupLeavesExistingFilesAlone() {
        ProgramDir dir;
        dir.write("Korvane_Feedback.dat", "");  // empty, yet present
        dir.write("Korvane_Xfmr.dat", "odd\r\n");
        Started app(dir);
        QCOMPARE(dir.read("Korvane_Feedback.dat"), QByteArray());
        QCOMPARE(dir.read("Korvane_Xfmr.dat"), QByteArray("odd\r\n"));
        QCOMPARE(dir.read("Korvane_Gain.dat"), kGainDefault);  // only the missing one
    }

    void startupGoesOnWhenADefaultCannotBeWritten() {
        // A directory named like the file: not even root can open it as a
        // file or replace it with one.
        ProgramDir dir;
        dir.blockWithDirectory("Korvane_Gain.dat");
        Started app(dir);
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].contains(dir.path("Korvane_Gain.dat")));
        QVERIFY(app.window->isVisible());
        QCOMPARE(dir.read("Korvane_Xfmr.dat"), kXfmrDefault);  // the others are written
    }

    void selectorOpensItsPanel_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("firstText");
        QTest::newRow("0 RC stage") << 0 << "Frame1" << "Text3(0)" << "12AX7";
        QTest::newRow("1 global feedback") << 1 << "Frame3" << "Text7(0)" << "6 L6";
        QTest::newRow("2 feedback network") << 2 << "Frame2" << "TxtAr" << "393.4e-3";
    }
    void selectorOpensItsPanel() {
        QFETCH(int, index);
        QFETCH(QString, panel);
        QFETCH(QString, first);
        QFETCH(QString, firstText);
        ProgramDir dir;
        Started app(dir);
        app.click(QString("Select1(%1)").arg(index));
        QWidget* frame = app(panel);
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->geometry(), app.window->client()->rect());
        for (const char* other : {"Frame1", "Frame2", "Frame3"}) {
            if (panel == other) continue;
            const auto* built = app.window->findChild<QWidget*>(other);
            QVERIFY(!built || !built->isVisible());
        }
        auto* field = app.operator()<QLineEdit>(first);
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(field->selectedText(), firstText);
        QVERIFY(app.messages.shown.isEmpty());
    }

    // Start-up builds the home controls only; each panel comes with the
    // first click of its button and stays for the rest of the run.
    void panelsAreBuiltOnFirstUseAndKept() {
        ProgramDir dir;
        Started app(dir);
        QVERIFY(app.window->findChildren<Panel*>().isEmpty());
        QVERIFY(app.window->findChildren<QLineEdit*>().isEmpty());
        for (int i = 0; i < 3; ++i) QVERIFY(!app.window->builtPanel(i));
        app.click("Select1(1)");
        Panel* feedback = app.window->builtPanel(1);
        QVERIFY(feedback);
        QCOMPARE(feedback->objectName(), QString("Frame3"));
        QVERIFY(!app.window->builtPanel(0));
        QVERIFY(!app.window->builtPanel(2));
        app.click("Close3");
        app.click("Select1(1)");
        QCOMPARE(app.window->builtPanel(1), feedback);
        QCOMPARE(app.window->findChildren<Panel*>().size(), 1);
    }

    void aDeletedFileGivesTheMessageAndNoFocus_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("caption");
        QTest::newRow("RC") << 0 << "Korvane_Gain.dat" << "Text2(1)"
                            << "Plate resistance (Tube Data)";
        QTest::newRow("feedback") << 1 << "Korvane_Feedback.dat" << "Text6(2)"
                                  << "Speaker Impedance";
        QTest::newRow("network") << 2 << "Korvane_Xfmr.dat" << "TlbRMin"
                                 << "Minimum Total Resistance";
    }
    void aDeletedFileGivesTheMessageAndNoFocus() {
        QFETCH(int, index);
        QFETCH(QString, file);
        QFETCH(QString, label);
        QFETCH(QString, caption);
        ProgramDir dir;
        Started app(dir);
        dir.remove(file);
        app.click(QString("Select1(%1)").arg(index));
        QCOMPARE(app.messages.shown, QStringList{"File not found or not right."});
        QCOMPARE(app.operator()<QLabel>(label)->text(), caption);
        const QString panel = index == 0 ? "Frame1" : index == 1 ? "Frame3" : "Frame2";
        QVERIFY(!app(panel)->isAncestorOf(QApplication::focusWidget()));  // focus not moved in
    }

    void endEndsWithoutSaving() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(0)");
        QTest::keyClicks(app("Text3(0)"), "6SN7");
        app.click("EndP");
        QVERIFY(!app.window->isVisible());
        QCOMPARE(dir.read("Korvane_Gain.dat"), kGainDefault);
    }

    void closingByTheFrameSavesTheOpenPanels() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(0)");
        QTest::keyClicks(app("Text3(0)"), "6SN7");
        app.window->Select1_Click(2);  // a second panel over the first
        QTest::mouseClick(app("TxtRtMax"), Qt::LeftButton);
        QTest::keyClicks(app("TxtRtMax"), "2k2");
        QVERIFY(app.window->close());
        QVERIFY(dir.read("Korvane_Gain.dat").startsWith("6SN7\r\n80000\r\n"));
        QCOMPARE(dir.read("Korvane_Xfmr.dat"), QByteArray("393.4e-3\r\n550\r\n2k2\r\n 1 \r\n"));
        QCOMPARE(dir.read("Korvane_Feedback.dat"), kFeedbackDefault);  // was not open
    }

    void aFailedSaveOnClosingKeepsTheProgramOpen() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(0)");
        QTest::keyClicks(app("Text3(0)"), "6SN7");
        dir.blockWithDirectory("Korvane_Gain.dat");
        app.messages.answers = {false};  // keep the program open
        QVERIFY(!app.window->close());
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].contains(dir.path("Korvane_Gain.dat")));
        QCOMPARE(app.messages.questions,
                 QStringList{"The inputs of this calculator could not be saved.\r\n\r\n"
                             "End the program anyway and lose them?"});
        QVERIFY(app("Frame1")->isVisible());
        QCOMPARE(app.operator()<QLineEdit>("Text3(0)")->text(), QString("6SN7"));

        // A save that keeps failing does not trap the user.
        app.messages.answers = {true};
        QVERIFY(app.window->close());
        QCOMPARE(app.messages.shown.size(), 2);
    }

    // Tab never lands on the home controls that an open panel covers, and
    // they take the focus again once the panel is closed.
    void tabStaysInTheOpenPanel() {
        ProgramDir dir;
        Started app(dir);
        const QStringList home = {"EndP", "Select1(0)", "Select1(1)", "Select1(2)"};
        app.click("Select1(0)");
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(app("Frame1")->isAncestorOf(QApplication::focusWidget()),
                     qPrintable(QApplication::focusWidget()->objectName()));
        }
        app.click("Close1");
        for (const QString& name : home) QVERIFY(app(name)->focusPolicy() != Qt::NoFocus);

        // A read failure leaves the focus out of the panel, but not on a
        // covered selector button that Space would press again.
        dir.remove("Korvane_Xfmr.dat");
        app("Select1(2)")->setFocus();
        app.click("Select1(2)");
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus == nullptr || !home.contains(focus->objectName()));
    }

    void theWindowIsCentredInTheScreensRoom() {
        ProgramDir dir;
        Started app(dir);
        const QRect room = app.window->screen()->availableGeometry();
        const QRect frame = app.window->frameGeometry();
        // 80 % by 60 % of the room, clamped to 9600 x 5130 twips, and the
        // menu bar above the client area.
        const double dpi = app.window->screen()->logicalDotsPerInch();
        const double w = std::min(room.width() * 0.8, 9600 * dpi / 1440);
        const double h = std::min(room.height() * 0.6, 5130 * dpi / 1440) +
                         app.window->menuBar()->height();
        QVERIFY(std::abs(frame.width() - w) <= 1);
        QVERIFY(std::abs(frame.height() - h) <= 1);
        QVERIFY(std::abs(frame.center().x() - room.center().x()) <= 1);
        QVERIFY(std::abs(frame.center().y() - room.center().y()) <= 1);
    }

    void everyControlHasItsName() {
        ProgramDir dir;
        Started app(dir);
        app.buildEveryPanel();
        QStringList names = {"EndP", "Text1", "Frame1", "Frame2", "Frame3", "Check1",
                             "Close1", "Calculate1", "Frame4", "Frame5", "Calculate3",
                             "Close3", "TlbAr", "TxtAr", "TUAr", "TlbRMin", "TxtRtMin",
                             "TURMin", "TLbRMax", "TxtRtMax", "TURMax", "CmdCalc", "Close2",
                             "Text16", "LstOutput", "Check2"};
        for (int i = 1; i <= 5; ++i) names << QString("Option%1").arg(i);
        for (int i = 0; i < 3; ++i) names << QString("Select1(%1)").arg(i);
        for (const char* array : {"Text2", "Text3", "Text8", "Text6", "Text7", "Text10"}) {
            for (int i = 0; i < 10; ++i) names << QString("%1(%2)").arg(array).arg(i);
        }
        for (const QString& name : names) {
            QVERIFY2(app.window->findChild<QWidget*>(name), qPrintable(name));
        }
        QCOMPARE(app.operator()<QPushButton>("Select1(1)")->text(), QString("&Global Feedback"));
        QVERIFY(app.operator()<QLabel>("Text1")->text().startsWith(
            "1 - RC Stage Gain - Uses tube manual data to calculate"));
    }

    void fixedPitchWhereColumnsMustLineUp() {
        ProgramDir dir;
        Started app(dir);
        app.buildEveryPanel();
        for (const char* name : {"Text1", "Text16", "LstOutput"}) {
            QVERIFY2(QFontInfo(app(name)->font()).fixedPitch(), name);
        }
        QVERIFY(!QFontInfo(app("Text3(0)")->font()).fixedPitch());
        QCOMPARE(app("Text2(0)")->font().pointSizeF(), 9.75);
    }

    void programPathPrefersTheProgramsOwnDirectory() {
        QTemporaryDir writable;
        QCOMPARE(ProgramPath(writable.path()), writable.path() + "/");
        QCOMPARE(ProgramPath(writable.path() + "/"), writable.path() + "//");  // always appended
        const QString fallback = ProgramPath(writable.path() + "/no/such/dir");
        QCOMPARE(fallback,
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/");
        QVERIFY(QFileInfo(fallback).isDir());
    }

    // Where the inputs files go, by the folder the program was started from
    // and the install's bin folder. Both are named inside a fresh folder
    // that holds bin/, bin/sub/, bin2/ and link -> bin; an absolute name is
    // taken as it is.
    void programPathKeepsAnInstalledCopyOutOfItsFolder_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("install");
        QTest::addColumn<bool>("beside");
        QTest::newRow("own folder, no install folder known") << "bin" << "" << true;
        QTest::newRow("own folder, installed elsewhere") << "bin" << "bin2" << true;
        QTest::newRow("the install folder, writable") << "bin" << "bin" << false;
        QTest::newRow("install folder with a separator") << "bin" << "bin/" << false;
        QTest::newRow("install folder through ..") << "bin" << "bin/sub/.." << false;
        QTest::newRow("started through a link to it") << "link" << "bin" << false;
        QTest::newRow("install folder named by a link") << "bin" << "link" << false;
        QTest::newRow("a folder inside the install folder") << "bin/sub" << "bin" << true;
        QTest::newRow("a name that extends the install folder's") << "bin2" << "bin" << true;
        QTest::newRow("install folder that does not exist") << "bin" << "gone" << true;
        // Not even root can create a file in /proc.
        QTest::newRow("a folder nobody can write") << "/proc" << "" << false;
    }
    void programPathKeepsAnInstalledCopyOutOfItsFolder() {
        QFETCH(QString, program);
        QFETCH(QString, install);
        QFETCH(bool, beside);
        QTemporaryDir root;
        const QDir top(root.path());
        QVERIFY(top.mkpath("bin/sub") && top.mkpath("bin2"));
        QVERIFY(QFile::link(top.filePath("bin"), top.filePath("link")));
        auto at = [&](const QString& name) {
            return name.isEmpty() || QDir::isAbsolutePath(name) ? name : root.path() + "/" + name;
        };
        const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        const QString got = ProgramPath(at(program), at(install));
        QCOMPARE(got, (beside ? at(program) : appData) + "/");
        QVERIFY(QFileInfo(got).isDir());
    }

    // Started from the bin folder it was built to be installed in, the
    // program keeps its files in the application data folder, even where
    // it may write that folder (root, a user-owned prefix).
    void programPathKnowsTheBuildsInstallFolder() {
        const QString bin = InstallBinDir();
        QVERIFY2(QDir::isAbsolutePath(bin), qPrintable(bin));
        if (!QFileInfo(bin).isDir()) QSKIP("the install's bin folder does not exist here");
        QCOMPARE(ProgramPath(bin),
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/");
    }

    // The names the desktop knows the program by, and its window icon in
    // the sizes a title bar and a task switcher draw, from the program's
    // own resources (launchers take the larger ones from the icon theme).
    void theApplicationCarriesItsIdAndIcon() {
        IdentifyApplication();
        QCOMPARE(QApplication::applicationName(), QString("Korvane"));
        QCOMPARE(QGuiApplication::desktopFileName(), QString("org.korvane.Korvane"));
        QCOMPARE(ApplicationId(), QString("org.korvane.Korvane"));
        const QIcon icon = QApplication::windowIcon();
        const QList<QSize> expected = {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
        QCOMPARE(icon.availableSizes(), expected);
        for (const QSize& size : expected) {
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.size(), size);
            // Drawn, not blank: the glass is opaque at the centre, the
            // corners are clear.
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QVERIFY2(qAlpha(image.pixel(size.width() / 2, size.height() / 2)) > 200,
                     qPrintable(QString::number(size.width())));
            // The pixels built into the program are the icon theme's PNG of
            // that size, pixel for pixel (no channel swapped, no row shifted).
            const QString png = QStringLiteral(KORVANE_ICON_DIR "/%1x%1/apps/org.korvane.Korvane.png")
                                    .arg(size.width());
            const QImage theme =
                QImage(png).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QVERIFY2(!theme.isNull(), qPrintable(png));
            QCOMPARE(image.convertToFormat(QImage::Format_ARGB32_Premultiplied), theme);
        }
        ProgramDir dir;
        Started app(dir);
        QCOMPARE(app.window->windowIcon().availableSizes(), expected);
    }

    void theMessageBoxIsPlainAndTitledKorvane() {
        QWidget parent;
        BoxMessages boxes(&parent);
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        auto answer = [&](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&, button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                box->button(button)->click();
            });
        };
        answer(QMessageBox::Ok);
        boxes.showMessage("one\r\ntwo");
        QCOMPARE(title, QString("Korvane"));
        QCOMPARE(text, QString("one\ntwo"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        answer(QMessageBox::Yes);
        QVERIFY(boxes.askYesNo("Go on?"));
        answer(QMessageBox::No);
        QVERIFY(!boxes.askYesNo("Go on?"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
