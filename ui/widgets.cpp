#include "ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "format/read_as.h"
#include "io/cp1252.h"

namespace korvane {

namespace {

// A check box as assistive technology sees it: its toggle and press actions
// do what a click does (the standard toggle would take a grayed box to
// clear, where a click takes it to set), and a grayed box is mixed.
class StateCheckBoxAccessible final : public QAccessibleWidget {
public:
    explicit StateCheckBoxAccessible(StateCheckBox* box)
        : QAccessibleWidget(box, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && box()->accessibleName().isEmpty()) {
            return WithoutMnemonic(box()->text());
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = box()->value() == 1;
        s.checkStateMixed = box()->value() == 2;
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{toggleAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == toggleAction() || action == pressAction()) {
            if (box()->isEnabled()) box()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    StateCheckBox* box() const { return static_cast<StateCheckBox*>(widget()); }
};

QAccessibleInterface* StateCheckBoxFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(StateCheckBox::staticMetaObject.className()) &&
        object->isWidgetType()) {
        return new StateCheckBoxAccessible(static_cast<StateCheckBox*>(object));
    }
    return nullptr;
}

// The warning tint of a marked input box: its base colour drawn a third of
// the way towards amber, so that its own text colour stays readable on it in
// a light theme and a dark one alike.
QPalette MarkedPalette(QPalette palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor amber(230, 150, 0);
    const auto mix = [](int a, int b) { return a + (b - a) / 3; };
    palette.setColor(QPalette::Base, QColor(mix(base.red(), amber.red()),
                                            mix(base.green(), amber.green()),
                                            mix(base.blue(), amber.blue())));
    return palette;
}

}  // namespace

QString FromCore(const std::string& bytes) {
    return QString::fromStdU16String(FromCp1252(bytes));
}

std::string ToCore(const QString& text) { return ToCp1252(text.toStdU16String()); }

QString LineBreaks(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QChar(u'\r'), QChar(u'\n'));
    return out;
}

const QFont& SansFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("MS Sans Serif"));
        f.setPointSizeF(9.75);
        f.setStyleHint(QFont::SansSerif);
        return f;
    }();
    return font;
}

const QFont& FixedFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("Courier New"));
        f.setPointSizeF(9);
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
        return f;
    }();
    return font;
}

void ClientFloor::fit(const TwipsRect& box, double width, double height, double extra) {
    if (box.width > 0) width_ = std::max(width_, (width + extra) / box.width);
    if (box.height > 0) height_ = std::max(height_, height / box.height);
}

void ClientFloor::fitCaption(const TwipsRect& box, const QFont& font, const QString& caption,
                             double extra) {
    const QFontMetricsF fm(font);
    // A pixel or two more than the ink, for the box's own margins.
    fit(box, fm.horizontalAdvance(caption) + 4, fm.height() + 2, extra);
}

void ClientFloor::fitTwoLines(const TwipsRect& box, const QFont& font, const QString& caption,
                              double extra) {
    const QFontMetricsF fm(font);
    // The longer line of the two holds at most about 60 % of the text.
    fit(box, fm.horizontalAdvance(caption) * 0.6 + 4, 2 * fm.lineSpacing() + 2, extra);
}

void ClientFloor::include(const QSize& other) {
    width_ = std::max(width_, static_cast<double>(other.width()));
    height_ = std::max(height_, static_cast<double>(other.height()));
}

QSize ClientFloor::size() const {
    return QSize(static_cast<int>(std::ceil(width_)), static_cast<int>(std::ceil(height_)));
}

double IndicatorWidth() {
    const QStyle* style = QApplication::style();
    return style->pixelMetric(QStyle::PM_IndicatorWidth) +
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 2;
}

double ButtonMargins() {
    return 2.0 * QApplication::style()->pixelMetric(QStyle::PM_ButtonMargin) + 8;
}

void Place(QWidget* widget, const TwipsRect& rect, double dpi) {
    const PixelRect px = ToPixels(rect, dpi);
    widget->setGeometry(px.x, px.y, px.width, px.height);
}

void PaintOutOfDate(QPainter& painter, const QRect& rect, const QPalette& palette) {
    // Two thirds of the way from the text to the background, on whatever
    // colours the box has; the grain tells a dimmed box from an empty one.
    QColor wash = palette.color(QPalette::Base);
    wash.setAlpha(170);
    painter.fillRect(rect, wash);
    QColor grain = palette.color(QPalette::Text);
    grain.setAlpha(60);
    painter.fillRect(rect, QBrush(grain, Qt::BDiagPattern));
}

