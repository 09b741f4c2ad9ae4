#include "rcstage/rc_panel.h"

#include <QApplication>
#include <vector>

#include "rcstage/gain_file.h"
#include "rcstage/rc_help.h"
#include "rcstage/rc_calc.h"
#include "rcstage/rc_layout.h"

namespace korvane {

namespace {

// The captions the window is built with, before an opening sets its own.
const std::array<const char*, 10> kDesignCaptions = {
    "Tube #", "rp", "Rb", "Rcf", "Rk", "Av RC", "Rb", "Rcf", "Av Want", "Add Rk"};

QString Indexed(const char* name, std::size_t i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

QString check1Caption() { return QStringLiteral("Tell me the &gain with no bypass capacitor."); }

QString fromTubeCaption() { return QStringLiteral("From Tube &Model..."); }

}  // namespace

RcPanel::RcPanel(const QString& gPath, MessageSink& messages, QWidget* parent)
    : Panel(QStringLiteral("Frame1"), gPath, QLatin1String(kGainFileName), messages, parent) {
    const auto& units = RcStageUnits();
    for (std::size_t i = 0; i < 10; ++i) {
        labels_[i] = new DisplayBox(Indexed("Text2", i), this, Qt::AlignRight);
        labels_[i]->setFont(SansFont());
        labels_[i]->setText(QLatin1String(kDesignCaptions[i]));
        fields_[i] = new InputBox(Indexed("Text3", i), this);
        fields_[i]->setFont(SansFont());
        fields_[i]->setText(QStringLiteral("Text3"));
        labels_[i]->setBuddyField(fields_[i]);
        units_[i] = new DisplayBox(Indexed("Text8", i), this);
        units_[i]->setText(FromCore(units[i]));
        connect(fields_[i], &QLineEdit::returnPressed, this, &RcPanel::Calculate1_Click);
        connect(fields_[i], &QLineEdit::textChanged, this, &RcPanel::refreshOutOfDate);
        const FieldHelp& help = RcStageFieldHelp()[i];
        fields_[i]->setHelp(FromCore(help.brief), LineBreaks(FromCore(help.full())));
    }
    // Rows 1 to 8 are read as numbers; the tube number and the result row
    // are not.
    for (std::size_t i = 1; i <= 8; ++i) fields_[i]->showHowItIsRead();
    check1_ = new StateCheckBox(QStringLiteral("Check1"), check1Caption(), this);
    close1_ = new QPushButton(QStringLiteral("C&lose"), this);
    close1_->setObjectName(QStringLiteral("Close1"));
    calculate1_ = new QPushButton(QStringLiteral("&Calculate"), this);
    calculate1_->setObjectName(QStringLiteral("Calculate1"));
    // Made after the captions, so that it stands over the first one's left.
    fromTube_ = new QPushButton(fromTubeCaption(), this);
    fromTube_->setObjectName(QStringLiteral("FromTubeModel"));
    fromTube_->setToolTip(QStringLiteral("Works out rp, the resistors and the gain from a tube model"));

    for (std::size_t i = 0; i + 1 < 10; ++i) setTabOrder(fields_[i], fields_[i + 1]);
    setTabOrder(fields_[9], calculate1_);
    setTabOrder(calculate1_, close1_);
    setTabOrder(close1_, check1_);
    setTabOrder(check1_, fromTube_);

    // Every way of toggling the box runs the mode switch; setting its state
    // from the file emits nothing, and the read step runs the switch once.
    connect(check1_, &QCheckBox::stateChanged, this, &RcPanel::Check1_Click);
    connect(check1_, &QCheckBox::stateChanged, this, &RcPanel::refreshOutOfDate);
    connect(calculate1_, &QPushButton::clicked, this, &RcPanel::Calculate1_Click);
    connect(close1_, &QPushButton::clicked, this, &RcPanel::Close1_Click);
    connect(fromTube_, &QPushButton::clicked, this, &RcPanel::fromTubeModelRequested);
}

void RcPanel::place(double sw, double sh, double dpi) {
    const RcPanelLayout layout = RcPanelLayoutFor(sw, sh);
    placeRows(layout.rows, labels_, fields_, units_, dpi);
    Place(calculate1_, layout.calculate1, dpi);
    Place(close1_, layout.close1, dpi);
    Place(check1_, layout.check1, dpi);
    Place(fromTube_, layout.fromTube, dpi);
}

void RcPanel::label() {
    const auto& captions = RcStageLabels();
    for (std::size_t i = 0; i < 10; ++i) labels_[i]->setCaption(FromCore(captions[i]));
}

bool RcPanel::applyFile(const std::optional<std::string>& bytes) {
    const GainFileLoad load = LoadGainFile(bytes);
    for (std::size_t i = 0; i < load.fields.size() && i < 10; ++i) {
        fields_[i]->setText(FromCore(load.fields[i]));
    }
    if (!load.ok || !load.check) return false;
    check1_->setValue(*load.check);
    applyModeSwitch();
    refreshOutOfDate();
    return true;
}

std::string RcPanel::fileContent() const {
    std::array<std::string, 10> texts;
    for (std::size_t i = 0; i < 10; ++i) texts[i] = ToCore(fields_[i]->text());
    return SaveGainFile(texts, check1_->value());
}

void RcPanel::applyModeSwitch() {
    const RcModeView view = RcModeSwitch(check1_->value());
    if (view.label5) labels_[5]->setCaption(FromCore(*view.label5));
    labels_[6]->setCaption(FromCore(view.label6));
    units_[6]->setText(FromCore(view.unit6));
    labels_[7]->setCaption(FromCore(view.label7));
    units_[7]->setText(FromCore(view.unit7));
    labels_[8]->setCaption(FromCore(view.label8));
    labels_[9]->setCaption(FromCore(view.label9));
    fields_[9]->setEnabled(view.field9Enabled);
    units_[9]->setText(FromCore(view.unit9));
}

void RcPanel::Calculate1_Click() {
    RcStageInput input;
    for (std::size_t i = 0; i < 10; ++i) input.fields[i] = ToCore(fields_[i]->text());
    input.check = check1_->value();
    input.notation = notation();
    const Outcome outcome = RcStageCalculate(input);
    replay(outcome, {fields_.begin(), fields_.end()}, {labels_.begin(), labels_.end()});
    const ResultDependence written = RcStageDependence(input.check);
    if (outcome.field(written.results.front())) {
        dependence_ = written;
        resultsCalculated();
    }
}

QStringList RcPanel::resultInputs() const {
    QStringList states;
    for (int i : dependence_.inputs) states << inputState(fields_[static_cast<std::size_t>(i)]);
    states << QString::number(check1_->value());
    return states;
}

void RcPanel::showOutOfDate(bool outOfDate) {
    for (InputBox* field : fields_) field->setOutOfDate(false);
    if (!outOfDate) return;
    for (int i : dependence_.results) fields_[static_cast<std::size_t>(i)]->setOutOfDate(true);
}

QString RcPanel::helpText() const {
    return LineBreaks(FromCore(RcStageHelpPage(check1_->value())));
}

void RcPanel::Check1_Click() { applyModeSwitch(); }

QSize RcPanel::MinimumClientSize() {
    const RcPanelLayout unit = RcPanelLayoutFor(1, 1);
    const QFont window = QApplication::font();
    ClientFloor floor;
    const auto& captions = RcStageLabels();
    for (std::size_t i = 0; i < 10; ++i) {
        // "From Tube Model..." stands over the first caption's left part.
        floor.fitCaption(UncoveredPart(unit.rows[i].label, {unit.fromTube}), SansFont(),
                         FromCore(captions[i]));
        floor.fitCaption(unit.rows[i].field, SansFont(), QStringLiteral("470e3"));
        floor.fitCaption(unit.rows[i].unit, window, FromCore(RcStageUnits()[i]));
    }
    floor.fitCaption(unit.rows[8].label, SansFont(), FromCore(RcModeSwitch(kCheckSet).label8));
    floor.fitCaption(unit.calculate1, window, QStringLiteral("Calculate"), ButtonMargins());
    floor.fitCaption(unit.close1, window, QStringLiteral("Close"), ButtonMargins());
    floor.fitCaption(unit.fromTube, window, fromTubeCaption(), ButtonMargins());
    floor.fitTwoLines(unit.check1, window, check1Caption(), IndicatorWidth());
    return floor.size();
}

void RcPanel::Close1_Click() { closeAndSave(); }

void RcPanel::setTubeRow(const QStringList& texts) {
    for (qsizetype i = 0; i < texts.size() && i < 6; ++i) {
        fields_[static_cast<std::size_t>(i)]->setText(texts[i]);
    }
}

}  // namespace korvane
