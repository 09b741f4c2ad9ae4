#include "tube/triode_window.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QGraphicsSimpleTextItem>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QShortcut>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "tube/tube_editor_window.h"
#include "ui/files.h"
#include "ui/messages.h"
#include "ui/widgets.h"

namespace korvane {

namespace {

// The most plate curves the chart data holds (tube/stage.h).
constexpr std::size_t kMostCurves = 20;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The tick interval for an axis from 0 to `top`: 1, 2 or 5 times a power of
// ten, about six ticks.
double TickStep(double top) {
    const double rough = top / 6;
    if (!(rough > 0) || !std::isfinite(rough)) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough) return m * power;
    }
    return 10 * power;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QString TubeListText(const Tube& t, bool mine) {
    QString text = Utf8(t.name);
    QStringList aliases;
    for (const std::string& a : t.aliases) aliases << Utf8(a);
    if (!aliases.isEmpty()) text += QStringLiteral("  (%1)").arg(aliases.join(QStringLiteral(", ")));
    if (mine) text += QStringLiteral("  - yours");
    return text;
}

}  // namespace

TriodeWindow::TriodeWindow(const QString& myTubesPath, MessageSink& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), myTubesPath_(myTubesPath), messages_(messages) {
    setObjectName(QStringLiteral("TriodeLoadLine"));
    setWindowTitle(QStringLiteral("Triode Load Line"));

    // The tube: a filter that finds names, groups and aliases, the rows it
    // finds, and where the chosen row's numbers come from.
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("TubeFilter"));
    filter_->setPlaceholderText(QStringLiteral("Type a tube: 12AX7, ECC83, 300B..."));
    filter_->setClearButtonEnabled(true);
    auto* filterLabel = new QLabel(QStringLiteral("&Tube"), this);
    filterLabel->setBuddy(filter_);
    filter_->setAccessibleName(QStringLiteral("Tube"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("TubeList"));
    list_->setAccessibleName(QStringLiteral("Tubes found"));
    // About six rows high: the found rows scroll, and the stage's rows keep
    // their height.
    list_->setFixedHeight(list_->fontMetrics().lineSpacing() * 7 + 2 * list_->frameWidth() + 4);
    source_ = new QLabel(this);
    source_->setObjectName(QStringLiteral("TubeSource"));
    source_->setWordWrap(true);
    source_->setTextFormat(Qt::PlainText);
    source_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    source_->setFocusPolicy(Qt::StrongFocus);
    myTubes_ = new QPushButton(QStringLiteral("My Tubes..."), this);
    myTubes_->setObjectName(QStringLiteral("MyTubes"));

    auto* tubeBox = new QGroupBox(QStringLiteral("Tube"), this);
    auto* tubeLayout = new QGridLayout(tubeBox);
    tubeLayout->addWidget(filterLabel, 0, 0);
    tubeLayout->addWidget(filter_, 0, 1);
    tubeLayout->addWidget(myTubes_, 0, 2);
    tubeLayout->addWidget(list_, 1, 0, 1, 3);
    tubeLayout->addWidget(source_, 2, 0, 1, 3);

    // The stage's values and what they give, caption, box and unit a row.
    auto* stageBox = new QGroupBox(QStringLiteral("Stage"), this);
    auto* grid = new QGridLayout(stageBox);
    const auto& inputRows = LoadLineInputRows();
    const std::array<const char*, kLoadLineInputs> defaults = {"250", "100e3", "1500", "470e3"};
    for (std::size_t i = 0; i < kLoadLineInputs; ++i) {
        auto* caption = new QLabel(QLatin1String(inputRows[i].caption), this);
        inputs_[i] = new InputBox(QStringLiteral("LoadLineInput(%1)").arg(i), this);
        inputs_[i]->setText(QLatin1String(defaults[i]));
        inputs_[i]->setAccessibleName(caption->text());
        inputs_[i]->showHowItIsRead();
        caption->setBuddy(inputs_[i]);
        const int row = static_cast<int>(i);
        grid->addWidget(caption, row, 0);
        grid->addWidget(inputs_[i], row, 1);
        grid->addWidget(new QLabel(QLatin1String(inputRows[i].unit), this), row, 2);
    }
    const auto& resultRows = LoadLineResultRows();
    for (std::size_t i = 0; i < kLoadLineResults; ++i) {
        const QString caption = QLatin1String(resultRows[i].caption);
        const QString unit = QLatin1String(resultRows[i].unit);
        results_[i] = new QLineEdit(this);
        results_[i]->setObjectName(QStringLiteral("LoadLineResult(%1)").arg(i));
        results_[i]->setReadOnly(true);
        results_[i]->setFont(FixedFont());
        // A screen reader reads the caption with its unit, then the value.
        results_[i]->setAccessibleName(unit.isEmpty() ? caption
                                                       : QStringLiteral("%1 (%2)").arg(caption, unit));
        auto* label = new QLabel(caption, this);
        label->setBuddy(results_[i]);
        const int row = static_cast<int>(kLoadLineInputs + 1 + i);
        grid->addWidget(label, row, 0);
        grid->addWidget(results_[i], row, 1);
        grid->addWidget(new QLabel(unit, this), row, 2);
    }
    grid->setRowMinimumHeight(static_cast<int>(kLoadLineInputs), 8);
    grid->setColumnStretch(1, 1);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("LoadLineMessage"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The chart: a series for each plate curve the data can hold, the two
    // load lines, the limit and the point; their data changes, they stay.
    chartItem_ = new QChart();
    chartItem_->setBackgroundRoundness(0);
    chartItem_->legend()->setAlignment(Qt::AlignBottom);
    axisX_ = new QValueAxis(chartItem_);
    axisX_->setTitleText(QStringLiteral("Plate Voltage (V)"));
    axisX_->setLabelFormat(QStringLiteral("%g"));
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisX_->setTickAnchor(0);
    axisY_ = new QValueAxis(chartItem_);
    axisY_->setTitleText(QStringLiteral("Plate Current (mA)"));
    axisY_->setLabelFormat(QStringLiteral("%g"));
    axisY_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setTickAnchor(0);
    chartItem_->addAxis(axisX_, Qt::AlignBottom);
    chartItem_->addAxis(axisY_, Qt::AlignLeft);
    const auto add = [this](QXYSeries* series) {
        chartItem_->addSeries(series);
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
    };
    for (std::size_t k = 0; k < kMostCurves; ++k) {
        auto* curve = new QLineSeries(chartItem_);
        add(curve);
        curves_.push_back(curve);
        auto* label = new QGraphicsSimpleTextItem(chartItem_);
        label->setZValue(10);
        label->hide();
        curveLabels_.push_back(label);
    }
    dcLine_ = new QLineSeries(chartItem_);
    dcLine_->setName(QStringLiteral("DC load line"));
    add(dcLine_);
    acLine_ = new QLineSeries(chartItem_);
    acLine_->setName(QStringLiteral("AC load line"));
    add(acLine_);
    limit_ = new QLineSeries(chartItem_);
    add(limit_);
    pointMark_ = new QScatterSeries(chartItem_);
    pointMark_->setName(QStringLiteral("Operating point"));
    pointMark_->setMarkerSize(10);
    add(pointMark_);
    // One legend entry stands for all the plate curves.
    curves_[0]->setName(QStringLiteral("Plate curves"));
    for (std::size_t k = 1; k < kMostCurves; ++k) {
        for (QLegendMarker* m : chartItem_->legend()->markers(curves_[k])) m->setVisible(false);
    }
    view_ = new QChartView(chartItem_, this);
    view_->setObjectName(QStringLiteral("LoadLineChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setAccessibleName(QStringLiteral("Load line chart"));
    view_->setFocusPolicy(Qt::StrongFocus);
    view_->setMinimumSize(420, 320);
    connect(chartItem_, &QChart::plotAreaChanged, this, &TriodeWindow::placeCurveLabels);

    copyData_ = new QPushButton(QStringLiteral("Copy Data"), this);
    copyData_->setObjectName(QStringLiteral("CopyData"));
    copyData_->setToolTip(QStringLiteral("Copies the chart's curves and lines as CSV"));
    useInRc_ = new QPushButton(QStringLiteral("Use in RC Stage Gain"), this);
    useInRc_->setObjectName(QStringLiteral("UseInRcStage"));
    useInRc_->setToolTip(QStringLiteral(
        "Writes the tube, its plate resistance here, the resistors and the gain with Rk "
        "bypassed into RC Stage Gain"));
    close_ = new QPushButton(QStringLiteral("Close"), this);
    close_->setObjectName(QStringLiteral("CloseLoadLine"));

    auto* left = new QVBoxLayout;
    left->addWidget(tubeBox);
    left->addWidget(stageBox);
    left->addWidget(message_);
    left->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copyData_);
    buttons->addWidget(useInRc_);
    buttons->addWidget(close_);
    auto* right = new QVBoxLayout;
    right->addWidget(view_, 1);
    right->addLayout(buttons);
    auto* all = new QHBoxLayout(this);
    all->addLayout(left, 0);
    all->addLayout(right, 1);

    setTabOrder(filter_, list_);
    setTabOrder(list_, myTubes_);
    setTabOrder(myTubes_, inputs_[0]);
    for (std::size_t i = 0; i + 1 < kLoadLineInputs; ++i) setTabOrder(inputs_[i], inputs_[i + 1]);
    setTabOrder(inputs_[kLoadLineInputs - 1], results_[0]);
    for (std::size_t i = 0; i + 1 < kLoadLineResults; ++i) setTabOrder(results_[i], results_[i + 1]);
    setTabOrder(results_[kLoadLineResults - 1], view_);
    setTabOrder(view_, copyData_);
    setTabOrder(copyData_, useInRc_);
    setTabOrder(useInRc_, close_);

    connect(filter_, &QLineEdit::textChanged, this, &TriodeWindow::filterTubes);
    connect(list_, &QListWidget::currentRowChanged, this, &TriodeWindow::chooseListedTube);
    for (InputBox* input : inputs_) connect(input, &QLineEdit::textChanged, this, &TriodeWindow::recompute);
    connect(myTubes_, &QPushButton::clicked, this, &TriodeWindow::editMyTubes);
    connect(copyData_, &QPushButton::clicked, this, &TriodeWindow::copyData);
    connect(useInRc_, &QPushButton::clicked, this, &TriodeWindow::useInRc);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    tubes_ = BuiltInTubes();
    builtIn_ = tubes_.size();
    applyColours();
    loadMyTubes();
    filter_->setText(QStringLiteral("12AX7"));  // chooses the tube and solves
    resize(1120, 760);
}

TriodeWindow::~TriodeWindow() = default;

QString TriodeWindow::DefaultMyTubesPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/my_tubes.csv");
}

void TriodeWindow::loadMyTubes() {
    const std::optional<std::string> bytes = ReadFileBytes(myTubesPath_);
    if (!bytes) return;  // none yet
    TubeTable table = ReadTubeTable(*bytes);
    setMyTubes(table.tubes);
    if (!table.problems.empty()) {
        messages_.showMessage(
            QStringLiteral("Some lines of your tube file %1 could not be read and were "
                           "skipped:\r\n\r\n%2\r\n\r\nThe other tubes are in the list. Saving "
                           "from My Tubes writes the file without the skipped lines.")
                .arg(QDir::toNativeSeparators(myTubesPath_), Utf8(SkippedLinesText(table.problems))));
    }
}

void TriodeWindow::setMyTubes(const std::vector<Tube>& mine) {
    // The chosen tube is kept by its name.
    const std::string chosenName = chosen_ ? tubes_[*chosen_].name : std::string();
    const bool chosenMine = chosen_ && *chosen_ >= builtIn_;
    tubes_.resize(builtIn_);
    tubes_.insert(tubes_.end(), mine.begin(), mine.end());
    chosen_.reset();
    for (std::size_t i = chosenMine ? builtIn_ : 0; i < tubes_.size() && !chosenName.empty(); ++i) {
        if (tubes_[i].name == chosenName) {
            chosen_ = i;
            break;
        }
    }
}

void TriodeWindow::filterTubes() { listTubes(false); }

void TriodeWindow::listTubes(bool keepChoice) {
    const QByteArray typed = filter_->text().toUtf8();
    const std::string_view text(typed.constData(), static_cast<std::size_t>(typed.size()));
    listed_ = FilterTubes(tubes_, text);
    const bool kept = keepChoice && chosen_ &&
                      std::find(listed_.begin(), listed_.end(), *chosen_) != listed_.end();
    if (!kept) chosen_ = ChosenTube(tubes_, listed_, text);
    list_->blockSignals(true);
    list_->clear();
    int current = -1;
    for (std::size_t row = 0; row < listed_.size(); ++row) {
        list_->addItem(TubeListText(tubes_[listed_[row]], listed_[row] >= builtIn_));
        if (chosen_ && listed_[row] == *chosen_) current = static_cast<int>(row);
    }
    list_->setCurrentRow(current);
    list_->blockSignals(false);
    showTube();
}

void TriodeWindow::chooseListedTube() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(listed_.size())) return;
    chosen_ = listed_[static_cast<std::size_t>(row)];
    showTube();
}

