#include "network/network_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "feedback/feedback_file.h"
#include "network/network_csv.h"
#include "network/network_help.h"
#include "network/network_layout.h"
#include "network/network_search.h"
#include "network/xfmr_file.h"
#include "ui/files.h"

namespace korvane {

namespace {

const std::array<const char*, 3> kCaptions = {"Feedback Factor", "Minimum Total Resistance",
                                              "Maximum Total Resistance"};

// Where a list's item texts start, inside its frame.
int HeadingIndent(const QStyle* style, int frameWidth) {
    return frameWidth + style->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
}

QString check2Caption() { return QStringLiteral("&Use Feedback Factor from Global Feedback."); }

// What a row of the list carries besides its line: the listed row it
// shows, and whether its error is the smallest.
constexpr int kListedRowRole = Qt::UserRole;
constexpr int kSmallestErrorRole = Qt::UserRole + 1;

// Frames the row with the smallest error, over what the style drew, so
// that the frame shows under any palette and style sheet. The line's text
// and its columns stay as they are.
class SmallestErrorDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.data(kSmallestErrorRole).toBool()) return;
        painter->save();
        painter->setPen(QPen(QColor(40, 160, 90), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
};

}  // namespace

ResultList::ResultList(const QString& name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setItemDelegate(new SmallestErrorDelegate(this));
}

void ResultList::setOutOfDate(bool outOfDate) {
    outOfDate_ = outOfDate;
    setAccessibleDescription(outOfDate ? QLatin1String(kOutOfDateText) : QString());
    viewport()->update();
}

void ResultList::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void ResultList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!outOfDate_ || count() == 0) return;
    QPainter painter(viewport());
    PaintOutOfDate(painter, viewport()->rect(), palette());
}

void HeadingBox::setScroll(int pixels) {
    scroll_ = pixels;
    update();
}

void HeadingBox::setSortMark(int first, int end, bool descending) {
    markFirst_ = first;
    markEnd_ = end;
    markDescending_ = descending;
    update();
}

double HeadingBox::textLeft() const { return contentsRect().left() + indent() - scroll_; }

int HeadingBox::characterAt(int x) const {
    const double advance = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
    return static_cast<int>(std::floor((x - textLeft()) / advance));
}

void HeadingBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const int at = characterAt(static_cast<int>(event->position().x()));
        if (at >= 0) emit clickedAt(at);
    }
    DisplayBox::mousePressEvent(event);
}

void HeadingBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect room = contentsRect();
    room.setLeft(room.left() + indent() - scroll_);
    room.setWidth(std::max(room.width(), fontMetrics().horizontalAdvance(text()) + indent()));
    style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
                          text(), foregroundRole());
    if (markFirst_ < 0) return;
    // A triangle in the blank after the column's name: up for ascending,
    // down for descending, in the heading's own text colour.
    const double advance = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
    const double left = textLeft() + markEnd_ * advance + advance * 0.2;
    const double half = std::min(advance * 0.45, contentsRect().height() / 3.0);
    const double middle = contentsRect().center().y() + 0.5;
    QPolygonF triangle;
    if (markDescending_) {
        triangle << QPointF(left, middle - half / 2) << QPointF(left + 2 * half, middle - half / 2)
                 << QPointF(left + half, middle + half / 2);
    } else {
        triangle << QPointF(left, middle + half / 2) << QPointF(left + 2 * half, middle + half / 2)
                 << QPointF(left + half, middle - half / 2);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(foregroundRole()));
    painter.drawPolygon(triangle);
}

