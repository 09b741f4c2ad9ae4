#include "ui/widgets.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>

#include "io/cp1252.h"

namespace korvane {

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

void Place(QWidget* widget, const TwipsRect& rect, double dpi) {
    const PixelRect px = ToPixels(rect, dpi);
    widget->setGeometry(px.x, px.y, px.width, px.height);
}

InputBox::InputBox(const QString& name, QWidget* parent) : QLineEdit(parent) {
    setObjectName(name);
}

void InputBox::selectFirst99() { setSelection(0, 99); }

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
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    painter.drawItemText(textRect, flags, palette(), isEnabled(), caption,
                         QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(textRect, flags, caption).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool StateCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

OptionButton::OptionButton(const QString& name, const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
    setObjectName(name);
    setAutoExclusive(false);
}

void OptionButton::nextCheckState() { setChecked(true); }

}  // namespace korvane
