#include "feedback/feedback_panel.h"

#include <QApplication>

#include "feedback/feedback_calc.h"
#include "feedback/feedback_file.h"
#include "feedback/feedback_help.h"
#include "feedback/feedback_layout.h"

namespace korvane {

namespace {

const std::array<const char*, 10> kDesignCaptions = {
    "Tube #", "Po", "Zo", "Vdrive", "DC Bias", "Ad", "FB F", "dB", "BinOL", "VinCL"};

QString Indexed(const char* name, std::size_t i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

}  // namespace

FeedbackPanel::FeedbackPanel(const QString& gPath, MessageSink& messages, QWidget* parent)
    : Panel(QStringLiteral("Frame3"), gPath, QLatin1String(kFeedbackFileName), messages,
            parent) {
    const auto& units = FeedbackUnits();
    for (std::size_t i = 0; i < 10; ++i) {
        labels_[i] = new DisplayBox(Indexed("Text6", i), this, Qt::AlignRight);
        labels_[i]->setText(QLatin1String(kDesignCaptions[i]));
        fields_[i] = new InputBox(Indexed("Text7", i), this);
        fields_[i]->setText(QStringLiteral("Text7"));
        labels_[i]->setBuddyField(fields_[i]);
        units_[i] = new DisplayBox(Indexed("Text10", i), this);
        units_[i]->setText(FromCore(units[i]));
        connect(fields_[i], &QLineEdit::returnPressed, this, &FeedbackPanel::Calculate3_Click);
        connect(fields_[i], &QLineEdit::textChanged, this, &FeedbackPanel::refreshOutOfDate);
        const FieldHelp& help = FeedbackFieldHelp()[i];
        fields_[i]->setHelp(FromCore(help.brief), LineBreaks(FromCore(help.full())));
    }
    // Rows 1 to 7 are read as numbers; the tube number and the two input
    // voltages, results, are not.
    for (std::size_t i = 1; i <= 7; ++i) fields_[i]->showHowItIsRead();
    calculate3_ = new QPushButton(QStringLiteral("&Calculate"), this);
    calculate3_->setObjectName(QStringLiteral("Calculate3"));
    close3_ = new QPushButton(QStringLiteral("C&lose"), this);
    close3_->setObjectName(QStringLiteral("Close3"));

    frame4_ = new QGroupBox(QStringLiteral("Grid Drive Voltage"), this);
    frame4_->setObjectName(QStringLiteral("Frame4"));
    frame5_ = new QGroupBox(QStringLiteral("Feedback Factor or dB"), this);
    frame5_->setObjectName(QStringLiteral("Frame5"));
    options_[0] = new OptionButton(QStringLiteral("Option1"), QStringLiteral("&dB of Feedback"),
                                   frame5_);
    options_[1] = new OptionButton(QStringLiteral("Option2"),
                                   QStringLiteral("Feedback F&actor"), frame5_);
    options_[2] = new OptionButton(QStringLiteral("Option3"),
                                   QStringLiteral("&RMS Grid Voltage"), frame4_);
    options_[3] = new OptionButton(QStringLiteral("Option4"),
                                   QStringLiteral("&Peak Grid Voltage"), frame4_);
    options_[4] = new OptionButton(QStringLiteral("Option5"),
                                   QStringLiteral("Peak Grid-to-&Grid Voltage"), frame4_);
    for (OptionButton* option : options_) {
        connect(option, &QAbstractButton::toggled, this, &FeedbackPanel::refreshOutOfDate);
    }

    for (std::size_t i = 0; i + 1 < 9; ++i) setTabOrder(fields_[i], fields_[i + 1]);
    setTabOrder(fields_[8], calculate3_);
    setTabOrder(calculate3_, close3_);
    setTabOrder(close3_, options_[0]);
    for (std::size_t i = 0; i + 1 < 5; ++i) setTabOrder(options_[i], options_[i + 1]);
    setTabOrder(options_[4], fields_[9]);

    connect(calculate3_, &QPushButton::clicked, this, &FeedbackPanel::Calculate3_Click);
    connect(close3_, &QPushButton::clicked, this, &FeedbackPanel::Close3_Click);
}

void FeedbackPanel::place(double sw, double sh, double dpi) {
    const FeedbackPanelLayout layout = FeedbackPanelLayoutFor(sw, sh);
    placeRows(layout.rows, labels_, fields_, units_, dpi);
    Place(calculate3_, layout.calculate3, dpi);
    Place(close3_, layout.close3, dpi);
    Place(frame4_, layout.frame4, dpi);
    Place(frame5_, layout.frame5, dpi);
    frame5_->raise();

    const auto mode = ModeOptionsLayout(WholeTwips(layout.frame5.width),
                                        WholeTwips(layout.frame5.height));
    Place(options_[0], mode[0], dpi);
    Place(options_[1], mode[1], dpi);
    const auto drive = GridDriveOptionsLayout(WholeTwips(layout.frame4.width),
                                              WholeTwips(layout.frame4.height));
    for (std::size_t i = 0; i < 3; ++i) Place(options_[2 + i], drive[i], dpi);
}

void FeedbackPanel::label() {
    const auto& captions = FeedbackLabels();
    for (std::size_t i = 0; i < 10; ++i) labels_[i]->setCaption(FromCore(captions[i]));
}

std::array<bool, 5> FeedbackPanel::optionStates() const {
    std::array<bool, 5> states{};
    for (std::size_t i = 0; i < 5; ++i) states[i] = options_[i]->isChecked();
    return states;
}

void FeedbackPanel::setOptionStates(const std::array<bool, 5>& states) {
    SetGroupStates({options_[0], options_[1]}, {states[0], states[1]});
    SetGroupStates({options_[2], options_[3], options_[4]}, {states[2], states[3], states[4]});
}

bool FeedbackPanel::applyFile(const std::optional<std::string>& bytes) {
    const FeedbackFileLoad load = LoadFeedbackFile(bytes);
    for (std::size_t i = 0; i < load.fields.size() && i < 10; ++i) {
        fields_[i]->setText(FromCore(load.fields[i]));
    }
    setOptionStates(ApplyOptionsRead(optionStates(), load.options));
    if (load.ab2) ab2_ = *load.ab2;
    refreshOutOfDate();
    return load.ok;
}

std::string FeedbackPanel::fileContent() const {
    std::array<std::string, 10> texts;
    for (std::size_t i = 0; i < 10; ++i) texts[i] = ToCore(fields_[i]->text());
    return SaveFeedbackFile(texts, optionStates(), ab2_);
}

void FeedbackPanel::Calculate3_Click() {
    FeedbackInput input;
    for (std::size_t i = 0; i < 10; ++i) input.fields[i] = ToCore(fields_[i]->text());
    input.option1 = options_[0]->isChecked();
    input.option4 = options_[3]->isChecked();
    input.option5 = options_[4]->isChecked();
    input.ab2 = ab2_;
    input.notation = notation();
    const FeedbackOutcome outcome = FeedbackCalculate(input, [this](const std::string& question) {
        return messages().askYesNo(FromCore(question));
    });
    ab2_ = outcome.ab2;
    replay(outcome, {fields_.begin(), fields_.end()}, {labels_.begin(), labels_.end()});
    // The open-loop input voltage comes with every complete calculation.
    if (outcome.field(8)) {
        dependence_ = FeedbackDependence(input.option1);
        resultsCalculated();
    }
}

QStringList FeedbackPanel::resultInputs() const {
    QStringList states;
    for (int i : dependence_.inputs) states << inputState(fields_[static_cast<std::size_t>(i)]);
    for (bool chosen : optionStates()) states << QString::number(chosen);
    return states;
}

void FeedbackPanel::showOutOfDate(bool outOfDate) {
    for (InputBox* field : fields_) field->setOutOfDate(false);
    if (!outOfDate) return;
    for (int i : dependence_.results) fields_[static_cast<std::size_t>(i)]->setOutOfDate(true);
}

QString FeedbackPanel::helpText() const { return LineBreaks(FromCore(FeedbackHelpPage())); }

void FeedbackPanel::Close3_Click() { closeAndSave(); }

QSize FeedbackPanel::MinimumClientSize() {
    const FeedbackPanelLayout unit = FeedbackPanelLayoutFor(1, 1);
    const QFont window = QApplication::font();
    ClientFloor floor;
    const auto& captions = FeedbackLabels();
    for (std::size_t i = 0; i < 10; ++i) {
        // The buttons and option groups stand over the captions' left part.
        const TwipsRect room = UncoveredPart(
            unit.rows[i].label, {unit.calculate3, unit.close3, unit.frame4, unit.frame5});
        floor.fitCaption(room, window, FromCore(captions[i]));
        floor.fitCaption(unit.rows[i].field, window, QStringLiteral(" 393.4e-3  "));
        floor.fitCaption(unit.rows[i].unit, window, FromCore(FeedbackUnits()[i]));
    }
    floor.fitCaption(unit.calculate3, window, QStringLiteral("Calculate"), ButtonMargins());
    floor.fitCaption(unit.frame4, window, QStringLiteral("Grid Drive Voltage"));
    floor.fitCaption(unit.frame5, window, QStringLiteral("Feedback Factor or dB"));
    // The options inside their frames, as fractions of the client area.
    const auto within = [](const TwipsRect& frame, const TwipsRect& option) {
        return TwipsRect{frame.left + option.left * frame.width, frame.top + option.top * frame.height,
                         option.width * frame.width, option.height * frame.height};
    };
    const auto mode = ModeOptionsLayout(1, 1);
    const auto drive = GridDriveOptionsLayout(1, 1);
    const std::array<const char*, 5> options = {"dB of Feedback", "Feedback Factor",
                                                "RMS Grid Voltage", "Peak Grid Voltage",
                                                "Peak Grid-to-Grid Voltage"};
    for (std::size_t i = 0; i < 5; ++i) {
        const TwipsRect box = i < 2 ? within(unit.frame5, mode[i]) : within(unit.frame4, drive[i - 2]);
        floor.fitCaption(box, window, QLatin1String(options[i]), IndicatorWidth());
    }
    return floor.size();
}

}  // namespace korvane