NetworkPanel::NetworkPanel(const QString& gPath, MessageSink& messages, QWidget* parent)
    : Panel(QStringLiteral("Frame2"), gPath, QLatin1String(kXfmrFileName), messages, parent) {
    const std::array<const char*, 3> labelNames = {"TlbAr", "TlbRMin", "TLbRMax"};
    const std::array<const char*, 3> fieldNames = {"TxtAr", "TxtRtMin", "TxtRtMax"};
    const std::array<const char*, 3> unitNames = {"TUAr", "TURMin", "TURMax"};
    const std::array<const char*, 3> designCaptions = {"Beta", "RtMi", "RtMa"};
    const std::array<const char*, 3> unitTexts = {"", "Ohms", "Ohms"};
    for (std::size_t i = 0; i < 3; ++i) {
        labels_[i] = new DisplayBox(QLatin1String(labelNames[i]), this, Qt::AlignRight);
        labels_[i]->setText(QLatin1String(designCaptions[i]));
        fields_[i] = new InputBox(QLatin1String(fieldNames[i]), this);
        fields_[i]->setText(QStringLiteral("Text5"));
        labels_[i]->setBuddyField(fields_[i]);
        units_[i] = new DisplayBox(QLatin1String(unitNames[i]), this);
        units_[i]->setText(QLatin1String(unitTexts[i]));
        connect(fields_[i], &QLineEdit::returnPressed, this, &NetworkPanel::CmdCalc_Click);
        connect(fields_[i], &QLineEdit::textChanged, this, &NetworkPanel::refreshOutOfDate);
        fields_[i]->showHowItIsRead();
        const FieldHelp& help = NetworkFieldHelp()[i];
        fields_[i]->setHelp(FromCore(help.brief), LineBreaks(FromCore(help.full())));
    }
    cmdCalc_ = new QPushButton(QStringLiteral("&Calculate"), this);
    cmdCalc_->setObjectName(QStringLiteral("CmdCalc"));
    close2_ = new QPushButton(QStringLiteral("C&lose"), this);
    close2_->setObjectName(QStringLiteral("Close2"));
    text16_ = new HeadingBox(QStringLiteral("Text16"), this);
    text16_->setFont(FixedFont());
    text16_->setText(QStringLiteral("Text4"));
    text16_->setCursor(Qt::PointingHandCursor);
    connect(text16_, &HeadingBox::clickedAt, this, [this](int at) {
        if (!listedRows_.empty()) {
            sortByHeading(NetworkColumnAt(static_cast<std::size_t>(at), listedTolerance_));
        }
    });
    lstOutput_ = new ResultList(QStringLiteral("LstOutput"), this);
    lstOutput_->setFont(FixedFont());
    lstOutput_->setAccessibleName(QStringLiteral("Feedback networks"));
    connect(lstOutput_, &ResultList::copyRequested, this, &NetworkPanel::copyList);
    check2_ = new StateCheckBox(QStringLiteral("Check2"), check2Caption(), this);
    series_ = new QComboBox(this);
    series_->setObjectName(QStringLiteral("CboSeries"));
    series_->setAccessibleName(QStringLiteral("Resistor series"));
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
        series_->addItem(QStringLiteral("Series %1").arg(QLatin1String(SeriesName(SeriesAt(i)))));
    }
    tolerance_ = new QComboBox(this);
    tolerance_->setObjectName(QStringLiteral("CboTolerance"));
    tolerance_->setAccessibleName(QStringLiteral("Tolerance"));
    for (std::size_t i = 0; i < kToleranceCount; ++i) {
        tolerance_->addItem(
            QStringLiteral("Tolerance %1").arg(QLatin1String(ToleranceLabel(ToleranceAt(i)))));
    }
    series_->setCurrentIndex(static_cast<int>(kDefaultSeries));
    tolerance_->setCurrentIndex(static_cast<int>(kDefaultTolerance));
    connect(check2_, &QCheckBox::stateChanged, this, &NetworkPanel::refreshOutOfDate);
    connect(series_, &QComboBox::currentIndexChanged, this, &NetworkPanel::refreshOutOfDate);
    connect(tolerance_, &QComboBox::currentIndexChanged, this, &NetworkPanel::refreshOutOfDate);

    lstOutput_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lstOutput_, &QWidget::customContextMenuRequested, this, &NetworkPanel::showListMenu);
    // A list wider than its box scrolls; the heading goes with it.
    lstOutput_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(lstOutput_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { text16_->setScroll(value); });
    askCsvPath_ = [this] {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QFileDialog::getSaveFileName(
            this, QStringLiteral("Save as CSV"),
            QDir(folder).filePath(QStringLiteral("feedback-network.csv")),
            QStringLiteral("CSV files (*.csv);;All files (*)"));
    };

    setTabOrder(fields_[0], fields_[1]);
    setTabOrder(fields_[1], fields_[2]);
    setTabOrder(fields_[2], cmdCalc_);
    setTabOrder(cmdCalc_, close2_);
    setTabOrder(close2_, lstOutput_);
    setTabOrder(lstOutput_, check2_);
    setTabOrder(check2_, series_);
    setTabOrder(series_, tolerance_);

    connect(cmdCalc_, &QPushButton::clicked, this, &NetworkPanel::CmdCalc_Click);
    connect(close2_, &QPushButton::clicked, this, &NetworkPanel::Close2_Click);
}