const Tube* TriodeWindow::chosenTube() const { return chosen_ ? &tubes_[*chosen_] : nullptr; }

void TriodeWindow::showTube() {
    const Tube* tube = chosenTube();
    if (!tube) {
        source_->setText(QString());
    } else {
        const auto number = [](double v) { return Utf8(MessageNumber(v, 4)); };
        QString ratings;
        if (tube->limits.plateDissipation) ratings += number(*tube->limits.plateDissipation) + " W";
        if (tube->limits.plateVoltage) {
            if (!ratings.isEmpty()) ratings += QStringLiteral(", ");
            ratings += number(*tube->limits.plateVoltage) + " V";
        }
        if (ratings.isEmpty()) ratings = QStringLiteral("none known");
        QString text;
        if (*chosen_ >= builtIn_) {
            text = QStringLiteral("%1: your tube, from %2.")
                       .arg(Utf8(tube->name), QDir::toNativeSeparators(myTubesPath_));
            if (!tube->source.empty()) text += QStringLiteral(" Source: %1.").arg(Utf8(tube->source));
        } else {
            text = QStringLiteral("%1: Koren model parameters from %2.")
                       .arg(Utf8(tube->name), Utf8(tube->source));
        }
        text += QStringLiteral("\nPlate ratings: %1").arg(ratings);
        if (!tube->ratingsSource.empty()) text += QStringLiteral(" (%1)").arg(Utf8(tube->ratingsSource));
        source_->setText(text);
    }
    recompute();
}

