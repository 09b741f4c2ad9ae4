#include "ui/panel.h"

#include <QComboBox>
#include <QShortcut>

#include "calc/outcome.h"
#include "io/engineering.h"
#include "ui/files.h"
#include "ui/messages.h"
#include "ui/widgets.h"

namespace korvane {

Panel::Panel(const QString& name, const QString& gPath, const QString& fileName,
             MessageSink& messages, QWidget* parent)
    : QFrame(parent), gPath_(gPath), fileName_(fileName), messages_(messages) {
    setObjectName(name);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    hide();
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] { closeButton()->click(); });
}

void Panel::layoutAndLabel(double sw, double sh, double dpi) {
    watchInputs();
    place(sw, sh, dpi);
    label();
}

void Panel::watchInputs() {
    if (watching_) return;
    watching_ = true;
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        connect(box, &QLineEdit::textChanged, this, &Panel::edited);
    }
    for (QCheckBox* box : findChildren<QCheckBox*>()) {
        connect(box, &QCheckBox::stateChanged, this, &Panel::edited);
    }
    for (QRadioButton* option : findChildren<QRadioButton*>()) {
        connect(option, &QRadioButton::toggled, this, &Panel::edited);
    }
    for (QComboBox* choice : findChildren<QComboBox*>()) {
        connect(choice, &QComboBox::currentIndexChanged, this, &Panel::edited);
    }
}

bool Panel::readStep() {
    const bool read = applyFile(ReadFileBytes(filePath()));
    // The check boxes' states are set from code, which emits nothing.
    emit edited();
    return read;
}

bool Panel::saveInputs() {
    if (const auto reason = SaveFileBytes(filePath(), fileContent())) {
        messages_.showMessage(SaveFailureText(filePath(), *reason));
        return false;
    }
    return true;
}

bool Panel::closeAndSave() {
    if (!saveInputs()) return false;
    hide();
    emit closed();
    return true;
}

void Panel::setNotation(Notation notation) {
    notation_ = notation;
    for (InputBox* box : findChildren<InputBox*>()) box->setNotation(notation);
    refreshOutOfDate();
}

void Panel::resultsCalculated() {
    calculatedFrom_ = resultInputs();
    tracking_ = true;
    outOfDate_ = false;
    showOutOfDate(false);
}

void Panel::noResults() {
    tracking_ = false;
    outOfDate_ = false;
    showOutOfDate(false);
}

void Panel::refreshOutOfDate() {
    if (!tracking_) return;
    const bool outOfDate = resultInputs() != calculatedFrom_;
    if (outOfDate == outOfDate_) return;
    outOfDate_ = outOfDate;
    showOutOfDate(outOfDate);
}

QString Panel::inputState(const InputBox* field) const {
    const double value = ReadNumber(ToCore(field->text()), notation_);
    return field->text() + QLatin1Char('=') + QString::number(value, 'g', 17);
}

void Panel::replay(const Outcome& outcome, const std::vector<InputBox*>& fields,
                   const std::vector<DisplayBox*>& labels, QListWidget* list,
                   const QStringList& messageArgs) {
    for (const Effect& effect : outcome.effects) {
        const auto i = static_cast<std::size_t>(effect.index);
        switch (effect.kind) {
            case Effect::Kind::SetField:
                if (i < fields.size()) fields[i]->setText(FromCore(effect.text));
                break;
            case Effect::Kind::SetLabel:
                if (i < labels.size()) labels[i]->setCaption(FromCore(effect.text));
                break;
            case Effect::Kind::Message: {
                QString text = FromCore(effect.text);
                for (const QString& arg : messageArgs) text = text.arg(arg);
                messages_.showMessage(text);
                break;
            }
            case Effect::Kind::Focus:
                if (i < fields.size()) fields[i]->setFocus(Qt::OtherFocusReason);
                break;
            case Effect::Kind::ClearList:
                if (list) list->clear();
                break;
            case Effect::Kind::AddLine:
                if (list) list->addItem(FromCore(effect.text));
                break;
        }
    }
}

}  // namespace korvane