void NetworkPanel::place(double sw, double sh, double dpi) {
    const NetworkPanelLayout layout = NetworkPanelLayoutFor(sw, sh);
    placeRows(layout.rows, labels_, fields_, units_, dpi);
    Place(cmdCalc_, layout.cmdCalc, dpi);
    Place(close2_, layout.close2, dpi);
    Place(check2_, layout.check2, dpi);
    Place(text16_, layout.text16, dpi);
    Place(lstOutput_, layout.lstOutput, dpi);
    Place(series_, layout.series, dpi);
    Place(tolerance_, layout.tolerance, dpi);
    series_->raise();
    tolerance_->raise();

    // The heading starts where the list's item texts start, so that its
    // columns stand over the list's.
    text16_->setIndent(HeadingIndent(lstOutput_->style(), lstOutput_->frameWidth()));
}

void NetworkPanel::setHeading(Tolerance tolerance) {
    text16_->setText(FromCore(NetworkHeading(tolerance)));
}

void NetworkPanel::label() {
    // The heading of what the list holds: it keeps its rows while closed.
    setHeading(listedTolerance_);
    for (std::size_t i = 0; i < 3; ++i) labels_[i]->setCaption(QLatin1String(kCaptions[i]));
}

bool NetworkPanel::applyFile(const std::optional<std::string>& bytes) {
    const XfmrFileLoad load = LoadXfmrFile(bytes);
    for (std::size_t i = 0; i < load.fields.size() && i < 3; ++i) {
        fields_[i]->setText(FromCore(load.fields[i]));
    }
    if (!load.ok || !load.check2) return false;
    check2_->setValue(*load.check2);
    series_->setCurrentIndex(static_cast<int>(load.series));
    tolerance_->setCurrentIndex(static_cast<int>(load.tolerance));
    // What Check2 would take now: the Global Feedback panel may have been
    // closed since this one was.
    setSavedFeedback(ReadFileBytes(gPath() + QLatin1String(kFeedbackFileName)));
    return true;
}

void NetworkPanel::setSavedFeedback(const std::optional<std::string>& bytes) {
    savedFeedback_ = bytes;
    const SavedFactorNote note = SavedFactor(bytes);
    check2_->setNote(FromCore(note.shown));
    check2_->setToolTip(ToolTipText({FromCore(note.description)}));
    check2_->setAccessibleDescription(FromCore(note.description));
    refreshOutOfDate();
}

std::string NetworkPanel::fileContent() const {
    return SaveXfmrFile(ToCore(fields_[0]->text()), ToCore(fields_[1]->text()),
                        ToCore(fields_[2]->text()), check2_->value(), series(), tolerance());
}

Series NetworkPanel::series() const {
    return SeriesAt(static_cast<std::size_t>(std::max(0, series_->currentIndex())));
}

Tolerance NetworkPanel::tolerance() const {
    return ToleranceAt(static_cast<std::size_t>(std::max(0, tolerance_->currentIndex())));
}

void NetworkPanel::CmdCalc_Click() {
    const QString feedbackPath = gPath() + QLatin1String(kFeedbackFileName);
    NetworkInput input;
    input.txtAr = ToCore(fields_[0]->text());
    input.txtRtMin = ToCore(fields_[1]->text());
    input.txtRtMax = ToCore(fields_[2]->text());
    input.check2 = check2_->value();
    input.series = series();
    input.tolerance = tolerance();
    input.feedbackFile = ReadFileBytes(feedbackPath);
    input.notation = notation();
    // The path goes into the message as the interface's own text, so that
    // any character of it shows.
    input.feedbackFileName = "%1";
    setSavedFeedback(input.feedbackFile);

    const NetworkOutcome outcome = NetworkCalculate(input);
    if (outcome.clearsList()) {
        listedRows_ = outcome.rows;
        listedLines_.clear();
        for (const std::string& line : outcome.listLines()) listedLines_ << FromCore(line);
        listedTolerance_ = input.tolerance;
        setHeading(listedTolerance_);
    }
    QStringList messageArgs;
    if (outcome.feedbackFileUnreadable) messageArgs << QDir::toNativeSeparators(feedbackPath);
    replay(outcome, {fields_.begin(), fields_.end()}, {}, lstOutput_, messageArgs);
    if (!outcome.clearsList()) return;
    relist();
    if (listedRows_.empty()) {
        noResults();
    } else {
        dependence_ = NetworkDependence(input.check2);
        resultsCalculated();
    }
}