void TriodeWindow::setNotation(Notation notation) {
    notation_ = notation;
    if (editor_) editor_->setNotation(notation);
    recompute();
}

void TriodeWindow::recompute() {
    const Tube* tube = chosenTube();
    if (!tube) {
        showError(QStringLiteral(
            "No tube is chosen: type a tube's name or type number (12AX7, ECC83) and choose it "
            "from the list."));
        return;
    }
    std::array<std::string, kLoadLineInputs> texts;
    for (std::size_t i = 0; i < kLoadLineInputs; ++i) texts[i] = ToCore(inputs_[i]->text());
    input_ = LoadLineInput(texts, notation_);
    const StageResult result = SolveStage(tube->model, tube->limits, input_);
    if (!result.error.empty()) {
        showError(FromCore(result.error));
        return;
    }
    hasPoint_ = true;
    point_ = result.point;
    chartData_ = ChartData(tube->model, tube->limits, input_, point_);
    const auto texts11 = LoadLineResultTexts(point_);
    for (std::size_t i = 0; i < kLoadLineResults; ++i) results_[i]->setText(FromCore(texts11[i]));
    QStringList notes;
    for (const std::string& note : point_.notes) notes << Utf8(note);
    message_->setText(notes.join(QLatin1Char('\n')));
    copyData_->setEnabled(true);
    useInRc_->setEnabled(true);
    drawChart();
    view_->setAccessibleDescription(Utf8(LoadLineSummary(tube->name, point_, chartData_)));
}