void PaintMarkFrame(QPainter& painter, const QRect& rect) {
    painter.setPen(QPen(QColor(230, 150, 0), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
}

QString ToolTipText(const QStringList& lines) {
    QString tip;
    for (const QString& line : lines) {
        tip += QLatin1String("<div style=\"white-space:pre-wrap; margin-bottom:4px\">") +
               line.toHtmlEscaped() + QLatin1String("</div>");
    }
    return tip;
}

QString WithoutMnemonic(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

InputBox::InputBox(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
}

void InputBox::selectFirst99() { setSelection(0, 99); }

void InputBox::showHowItIsRead() {
    if (showsReading_) return;
    showsReading_ = true;
    connect(this, &QLineEdit::textChanged, this, &InputBox::updateMark);
    updateMark();
}

void InputBox::setNotation(Notation notation) {
    notation_ = notation;
    if (showsReading_) updateMark();
}

void InputBox::setHelp(const QString& brief, const QString& full) {
    help_ = brief;
    setWhatsThis(full);
    updateDescription();
}

void InputBox::setOutOfDate(bool outOfDate) {
    if (outOfDate == outOfDate_) return;
    outOfDate_ = outOfDate;
    updateDescription();
    update();
}

void InputBox::updateMark() {
    const auto note = ReadAsNote(ToCore(text()), notation_);
    note_ = note ? FromCore(*note) : QString();
    if (marked_ != note.has_value()) update();
    marked_ = note.has_value();
    updateDescription();
    // The tint is drawn on the palette the box would have unmarked.
    setPalette(marked_ ? MarkedPalette(QApplication::palette(this)) : QPalette());
}

void InputBox::updateDescription() {
    QStringList lines;
    if (outOfDate_) lines << QLatin1String(kOutOfDateText);
    if (marked_) lines << note_;
    if (!help_.isEmpty()) lines << help_;
    setToolTip(ToolTipText(lines));
    setAccessibleDescription(lines.join(QLatin1Char('\n')));
}

void InputBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    // A new theme: tint its colours instead.
    if (event->type() == QEvent::ApplicationPaletteChange && marked_) updateMark();
}

void InputBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!outOfDate_ && !marked_) return;
    QPainter painter(this);
    if (outOfDate_) PaintOutOfDate(painter, rect().adjusted(1, 1, -1, -1), palette());
    if (marked_) PaintMarkFrame(painter, rect());
}

void InputBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    selectFirst99();
    // A mouse press that gave the focus goes on to place the caret, and
    // would undo the selection: select again once the click is over.
    selectOnRelease_ = event->reason() == Qt::MouseFocusReason;
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && !selectOnRelease_) selectFirst99();
    });
}

void InputBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (selectOnRelease_) {
        selectOnRelease_ = false;
        selectFirst99();
    }
}

DisplayBox::DisplayBox(const QString& name, QWidget* parent, Qt::Alignment align)
    : QLabel(parent) {
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setAlignment(align | Qt::AlignVCenter);
    setFocusPolicy(Qt::NoFocus);
}

void DisplayBox::setBuddyField(QWidget* field) {
    field_ = field;
    if (field_) field_->setAccessibleName(text());
}

void DisplayBox::setCaption(const QString& caption) {
    setText(caption);
    // An empty caption (the RC stage's gain mode empties some) leaves the
    // box its last name: it still takes input.
    if (field_ && !caption.isEmpty()) field_->setAccessibleName(caption);
}

StateCheckBox::StateCheckBox(const QString& name, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {
    static const bool installed = [] {
        QAccessible::installFactory(&StateCheckBoxFactory);
        return true;
    }();
    (void)installed;
    setObjectName(name);
}

int StateCheckBox::value() const {
    switch (checkState()) {
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
        case Qt::Unchecked: break;
    }
    return 0;
}

void StateCheckBox::setValue(int state) {
    const bool blocked = blockSignals(true);
    setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    blockSignals(blocked);
}

void StateCheckBox::setNote(const QString& note) {
    note_ = note;
    update();
}

void StateCheckBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void StateCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    indicator.rect.moveTop((height() - indicator.rect.height()) / 2);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect textRect = rect().adjusted(indicator.rect.right() + 1 + spacing, 0, 0, 0);
    const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap |
                      (underline ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
    // The note follows the caption in the same paragraph, its "&" kept.
    QString note = note_;
    note.replace(QLatin1Char('&'), QLatin1String("&&"));
    const QString text = note.isEmpty() ? caption : caption + QLatin1String("  ") + note;
    painter.drawItemText(textRect, flags, palette(), isEnabled(), text, QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(textRect, flags, text).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool StateCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

OptionButton::OptionButton(const QString& name, const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
    setObjectName(name);
}

void SetGroupStates(const std::vector<OptionButton*>& group, const std::vector<bool>& states) {
    // Exclusive buttons refuse to be cleared, and clear each other: lift
    // that while the states are set one by one.
    for (OptionButton* button : group) {
        button->blockSignals(true);
        button->setAutoExclusive(false);
    }
    for (std::size_t i = 0; i < group.size() && i < states.size(); ++i) {
        group[i]->setChecked(states[i]);
    }
    for (OptionButton* button : group) {
        button->setAutoExclusive(true);
        button->blockSignals(false);
    }
}

}  // namespace korvane