QStringList NetworkPanel::resultInputs() const {
    QStringList states;
    for (int i : dependence_.inputs) states << inputState(fields_[static_cast<std::size_t>(i)]);
    states << QString::number(check2_->value()) << QString::number(series_->currentIndex())
           << QString::number(tolerance_->currentIndex());
    // The output voltage, and with Check2 the factor (TxtAr is then no
    // input), come from the saved Global Feedback inputs.
    const FeedbackFileLoad saved = LoadFeedbackFile(savedFeedback_);
    const bool savedFactor =
        std::find(dependence_.inputs.begin(), dependence_.inputs.end(), 0) ==
        dependence_.inputs.end();
    for (std::size_t line : {1u, 2u, 6u}) {
        if (line == 6 && !savedFactor) continue;
        if (line < saved.fields.size()) {
            states << FromCore(saved.fields[line]) + QLatin1Char('=') +
                          QString::number(ReadNumber(saved.fields[line], notation()), 'g', 17);
        }
    }
    return states;
}

void NetworkPanel::showOutOfDate(bool outOfDate) { lstOutput_->setOutOfDate(outOfDate); }

void NetworkPanel::relist() {
    std::vector<std::size_t> selected;
    for (const QListWidgetItem* item : lstOutput_->selectedItems()) {
        selected.push_back(item->data(kListedRowRole).value<std::size_t>());
    }
    if (sortColumn_) {
        shownOrder_ = NetworkSortOrder(listedRows_, *sortColumn_, sortDescending_);
    } else {
        shownOrder_.resize(listedRows_.size());
        for (std::size_t i = 0; i < shownOrder_.size(); ++i) shownOrder_[i] = i;
    }
    const std::optional<std::size_t> smallest = SmallestErrorRow(listedRows_);
    lstOutput_->clear();
    for (std::size_t i : shownOrder_) {
        auto* item = new QListWidgetItem(listedLines_.value(static_cast<qsizetype>(i)));
        item->setData(kListedRowRole, QVariant::fromValue(i));
        if (smallest == i) {
            item->setData(kSmallestErrorRole, true);
            item->setData(Qt::AccessibleTextRole,
                          item->text() + QStringLiteral(" - the smallest error"));
            item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("The smallest error"));
            item->setToolTip(QStringLiteral("The smallest error"));
        }
        lstOutput_->addItem(item);
        if (std::find(selected.begin(), selected.end(), i) != selected.end()) {
            item->setSelected(true);
        }
    }
    if (sortColumn_) {
        const auto [first, end] = NetworkColumnNameSpan(*sortColumn_, listedTolerance_);
        text16_->setSortMark(static_cast<int>(first), static_cast<int>(end), sortDescending_);
        text16_->setAccessibleDescription(
            QStringLiteral("The list is sorted by %1, %2.")
                .arg(QLatin1String(NetworkColumnName(*sortColumn_)),
                     sortDescending_ ? QStringLiteral("descending")
                                     : QStringLiteral("ascending")));
    } else {
        text16_->setSortMark(-1, -1, false);
        text16_->setAccessibleDescription(QStringLiteral("The list is in the order of the search."));
    }
    text16_->setToolTip(ToolTipText(
        {text16_->accessibleDescription(),
         QStringLiteral("Click a column's name to sort by it, again to reverse the order, a "
                        "third time for the order of the search.")}));
}

void NetworkPanel::sortList(std::optional<NetworkColumn> column, bool descending) {
    sortColumn_ = column;
    sortDescending_ = column && descending;
    relist();
}