void TriodeWindow::showError(const QString& text) {
    hasPoint_ = false;
    for (QLineEdit* r : results_) r->clear();
    message_->setText(text);
    copyData_->setEnabled(false);
    useInRc_->setEnabled(false);
    for (QLineSeries* c : curves_) c->clear();
    for (QGraphicsSimpleTextItem* l : curveLabels_) l->hide();
    dcLine_->clear();
    acLine_->clear();
    limit_->clear();
    pointMark_->clear();
    view_->setAccessibleDescription(text);
}

void TriodeWindow::drawChart() {
    const StageChart& c = chartData_;
    const double top = c.iaMax * 1000;  // mA
    axisX_->setRange(0, c.vaMax);
    axisX_->setTickInterval(TickStep(c.vaMax));
    axisY_->setRange(0, top);
    axisY_->setTickInterval(TickStep(top));

    for (std::size_t k = 0; k < kMostCurves; ++k) {
        QList<QPointF> points;
        if (k < c.curves.size()) {
            const PlateCurve& curve = c.curves[k];
            points.reserve(static_cast<qsizetype>(curve.ia.size()));
            for (std::size_t i = 0; i < curve.ia.size(); ++i) points.append({c.va[i], curve.ia[i] * 1000});
        }
        curves_[k]->replace(points);
    }
    const auto line = [](const ChartPoint (&ends)[2]) {
        return QList<QPointF>{{ends[0].va, ends[0].ia * 1000}, {ends[1].va, ends[1].ia * 1000}};
    };
    dcLine_->replace(line(c.dcLine));
    acLine_->replace(line(c.acLine));
    pointMark_->replace(QList<QPointF>{{c.point.va, c.point.ia * 1000}});
    QList<QPointF> limit;
    for (const ChartPoint& p : c.dissipationCurve) limit.append({p.va, p.ia * 1000});
    limit_->replace(limit);
    if (c.dissipationLimit) {
        const QString watts = Utf8(MessageNumber(*c.dissipationLimit, 4));
        limit_->setName(limit.isEmpty() ? QStringLiteral("%1 W limit (off chart)").arg(watts)
                                        : QStringLiteral("%1 W limit").arg(watts));
    }
    for (QLegendMarker* m : chartItem_->legend()->markers(limit_)) m->setVisible(c.dissipationLimit.has_value());
    placeCurveLabels();
}

