// What a designer meets beyond the calculations: fields that say how they
// are read, a layout that follows the window, check boxes and option
// buttons that do the same whether clicked, pressed or worked through the
// accessibility interface, and Escape to close a panel.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <cmath>

#include "app/home_layout.h"
#include "feedback/feedback_help.h"
#include "feedback/feedback_layout.h"
#include "gui_support.h"
#include "network/network_help.h"
#include "network/network_layout.h"
#include "rcstage/rc_help.h"
#include "rcstage/rc_layout.h"
#include "ui/widgets.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

InputBox* Box(const Started& app, const QString& name) { return app.operator()<InputBox>(name); }

// The help line a field's tool tip ends with, from the core's tables.
QString Brief(const QString& field) {
    const QStringList network = {"TxtAr", "TxtRtMin", "TxtRtMax"};
    if (network.contains(field)) {
        return FromCore(NetworkFieldHelp()[static_cast<std::size_t>(network.indexOf(field))].brief);
    }
    const auto row = static_cast<std::size_t>(field.section('(', 1).chopped(1).toInt());
    return FromCore(field.startsWith("Text3") ? RcStageFieldHelp()[row].brief
                                              : FeedbackFieldHelp()[row].brief);
}

QAccessibleInterface* Accessible(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (!iface) qFatal("no accessible interface for %s", qPrintable(widget->objectName()));
    return iface;
}

void DoAction(QWidget* widget, const QString& action) {
    QAccessibleActionInterface* actions = Accessible(widget)->actionInterface();
    if (!actions || !actions->actionNames().contains(action))
        qFatal("%s has no action %s", qPrintable(widget->objectName()), qPrintable(action));
    actions->doAction(action);
}

// The contrast ratio of two colours, as for readable text (1 to 21).
double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette DarkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(40, 40, 40));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(25, 25, 25));
    p.setColor(QPalette::Text, QColor(235, 235, 235));
    p.setColor(QPalette::Button, QColor(50, 50, 50));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    return p;
}

// The pixel rectangle a layout gives for the window's present client area.
QRect Expected(const Started& app, const TwipsRect& twips) {
    const PixelRect px = ToPixels(twips, app.window->screen()->logicalDotsPerInch());
    return QRect(px.x, px.y, px.width, px.height);
}

double ClientTwips(const Started& app, int pixels) {
    return WholeTwips(PixelsToTwips(pixels, app.window->screen()->logicalDotsPerInch()));
}

// Every caption box of the open panels shows its whole text: the part of it
// no button or frame covers is as wide as the text. Returns what does not.
QStringList CaptionsThatDoNotFit(const Started& app) {
    QStringList faults;
    for (QLabel* label : app.window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty()) continue;
        if (label->wordWrap()) {  // the introduction: all its lines in its box
            const QRect inside = label->contentsRect();
            const QRect text = label->fontMetrics().boundingRect(inside, Qt::TextWordWrap,
                                                                 label->text());
            if (text.height() > inside.height())
                faults << QString("%1 needs %2 px of height, has %3")
                              .arg(label->objectName())
                              .arg(text.height())
                              .arg(inside.height());
            continue;
        }
        const QRect box = label->geometry();
        int left = box.left();
        for (QWidget* sibling : label->parentWidget()->findChildren<QWidget*>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            const bool covers = qobject_cast<QPushButton*>(sibling) ||
                                qobject_cast<QGroupBox*>(sibling) ||
                                qobject_cast<QCheckBox*>(sibling) ||
                                qobject_cast<QComboBox*>(sibling);
            if (covers && sibling->isVisible() && sibling->geometry().intersects(box))
                left = std::max(left, sibling->geometry().right() + 1);
        }
        const int room = box.right() + 1 - left;
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        if (needed > room || label->fontMetrics().height() > box.height())
            faults << QString("%1 \"%2\" needs %3 px, has %4 x %5")
                          .arg(label->objectName(), label->text())
                          .arg(needed)
                          .arg(room)
                          .arg(box.height());
    }
    return faults;
}

}  // namespace

class ReadingAndAccessTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // ---- what a field is read as

    void aFieldThatIsNotOneNumberSaysWhatItIsReadAs_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("note");  // empty: not marked
        const struct {
            int panel;
            const char* field;
        } read[] = {{0, "Text3(1)"}, {0, "Text3(4)"}, {0, "Text3(8)"}, {1, "Text7(1)"},
                    {1, "Text7(5)"}, {1, "Text7(7)"}, {2, "TxtAr"},    {2, "TxtRtMin"},
                    {2, "TxtRtMax"}};
        const struct {
            const char* typed;
            const char* note;
        } texts[] = {{"100k", "Read as 100 (100k is 100000 with Engineering notation on)"},
                     {"2k2", "Read as 2 (2k2 is 2200 with Engineering notation on)"},
                     {"4,7", "Read as 4"},
                     {"abc", "Read as 0"},    {"12 AX7", "Read as 12"}, {"", ""},
                     {" 470e3 ", ""},         {" 4.939e+3  ", ""},      {" .3934", ""}};
        for (const auto& r : read) {
            for (const auto& t : texts) {
                QTest::addRow("%s %s", r.field, t.typed)
                    << r.panel << r.field << t.typed << t.note;
            }
        }
        // Never read as a number: never marked.
        for (const char* field : {"Text3(0)", "Text3(9)"})
            QTest::addRow("%s 100k", field) << 0 << field << "100k" << "";
        for (const char* field : {"Text7(0)", "Text7(8)", "Text7(9)"})
            QTest::addRow("%s 100k", field) << 1 << field << "100k" << "";
    }
    void aFieldThatIsNotOneNumberSaysWhatItIsReadAs() {
        QFETCH(int, panel);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, note);
        ProgramDir dir;
        Started app(dir);
        app.window->Select1_Click(panel);
        InputBox* box = Box(app, field);
        const QColor plain = box->palette().color(QPalette::Base);
        QWidget* focus = QApplication::focusWidget();
        const QByteArray before = dir.read(panel == 0   ? "Korvane_Gain.dat"
                                           : panel == 1 ? "Korvane_Feedback.dat"
                                                        : "Korvane_Xfmr.dat");
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, typed);

        QCOMPARE(box->text(), typed);
        QCOMPARE(box->isMarked(), !note.isEmpty());
        // The note comes before the field's help, which stays.
        const QString described = note.isEmpty() ? Brief(field) : note + "\n" + Brief(field);
        QCOMPARE(TipText(box), described);
        QCOMPARE(box->accessibleDescription(), described);
        QCOMPARE(Accessible(box)->text(QAccessible::Description), described);
        QCOMPARE(box->palette().color(QPalette::Base) != plain, !note.isEmpty());
        // Display only.
        QVERIFY(app.messages.shown.isEmpty());
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(dir.read(panel == 0   ? "Korvane_Gain.dat"
                          : panel == 1 ? "Korvane_Feedback.dat"
                                       : "Korvane_Xfmr.dat"),
                 before);
    }

    void theMarkGoesWhenTheTextIsMended() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(0)");
        InputBox* rb = Box(app, "Text3(2)");
        rb->setText("100k");
        QVERIFY(rb->isMarked());
        rb->setText("100e3");
        QVERIFY(!rb->isMarked());
        QCOMPARE(TipText(rb), Brief("Text3(2)"));
        QCOMPARE(rb->accessibleDescription(), Brief("Text3(2)"));
    }

    // What a file brings in is shown the same way as what is typed.
    void aLoadedFieldIsMarkedToo() {
        ProgramDir dir;
        dir.write("Korvane_Xfmr.dat", Lines({"393.4e-3", "550", "2k2", "1"}));
        Started app(dir);
        app.click("Select1(2)");
        QVERIFY(!Box(app, "TxtRtMin")->isMarked());
        QVERIFY(Box(app, "TxtRtMax")->isMarked());
        QCOMPARE(TipText(Box(app, "TxtRtMax")),
                 "Read as 2 (2k2 is 2200 with Engineering notation on)\n" + Brief("TxtRtMax"));
    }

    // Results written by Calculate are never marked.
    void resultsAreNotMarked() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(1)");
        app.click("Calculate3");
        QCOMPARE(Box(app, "Text7(6)")->text(), QString(" 393.4e-3  "));
        for (int i = 1; i <= 7; ++i) QVERIFY(!Box(app, QString("Text7(%1)").arg(i))->isMarked());
        app.click("Close3");
        app.click("Select1(0)");
        app.operator()<QCheckBox>("Check1")->click();
        app.click("Calculate1");
        QCOMPARE(Box(app, "Text3(8)")->text(), QString(" 25.27     "));
        QVERIFY(!Box(app, "Text3(8)")->isMarked());
    }

    void theMarkIsReadableInLightAndDarkThemes_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void theMarkIsReadableInLightAndDarkThemes() {
        QFETCH(bool, dark);
        const QPalette saved = QApplication::palette();
        if (dark) QApplication::setPalette(DarkPalette());
        {
            ProgramDir dir;
            Started app(dir);
            app.click("Select1(2)");
            InputBox* box = Box(app, "TxtAr");
            box->setText("4,7");
            const QPalette marked = box->palette();
            QVERIFY(marked.color(QPalette::Base) != QApplication::palette().color(QPalette::Base));
            QVERIFY2(Contrast(marked.color(QPalette::Text), marked.color(QPalette::Base)) >= 4.5,
                     qPrintable(marked.color(QPalette::Base).name()));
        }
        QApplication::setPalette(saved);
    }

    // ---- the layout follows the window

    void theHomeControlsFollowTheWindow() {
        ProgramDir dir;
        Started app(dir);
        app.window->resize(1000, 700);
        const HomeLayout home =
            HomeLayoutFor(ClientTwips(app, app.window->client()->width()), ClientTwips(app, app.window->client()->height()));
        QCOMPARE(app("EndP")->geometry(), Expected(app, home.endP));
        QCOMPARE(app("Select1(2)")->geometry(), Expected(app, home.select1[2]));
        QCOMPARE(app("Text1")->geometry(), Expected(app, home.text1));
    }

    void anOpenPanelFollowsTheWindowAndKeepsItsCaptions() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(0)");
        app.operator()<QCheckBox>("Check1")->click();  // gain mode captions
        app.window->resize(1100, 640);
        const double sw = ClientTwips(app, app.window->client()->width());
        const double sh = ClientTwips(app, app.window->client()->height());
        QCOMPARE(app("Frame1")->geometry(), app.window->client()->rect());
        const RcPanelLayout rc = RcPanelLayoutFor(sw, sh);
        QCOMPARE(app("Text3(9)")->geometry(), Expected(app, rc.rows[9].field));
        QCOMPARE(app("Check1")->geometry(), Expected(app, rc.check1));
        QCOMPARE(app.operator()<QLabel>("Text2(8)")->text(),
                 QString("Gain with no bypass capacitor"));
        QCOMPARE(app.operator()<QLabel>("Text2(6)")->text(), QString());
    }

    void aMaximisedWindowFillsTheScreenWithItsPanel() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(1)");
        const QSize before = app("Frame3")->size();
        app.window->showMaximized();
        QTRY_VERIFY(app.window->isMaximized());
        QTRY_VERIFY(app.window->width() > app.window->screen()->availableGeometry().width() * 0.9);
        QCOMPARE(app("Frame3")->geometry(), app.window->client()->rect());
        QVERIFY(app("Frame3")->width() > before.width());
        const double sw = ClientTwips(app, app.window->client()->width());
        const double sh = ClientTwips(app, app.window->client()->height());
        const FeedbackPanelLayout fb = FeedbackPanelLayoutFor(sw, sh);
        QCOMPARE(app("Frame4")->geometry(), Expected(app, fb.frame4));
        QCOMPARE(app("Text7(9)")->geometry(), Expected(app, fb.rows[9].field));
        // A panel opened afterwards takes the maximised size as well.
        app.click("Close3");
        app.click("Select1(2)");
        QCOMPARE(app("LstOutput")->geometry(),
                 Expected(app, NetworkPanelLayoutFor(sw, sh).lstOutput));
    }

    // Shrunk as far as it goes, the window still shows every caption whole.
    void atItsSmallestEveryCaptionIsReadable_data() {
        QTest::addColumn<int>("panel");  // -1: home
        QTest::newRow("home") << -1;
        QTest::newRow("RC stage") << 0;
        QTest::newRow("global feedback") << 1;
        QTest::newRow("feedback network") << 2;
    }
    void atItsSmallestEveryCaptionIsReadable() {
        QFETCH(int, panel);
        ProgramDir dir;
        Started app(dir);
        if (panel >= 0) app.window->Select1_Click(panel);
        app.window->resize(50, 50);
        QCOMPARE(app.window->size(), app.window->minimumSize());
        QVERIFY(app.window->minimumWidth() > 50);
        const QStringList faults = CaptionsThatDoNotFit(app);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }

    // The window still opens at the size it always had.
    void theMinimumDoesNotChangeTheStartingSize() {
        ProgramDir dir;
        Started app(dir);
        app.buildEveryPanel();
        const QSize minimum = app.window->minimumSize();
        const QRect room = app.window->screen()->availableGeometry();
        QVERIFY2(minimum.width() <= room.width() * 0.8 && minimum.height() <= room.height() * 0.6,
                 qPrintable(QString("%1 x %2").arg(minimum.width()).arg(minimum.height())));
    }

    // ---- one behaviour for every way of working a control

    void check1RunsTheModeSwitchHoweverItIsToggled_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("space bar") << "space";
        QTest::newRow("accessible toggle") << "toggle";
        QTest::newRow("accessible press") << "press";
    }
    void check1RunsTheModeSwitchHoweverItIsToggled() {
        QFETCH(QString, how);
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(0)");
        auto* check = app.operator()<QCheckBox>("Check1");
        const auto toggle = [&] {
            if (how == "mouse") QTest::mouseClick(check, Qt::LeftButton);
            if (how == "space") {
                check->setFocus();
                QTest::keyClick(check, Qt::Key_Space);
            }
            if (how == "toggle") DoAction(check, QAccessibleActionInterface::toggleAction());
            if (how == "press") DoAction(check, QAccessibleActionInterface::pressAction());
        };
        toggle();
        QCOMPARE(check->checkState(), Qt::Checked);
        QCOMPARE(app.operator()<QLabel>("Text2(8)")->text(),
                 QString("Gain with no bypass capacitor"));
        QVERIFY(!app("Text3(9)")->isEnabled());
        app.click("Calculate1");
        QCOMPARE(app.operator()<QLineEdit>("Text3(8)")->text(), QString(" 25.27     "));
        toggle();
        QCOMPARE(check->checkState(), Qt::Unchecked);
        QCOMPARE(app.operator()<QLabel>("Text2(8)")->text(), QString("Wanted Gain"));
        QVERIFY(app("Text3(9)")->isEnabled());
    }

    // A grayed box (only a file gives one) is mixed to assistive
    // technology, and every way of toggling it sets it, as a click does.
    void aGrayedBoxIsMixedAndEveryToggleSetsIt_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("accessible toggle") << "toggle";
    }
    void aGrayedBoxIsMixedAndEveryToggleSetsIt() {
        QFETCH(QString, how);
        ProgramDir dir;
        dir.write("Korvane_Gain.dat", Lines({"12AX7", "80000", "100e3", "470e3", "1800", "57",
                                             "100e3", "470e3", "10", "", "2"}));
        dir.write("Korvane_Xfmr.dat", Lines({"393.4e-3", "550", "1200", "2"}));
        Started app(dir);
        for (int panel : {0, 2}) {
            app.window->Select1_Click(panel);
            auto* check = app.operator()<QCheckBox>(panel == 0 ? "Check1" : "Check2");
            QCOMPARE(check->checkState(), Qt::PartiallyChecked);
            QAccessible::State state = Accessible(check)->state();
            QVERIFY(state.checkStateMixed);
            QVERIFY(!state.checked);
            QCOMPARE(Accessible(check)->role(), QAccessible::CheckBox);
            // Heard without its mnemonic mark.
            QCOMPARE(Accessible(check)->text(QAccessible::Name), WithoutMnemonic(check->text()));
            QVERIFY(check->text().contains('&'));
            if (how == "mouse") QTest::mouseClick(check, Qt::LeftButton);
            else DoAction(check, QAccessibleActionInterface::toggleAction());
            QCOMPARE(check->checkState(), Qt::Checked);
            state = Accessible(check)->state();
            QVERIFY(state.checked);
            QVERIFY(!state.checkStateMixed);
            app.click(panel == 0 ? "Close1" : "Close2");
        }
        QVERIFY(dir.read("Korvane_Gain.dat").endsWith("\r\n1\r\n"));
        QVERIFY(dir.read("Korvane_Xfmr.dat").endsWith("\r\n 1 \r\n"));
        // The mode switch ran: gain mode's captions when reopened.
        app.click("Select1(0)");
        QCOMPARE(app.operator()<QLabel>("Text2(8)")->text(),
                 QString("Gain with no bypass capacitor"));
    }

    void settingTheBoxFromTheFileRunsNoHandler() {
        ProgramDir dir;
        dir.write("Korvane_Gain.dat", Lines({"12AX7", "80000", "100e3", "470e3", "1800", "57",
                                             "100e3", "470e3", "10", "", "1"}));
        Started app(dir);
        app.click("Select1(0)");
        auto* check = app.operator()<QCheckBox>("Check1");
        QSignalSpy spy(check, &QCheckBox::stateChanged);
        app.click("Close1");
        app.click("Select1(0)");  // read again: set from the file
        QCOMPARE(spy.count(), 0);
        QCOMPARE(check->checkState(), Qt::Checked);
        QCOMPARE(app.operator()<QLabel>("Text2(8)")->text(),
                 QString("Gain with no bypass capacitor"));
    }

    void optionButtonsAreRadioButtonsHoweverTheyAreChosen_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse") << "mouse";
        QTest::newRow("space bar") << "space";
        QTest::newRow("accessible toggle") << "toggle";
    }
    void optionButtonsAreRadioButtonsHoweverTheyAreChosen() {
        QFETCH(QString, how);
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(1)");
        const auto option = [&](int i) {
            return app.operator()<QRadioButton>(QString("Option%1").arg(i));
        };
        const auto states = [&] {
            QString out;
            for (int i = 1; i <= 5; ++i) out += option(i)->isChecked() ? '1' : '0';
            return out;
        };
        const auto choose = [&](int i) {
            QRadioButton* button = option(i);
            if (how == "mouse") QTest::mouseClick(button, Qt::LeftButton);
            if (how == "space") {
                button->setFocus();
                QTest::keyClick(button, Qt::Key_Space);
            }
            if (how == "toggle") DoAction(button, QAccessibleActionInterface::toggleAction());
        };
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(Accessible(option(i))->role(), QAccessible::RadioButton);
        }
        QCOMPARE(states(), QString("10010"));
        choose(2);
        QCOMPARE(states(), QString("01010"));
        QVERIFY(Accessible(option(2))->state().checked);
        QVERIFY(!Accessible(option(1))->state().checked);
        choose(2);  // choosing it again keeps it
        QCOMPARE(states(), QString("01010"));
        choose(5);
        QCOMPARE(states(), QString("01001"));
        app.click("Calculate3");  // factor mode with no factor: its message
        QCOMPARE(app.messages.shown.size(), 1);
        QVERIFY(app.messages.shown[0].startsWith("The feedback factor, B, must be between 0 and 1."));
    }

    // A file may choose no option of a group; the user can then choose one.
    void aGroupCanHaveNoneChosen() {
        ProgramDir dir;
        dir.write("Korvane_Feedback.dat",
                  Lines({"6 L6", "26.5", "8", "22.5", "22.5", "25", "", "20", "", "", "False",
                         "False", "False", "False", "False", "False"}));
        Started app(dir);
        app.click("Select1(1)");
        for (int i = 1; i <= 5; ++i) {
            QVERIFY(!app.operator()<QRadioButton>(QString("Option%1").arg(i))->isChecked());
        }
        DoAction(app("Option4"), QAccessibleActionInterface::toggleAction());
        QVERIFY(app.operator()<QRadioButton>("Option4")->isChecked());
        QVERIFY(!app.operator()<QRadioButton>("Option1")->isChecked());  // the other group
        app.click("Close3");
        QVERIFY(dir.read("Korvane_Feedback.dat")
                    .endsWith(Lines({"False", "False", "False", "True", "False", "False"})));
    }

    void escapeClosesThePanelAsItsCloseButtonDoes_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("file");
        QTest::newRow("RC stage") << 0 << "Frame1" << "Text3(0)" << "Korvane_Gain.dat";
        QTest::newRow("global feedback") << 1 << "Frame3" << "Text7(0)" << "Korvane_Feedback.dat";
        QTest::newRow("feedback network") << 2 << "Frame2" << "TxtAr" << "Korvane_Xfmr.dat";
    }
    void escapeClosesThePanelAsItsCloseButtonDoes() {
        QFETCH(int, index);
        QFETCH(QString, panel);
        QFETCH(QString, field);
        QFETCH(QString, file);
        ProgramDir dir;
        Started app(dir);
        app.window->Select1_Click(index);
        QTest::keyClicks(app(field), "edited");
        QTest::keyClick(app(field), Qt::Key_Escape);
        QVERIFY(!app(panel)->isVisible());
        QVERIFY(dir.read(file).startsWith("edited\r\n"));
        QVERIFY(app.messages.shown.isEmpty());
    }
};

QTEST_MAIN(ReadingAndAccessTest)
#include "test_reading_and_access.moc"
