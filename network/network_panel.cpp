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
#include <algorithm>

#include "feedback/feedback_file.h"
#include "network/network_csv.h"
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

QString check2Caption() { return QStringLiteral("Use Feedback Factor from Global Feedback."); }

}  // namespace

ResultList::ResultList(const QString& name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

QString ResultList::copyText() const {
    const bool all = selectedItems().isEmpty();
    QString text = heading_ + QLatin1Char('\n');
    for (int row = 0; row < count(); ++row) {
        const QListWidgetItem* it = item(row);
        if (all || it->isSelected()) text += it->text() + QLatin1Char('\n');
    }
    return text;
}

void ResultList::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(copyText());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void HeadingBox::setScroll(int pixels) {
    scroll_ = pixels;
    update();
}

void HeadingBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QRect room = contentsRect();
    room.setLeft(room.left() + indent() - scroll_);
    room.setWidth(std::max(room.width(), fontMetrics().horizontalAdvance(text()) + indent()));
    style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
                          text(), foregroundRole());
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
        fields_[i]->showHowItIsRead();
    }
    cmdCalc_ = new QPushButton(QStringLiteral("Calculate"), this);
    cmdCalc_->setObjectName(QStringLiteral("CmdCalc"));
    close2_ = new QPushButton(QStringLiteral("Close"), this);
    close2_->setObjectName(QStringLiteral("Close2"));
    text16_ = new HeadingBox(QStringLiteral("Text16"), this);
    text16_->setFont(FixedFont());
    text16_->setText(QStringLiteral("Text4"));
    lstOutput_ = new ResultList(QStringLiteral("LstOutput"), this);
    lstOutput_->setFont(FixedFont());
    lstOutput_->setAccessibleName(QStringLiteral("Feedback networks"));
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
    const QString heading = FromCore(NetworkHeading(tolerance));
    text16_->setText(heading);
    lstOutput_->setHeading(heading);
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
    return true;
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
    // The path goes into the message as the interface's own text, so that
    // any character of it shows.
    input.feedbackFileName = "%1";

    const NetworkOutcome outcome = NetworkCalculate(input);
    if (outcome.clearsList()) {
        listedRows_ = outcome.rows;
        listedTolerance_ = input.tolerance;
        setHeading(listedTolerance_);
    }
    QStringList messageArgs;
    if (outcome.feedbackFileUnreadable) messageArgs << QDir::toNativeSeparators(feedbackPath);
    replay(outcome, {fields_.begin(), fields_.end()}, {}, lstOutput_, messageArgs);
}

void NetworkPanel::Close2_Click() { closeAndSave(); }

void NetworkPanel::showListMenu(const QPoint& at) {
    QMenu menu(lstOutput_);
    QAction* copy = menu.addAction(QStringLiteral("Copy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(lstOutput_->copyText()); });
    QAction* save = menu.addAction(QStringLiteral("Save as CSV..."));
    save->setEnabled(!listedRows_.empty());
    connect(save, &QAction::triggered, this, &NetworkPanel::saveListAsCsv);
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