void TriodeWindow::placeCurveLabels() {
    const StageChart& c = chartData_;
    const QRectF plot = chartItem_->plotArea();
    const double top = c.iaMax * 1000;
    std::vector<QRectF> taken;
    for (std::size_t k = 0; k < curveLabels_.size(); ++k) {
        QGraphicsSimpleTextItem* label = curveLabels_[k];
        if (!hasPoint_ || k >= c.curves.size() || c.curves[k].ia.size() < 2) {
            label->hide();
            continue;
        }
        // Where the curve leaves the box: through the top, between its two
        // last samples, or at the right edge.
        const PlateCurve& curve = c.curves[k];
        const std::size_t n = curve.ia.size();
        QPointF end(c.va[n - 1], curve.ia[n - 1] * 1000);
        const bool throughTop = end.y() > top;
        if (throughTop) {
            const QPointF before(c.va[n - 2], curve.ia[n - 2] * 1000);
            const double t = (top - before.y()) / (end.y() - before.y());
            end = QPointF(before.x() + t * (end.x() - before.x()), top);
        }
        label->setText(Utf8(MessageNumber(c.curves[k].vg, 4)) + QStringLiteral(" V"));
        const QPointF at = chartItem_->mapToPosition(end, curves_[k]);
        const QRectF box = label->boundingRect();
        // Left of where it leaves, inside the box: under the top edge, or
        // over the curve's end at the right edge.
        QPointF place(at.x() - box.width() - 3, throughTop ? at.y() + 2 : at.y() - box.height() - 1);
        place.setX(std::max(place.x(), plot.left() + 2));
        place.setY(std::clamp(place.y(), plot.top() + 1, plot.bottom() - box.height() - 1));
        const QRectF rect(place, box.size());
        const bool overlaps = std::any_of(taken.begin(), taken.end(), [&](const QRectF& r) {
            return r.adjusted(-2, -1, 2, 1).intersects(rect);
        });
        if (overlaps || !plot.contains(rect)) {
            label->hide();
            continue;
        }
        taken.push_back(rect);
        label->setPos(place);
        label->show();
    }
}

