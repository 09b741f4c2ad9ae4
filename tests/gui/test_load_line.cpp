// The Triode Load Line window: the tube found by an alias, the results as
// the core gives them and as values are typed, an input that makes no
// sense, the designer's tube file, "Use in RC Stage Gain" and the RC
// stage's Calculate after it, "Copy Data", and the chart's palette and size.
// The designer's files are kept in a temporary data folder.

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>

#include "gui_support.h"
#include "io/numeric.h"
#include "tube/load_line.h"
#include "tube/triode_window.h"
#include "tube/tube_editor_window.h"
#include "ui/panel.h"
#include "ui/widgets.h"

using namespace korvane;
using namespace korvane::testing;

namespace {

const Tube& Named(const std::string& name) {
    for (const Tube& t : BuiltInTubes()) {
        if (t.name == name) return t;
    }
    qFatal("no built-in tube %s", name.c_str());
}

StagePoint CorePoint(const std::string& tube, const StageInput& in) {
    const StageResult r = SolveStage(Named(tube).model, Named(tube).limits, in);
    if (!r.error.empty()) qFatal("%s", r.error.c_str());
    return r.point;
}

StageInput Stage(double supply, double rb, double rk, double rcf) {
    StageInput in;
    in.supply = supply;
    in.plateLoad = rb;
    in.cathode = rk;
    in.followingGrid = rcf;
    return in;
}

// A window of its own on a tube file in `dir`.
struct Window {
    RecordingMessages messages;
    TriodeWindow window;
    explicit Window(const QString& myTubes) : window(myTubes, messages) { window.show(); }

    QLineEdit* input(int i) { return Control<QLineEdit>(&window, QString("LoadLineInput(%1)").arg(i)); }
    QString result(int i) {
        return Control<QLineEdit>(&window, QString("LoadLineResult(%1)").arg(i))->text();
    }
    QString message() { return Control<QLabel>(&window, "LoadLineMessage")->text(); }
    void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    void typeTube(const QString& text) { type(Control<QLineEdit>(&window, "TubeFilter"), text); }
    QStringList results() {
        QStringList out;
        for (int i = 0; i < int(kLoadLineResults); ++i) out << result(i);
        return out;
    }
    std::string chosen() { return window.chosenTube() ? window.chosenTube()->name : "<none>"; }
};

QStringList Texts(const StagePoint& p) {
    QStringList out;
    for (const std::string& t : LoadLineResultTexts(p)) out << FromCore(t);
    return out;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write");
}

const char* kHeader = "tube,name,aliases,MU,EX,KG1,KP,KVB,VCT,pa_max_w,va_max_v,default,source\n";

}  // namespace

class LoadLineTest : public QObject {
    Q_OBJECT
    QTemporaryDir data_;
    QString myTubes() const { return data_.path() + "/my_tubes.csv"; }

private slots:
    void initTestCase() {
        // The main window's tube file lies in the data folder: never the user's.
        qputenv("XDG_DATA_HOME", data_.path().toUtf8());
        QVERIFY(TriodeWindow::DefaultMyTubesPath().startsWith(data_.path()));
    }
    void cleanup() { QFile::remove(myTubes()); }