void NetworkPanel::sortByHeading(NetworkColumn column) {
    if (sortColumn_ != column) sortList(column, false);
    else if (!sortDescending_) sortList(column, true);
    else sortList(std::nullopt);
}

QString NetworkPanel::copyText() const {
    std::vector<std::size_t> rows;
    for (int row = 0; row < lstOutput_->count(); ++row) {
        const QListWidgetItem* item = lstOutput_->item(row);
        if (item->isSelected()) rows.push_back(item->data(kListedRowRole).value<std::size_t>());
    }
    if (rows.empty()) rows = shownOrder_;
    return FromCore(NetworkCopyText(listedRows_, rows, listedTolerance_));
}

void NetworkPanel::copyList() { QApplication::clipboard()->setText(copyText()); }

QString NetworkPanel::helpText() const { return LineBreaks(FromCore(NetworkHelpPage())); }

void NetworkPanel::Close2_Click() { closeAndSave(); }

void NetworkPanel::showListMenu(const QPoint& at) {
    QMenu menu(lstOutput_);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(!listedRows_.empty());
    connect(copy, &QAction::triggered, this, &NetworkPanel::copyList);
    QAction* save = menu.addAction(QStringLiteral("&Save as CSV..."));
    save->setEnabled(!listedRows_.empty());
    connect(save, &QAction::triggered, this, &NetworkPanel::saveListAsCsv);
    menu.addSeparator();
    QMenu* sortBy = menu.addMenu(QStringLiteral("Sort &By"));
    sortBy->setEnabled(!listedRows_.empty());
    for (std::size_t c = 0; c < NetworkColumnCount(listedTolerance_); ++c) {
        const auto column = static_cast<NetworkColumn>(c);
        QAction* action = sortBy->addAction(QLatin1String(NetworkColumnName(column)));
        action->setCheckable(true);
        action->setChecked(sortColumn_ == column);
        connect(action, &QAction::triggered, this, [this, column] {
            sortList(column, sortColumn_ == column && !sortDescending_);
        });
    }
    QAction* original = menu.addAction(QStringLiteral("&Original Order"));
    original->setEnabled(sortColumn_.has_value());
    connect(original, &QAction::triggered, this, [this] { sortList(std::nullopt); });
    menu.exec(lstOutput_->viewport()->mapToGlobal(at));
}

void NetworkPanel::saveListAsCsv() {
    QString path = askCsvPath_();
    if (path.isEmpty()) return;  // cancelled
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
    if (const auto reason = SaveFileBytes(path, NetworkCsv(listedRows_, listedTolerance_))) {
        messages().showMessage(SaveFailureText(path, *reason));
    }
}

QSize NetworkPanel::MinimumClientSize() {
    const NetworkPanelLayout unit = NetworkPanelLayoutFor(1, 1);
    const QFont window = QApplication::font();
    ClientFloor floor;
    for (std::size_t i = 0; i < 3; ++i) {
        // The buttons and the check box stand over the captions' left part.
        const TwipsRect room = UncoveredPart(
            unit.rows[i].label,
            {unit.cmdCalc, unit.close2, unit.check2, unit.series, unit.tolerance});
        floor.fitCaption(room, window, QLatin1String(kCaptions[i]));
        floor.fitCaption(unit.rows[i].field, window, QStringLiteral("393.4e-3"));
        floor.fitCaption(unit.rows[i].unit, window, QStringLiteral("Ohms"));
    }
    floor.fitCaption(unit.cmdCalc, window, QStringLiteral("Calculate"), ButtonMargins());
    floor.fitTwoLines(unit.check2, window, check2Caption(), IndicatorWidth());
    // The choices with their drop-down arrow.
    const double arrow = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12;
    floor.fitCaption(unit.series, window, QStringLiteral("Series E192"), arrow);
    floor.fitCaption(unit.tolerance, window, QStringLiteral("Tolerance 0.5 %"), arrow);
    // The heading, from where the list's texts start.
    floor.fitCaption(unit.text16, FixedFont(), FromCore(NetworkHeading()),
                     HeadingIndent(QApplication::style(),
                                   QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth)));
    return floor.size();
}

}  // namespace korvane