void TriodeWindow::applyColours() {
    const QPalette& pal = palette();
    const bool dark = pal.color(QPalette::Window).lightness() < 128;
    const QColor base = pal.color(QPalette::Base);
    const QColor text = pal.color(QPalette::Text);
    chartItem_->setBackgroundBrush(base);
    chartItem_->setBackgroundPen(QPen(Mix(base, text, 0.25)));
    chartItem_->legend()->setLabelColor(text);
    for (QValueAxis* axis : {axisX_, axisY_}) {
        axis->setLabelsColor(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(Mix(base, text, 0.6));
        axis->setGridLineColor(Mix(base, text, 0.15));
    }
    const QColor curveColour = Mix(base, text, 0.8);
    for (QLineSeries* c : curves_) c->setPen(QPen(curveColour, 1.3));
    for (QGraphicsSimpleTextItem* l : curveLabels_) l->setBrush(text);
    dcLine_->setPen(QPen(dark ? QColor(110, 170, 255) : QColor(0, 80, 200), 2));
    acLine_->setPen(QPen(dark ? QColor(255, 175, 70) : QColor(200, 100, 0), 2));
    limit_->setPen(QPen(dark ? QColor(255, 110, 110) : QColor(190, 0, 0), 1.5, Qt::DashLine));
    const QColor pointColour = dark ? QColor(255, 90, 90) : QColor(210, 0, 0);
    pointMark_->setColor(pointColour);
    pointMark_->setBorderColor(text);
}

void TriodeWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (chartItem_ && (event->type() == QEvent::PaletteChange ||
                       event->type() == QEvent::ApplicationPaletteChange)) {
        applyColours();
    }
}

void TriodeWindow::copyData() {
    if (!hasPoint_) return;
    QApplication::clipboard()->setText(Utf8(ChartCsv(chartData_)));
}

void TriodeWindow::useInRc() {
    const Tube* tube = chosenTube();
    if (!hasPoint_ || !tube) return;
    QStringList fields;
    for (const std::string& f : RcStageFieldsFor(tube->name, input_, point_)) fields << Utf8(f);
    emit useInRcStage(fields);
}

void TriodeWindow::editMyTubes() {
    if (!editor_) {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < builtIn_; ++i) names.push_back(tubes_[i].name);
        const std::vector<Tube> mine(tubes_.begin() + static_cast<std::ptrdiff_t>(builtIn_),
                                     tubes_.end());
        editor_ = new TubeEditorWindow(mine, names, myTubesPath_, messages_, this);
        editor_->setNotation(notation_);
        connect(editor_, &TubeEditorWindow::tubesSaved, this, [this] {
            setMyTubes(editor_->tubes());
            listTubes(true);
        });
    }
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
}

}  // namespace korvane