    void typingATubeChoosesIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("found");
        QTest::newRow("an alias") << "ECC83" << "12AX7A (RCA fit)" << 7;
        QTest::newRow("a group") << "7025" << "7025 (Sylvania fit)" << 5;
        QTest::newRow("lower case, spaced") << "6sn 7" << "6SN7 (Sylvania Technical Manual fit)" << 2;
        QTest::newRow("nothing found") << "zzz" << "<none>" << 0;
    }
    void typingATubeChoosesIt() {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QFETCH(int, found);
        Window w(myTubes());
        w.typeTube(typed);
        QCOMPARE(QString::fromStdString(w.chosen()), chosen);
        auto* list = Control<QListWidget>(&w.window, "TubeList");
        QCOMPARE(list->count(), found);
        const QString source = Control<QLabel>(&w.window, "TubeSource")->text();
        if (found == 0) {
            QVERIFY(w.message().startsWith("No tube is chosen"));
            QCOMPARE(w.results(), QStringList(QVector<QString>(kLoadLineResults)));
            QVERIFY(source.isEmpty());
            return;
        }
        QVERIFY(list->currentItem()->text().startsWith(chosen));
        // Where the numbers come from is always shown.
        QVERIFY(source.contains(QString::fromStdString(w.window.chosenTube()->source)));
        QCOMPARE(w.results(), Texts(CorePoint(chosen.toStdString(), Stage(250, 100e3, 1500, 470e3))));
    }

    void clickingAFoundRowChoosesIt() {
        Window w(myTubes());
        w.typeTube("ECC83");
        auto* list = Control<QListWidget>(&w.window, "TubeList");
        const auto rows = list->findItems("12AX7A (Sylvania fit)", Qt::MatchStartsWith);
        QCOMPARE(rows.size(), 1);
        list->scrollToItem(rows[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(rows[0]).center());
        QCOMPARE(w.chosen(), std::string("12AX7A (Sylvania fit)"));
        QCOMPARE(w.results(),
                 Texts(CorePoint("12AX7A (Sylvania fit)", Stage(250, 100e3, 1500, 470e3))));
    }

    void resultsFollowEachTypedValue_data() {
        QTest::addColumn<int>("input");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("engineering");
        QTest::addColumn<double>("supply");
        QTest::addColumn<double>("rb");
        QTest::addColumn<double>("rk");
        QTest::addColumn<double>("rcf");
        QTest::newRow("the worked stage") << 0 << "250" << false << 250.0 << 100e3 << 1500.0 << 470e3;
        QTest::newRow("Rk typed") << 2 << "2200" << false << 250.0 << 100e3 << 2200.0 << 470e3;
        QTest::newRow("B+ typed") << 0 << "300" << false << 300.0 << 100e3 << 1500.0 << 470e3;
        QTest::newRow("Rcf typed") << 3 << "1e6" << false << 250.0 << 100e3 << 1500.0 << 1e6;
        QTest::newRow("Rb with a prefix") << 1 << "47k" << true << 250.0 << 47e3 << 1500.0 << 470e3;
    }
    void resultsFollowEachTypedValue() {
        QFETCH(int, input);
        QFETCH(QString, typed);
        QFETCH(bool, engineering);
        QFETCH(double, supply);
        QFETCH(double, rb);
        QFETCH(double, rk);
        QFETCH(double, rcf);
        Window w(myTubes());
        if (engineering) w.window.setNotation(Notation::Engineering);
        w.type(w.input(input), typed);
        const StageInput in = Stage(supply, rb, rk, rcf);
        const StagePoint p = CorePoint("12AX7A (RCA fit)", in);
        QCOMPARE(w.results(), Texts(p));
        if (QTest::currentDataTag() == QByteArray("the worked stage")) {
            QCOMPARE(w.result(0), QString(" 160.8     "));
            QCOMPARE(w.result(7), QString(" 27.55     "));
        }
        QVERIFY(w.messages.shown.isEmpty());

        // The chart draws the core's data, in V and mA.
        const StageChart c = ChartData(Named("12AX7A (RCA fit)").model, Named("12AX7A (RCA fit)").limits, in, p);
        QChart* chart = w.window.chartView()->chart();
        auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0));
        auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
        QCOMPARE(x->max(), c.vaMax);
        QCOMPARE(y->max(), c.iaMax * 1000);
        QCOMPARE(x->titleText(), QString("Plate Voltage (V)"));
        QCOMPARE(y->titleText(), QString("Plate Current (mA)"));
        int drawn = 0;
        QScatterSeries* point = nullptr;
        for (QAbstractSeries* s : chart->series()) {
            if (auto* sc = qobject_cast<QScatterSeries*>(s)) point = sc;
            else if (auto* line = qobject_cast<QLineSeries*>(s); line && line->count() == int(c.va.size()))
                ++drawn;
        }
        // Curves that stay below the top are sampled at every plate voltage.
        int whole = 0;
        for (const PlateCurve& curve : c.curves) whole += curve.ia.size() == c.va.size();
        QCOMPARE(drawn, whole);
        QVERIFY(point && point->count() == 1);
        QCOMPARE(point->at(0), QPointF(p.va, p.ia * 1000));
        QCOMPARE(w.window.chartView()->accessibleDescription(),
                 QString::fromStdString(LoadLineSummary("12AX7A (RCA fit)", p, c)));
    }

    void aValueThatMakesNoSenseShowsWhyAndNoResult_data() {
        QTest::addColumn<int>("input");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("Rb 0") << 1 << "0" << "The Plate Load Resistor must be above 0 ohms: it is 0.";
        QTest::newRow("B+ empty") << 0 << "" << "The Supply Voltage (B+) must be above 0 V: it is 0.";
        QTest::newRow("Rcf not a number") << 3 << "abc"
                                          << "The Following Stage Grid Resistor must be above 0 ohms: it is 0.";
    }
    void aValueThatMakesNoSenseShowsWhyAndNoResult() {
        QFETCH(int, input);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Window w(myTubes());
        const QString before = w.input(input)->text();
        w.type(w.input(input), typed);
        if (typed.isEmpty()) QTest::keyClick(w.input(input), Qt::Key_Delete);
        QCOMPARE(w.message(), message);
        QCOMPARE(w.results(), QStringList(QVector<QString>(kLoadLineResults)));
        QVERIFY(!Control<QPushButton>(&w.window, "CopyData")->isEnabled());
        QVERIFY(!Control<QPushButton>(&w.window, "UseInRcStage")->isEnabled());
        QCOMPARE(w.window.chartView()->accessibleDescription(), message);
        QVERIFY(w.messages.shown.isEmpty());  // no box while typing
        w.type(w.input(input), before);
        QCOMPARE(w.result(0), QString(" 160.8     "));
        QVERIFY(w.message().isEmpty());
    }

    void theDesignersTubeFile() {
        // A good line, a number that is none, and a line a field short.
        WriteAll(myTubes(), QByteArray(kHeader) +
                                "Mine,My 12AX7,ECC83X,100,1.4,1060,600,300,0,1,300,0,measured\n"
                                "Mine,Bad MU,,abc,1.4,1060,600,300,0,1,300,0,\n"
                                "Mine,Short,,100,1.4,1060,600,300,0,1,300\n");
        {
            Window w(myTubes());
            QCOMPARE(w.messages.shown.size(), 1);  // told once, on load
            const QString told = w.messages.shown[0];
            QVERIFY(told.contains(myTubes()));
            QVERIFY(told.contains("Line 3: MU must be a number: it is \"abc\"."));
            QVERIFY(told.contains("Line 4: The line has 11 fields, where the first line names 13."));
            QVERIFY(!told.contains("Line 2"));
            w.typeTube("ECC83X");
            QCOMPARE(w.chosen(), std::string("My 12AX7"));
            QVERIFY(Control<QLabel>(&w.window, "TubeSource")->text().contains("your tube"));
            QCOMPARE(w.messages.shown.size(), 1);
        }
        // Add, edit and remove through My Tubes; each change is in the file.
        WriteAll(myTubes(), kHeader);
        Window w(myTubes());
        QVERIFY(w.messages.shown.isEmpty());
        QTest::mouseClick(Control(&w.window, "MyTubes"), Qt::LeftButton);
        auto* editor = Control<TubeEditorWindow>(&w.window, "MyTubesWindow");
        const auto field = [&](int i) { return Control<QLineEdit>(editor, QString("TubeField(%1)").arg(i)); };
        const QStringList texts = {"Hot 12AX7", "ZZ83", "100", "1.4", "1060", "600", "300", "",
                                   "1", "", "my curve fit"};
        for (int i = 0; i < texts.size(); ++i) field(i)->setText(texts[i]);
        QTest::mouseClick(Control(editor, "AddTube"), Qt::LeftButton);
        TubeTable file = ReadTubeTable(ReadAll(myTubes()).toStdString());
        QCOMPARE(file.tubes.size(), size_t(1));
        QCOMPARE(file.tubes[0].name, std::string("Hot 12AX7"));
        QCOMPARE(file.tubes[0].model, (TriodeModel{100, 1.4, 1060, 600, 300, 0}));
        w.typeTube("zz83");
        QCOMPARE(w.chosen(), std::string("Hot 12AX7"));

        // A built-in name, and a number that is none: nothing is saved.
        field(0)->setText("12AX7A (RCA fit)");
        QTest::mouseClick(Control(editor, "AddTube"), Qt::LeftButton);
        QCOMPARE(Control<QLabel>(editor, "TubeEditorMessage")->text(),
                 QString("The name \"12AX7A (RCA fit)\" is already in use."));
        field(0)->setText("Hot 12AX7");
        field(2)->setText("1OO");
        QTest::mouseClick(Control(editor, "SaveTube"), Qt::LeftButton);
        QCOMPARE(Control<QLabel>(editor, "TubeEditorMessage")->text(),
                 QString("MU must be a number: it is \"1OO\"."));
        QCOMPARE(ReadTubeTable(ReadAll(myTubes()).toStdString()).tubes[0].model.mu, 100.0);

        field(2)->setText("95");
        QTest::mouseClick(Control(editor, "SaveTube"), Qt::LeftButton);
        QCOMPARE(ReadTubeTable(ReadAll(myTubes()).toStdString()).tubes[0].model.mu, 95.0);
        TubeModelCheck(w, "Hot 12AX7", 95);

        w.messages.answers = {false, true};
        QTest::mouseClick(Control(editor, "RemoveTube"), Qt::LeftButton);  // No
        QCOMPARE(ReadTubeTable(ReadAll(myTubes()).toStdString()).tubes.size(), size_t(1));
        QTest::mouseClick(Control(editor, "RemoveTube"), Qt::LeftButton);  // Yes
        QCOMPARE(w.messages.questions.size(), 2);
        file = ReadTubeTable(ReadAll(myTubes()).toStdString());
        QVERIFY(file.tubes.empty() && file.problems.empty());
        QCOMPARE(w.chosen(), std::string("<none>"));
    }

    void useInRcStageFillsTheRowAndCalculateWorks_data() {
        QTest::addColumn<QString>("openFirst");  // a panel open before, or none
        QTest::newRow("from the home state") << "";
        QTest::newRow("the RC stage open") << "Select1(0)";
        QTest::newRow("another panel open") << "Select1(1)";
    }
    void useInRcStageFillsTheRowAndCalculateWorks() {
        QFETCH(QString, openFirst);
        ProgramDir dir;
        Started app(dir);
        if (!openFirst.isEmpty()) app.click(openFirst);
        app.window->findChild<QAction*>("ActionTriodeLoadLine")->trigger();
        TriodeWindow* tw = app.window->triodeWindow();
        QVERIFY(tw && tw->isVisible());
        QTest::mouseClick(Control(tw, "UseInRcStage"), Qt::LeftButton);

        QVERIFY(app("Frame1")->isVisible());
        QVERIFY(!app.window->builtPanel(1) || !app.window->builtPanel(1)->isVisible());
        const StagePoint p = CorePoint("12AX7A (RCA fit)", Stage(250, 100e3, 1500, 470e3));
        const auto field = [&](int i) { return app.operator()<QLineEdit>(QString("Text3(%1)").arg(i)); };
        QCOMPARE(field(0)->text(), QString("12AX7A (RCA fit)"));
        const double exact[] = {p.rp, 100e3, 470e3, 1500, p.gainBypassed};
        for (int i = 1; i <= 5; ++i) {
            // The text reads back as the very double.
            QCOMPARE(NumericValue(ToCore(field(i)->text())), exact[i - 1]);
        }
        QCOMPARE(field(2)->text(), QString("100000"));
        QCOMPARE(field(6)->text(), QString("100e3"));  // the designer's own values stay
        QCOMPARE(field(7)->text(), QString("470e3"));

        // Gain mode with the table's own resistors: the RC stage's gain is the
        // model's with Rk unbypassed.
        app.operator()<QCheckBox>("Check1")->click();
        app.click("Calculate1");
        QVERIFY(app.messages.shown.isEmpty());
        QCOMPARE(field(8)->text(), QString(" 27.55     "));
        // Closing the panel saves the row as typed.
        app.click("Close1");
        QVERIFY(dir.read("Korvane_Gain.dat").startsWith("12AX7A (RCA fit)\r\n" + field(1)->text().toUtf8()));
    }

    void oneWindowRaisedFromEitherPlace() {
        ProgramDir dir;
        Started app(dir);
        app.click("Select1(0)");
        app.click("FromTubeModel");
        TriodeWindow* first = app.window->triodeWindow();
        QVERIFY(first && first->isVisible());
        first->close();
        app.window->findChild<QAction*>("ActionTriodeLoadLine")->trigger();
        QCOMPARE(app.window->triodeWindow(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(app.window->findChildren<TriodeWindow*>().size(), 1);
        QVERIFY(!first->isModal());
    }

    void copyDataCopiesTheChartAsCsv() {
        Window w(myTubes());
        QApplication::clipboard()->clear();
        QTest::mouseClick(Control(&w.window, "CopyData"), Qt::LeftButton);
        const QString csv = QApplication::clipboard()->text();
        QCOMPARE(csv, QString::fromStdString(ChartCsv(w.window.chart())));
        QVERIFY(csv.startsWith("Va (V),Ia (mA) Vg 0 V,Ia (mA) Vg -0.5 V,"));
        QCOMPARE(csv.count("\r\n"), 102);  // the header and 101 plate voltages
    }

    void theChartFollowsThePaletteAndTheSize() {
        Window w(myTubes());
        QChart* chart = w.window.chartView()->chart();
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(35, 35, 35));
        dark.setColor(QPalette::Base, QColor(20, 20, 20));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        for (const QPalette& pal : {dark, QPalette(QColor(240, 240, 240))}) {
            w.window.setPalette(pal);
            QCOMPARE(chart->backgroundBrush().color(), pal.color(QPalette::Base));
            auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0));
            QCOMPARE(x->labelsColor(), pal.color(QPalette::Text));
            QCOMPARE(chart->legend()->labelColor(), pal.color(QPalette::Text));
        }
        const QSize before = w.window.chartView()->size();
        w.window.resize(w.window.size() + QSize(300, 200));
        QTRY_VERIFY(w.window.chartView()->width() >= before.width() + 250);
        QVERIFY(w.window.chartView()->height() >= before.height() + 150);
    }

private:
    static void TubeModelCheck(Window& w, const std::string& name, double mu) {
        QCOMPARE(w.chosen(), name);
        QCOMPARE(w.window.chosenTube()->model.mu, mu);
    }
};

QTEST_MAIN(LoadLineTest)
#include "test_load_line.moc"
