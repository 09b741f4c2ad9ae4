#include "ui/panel.h"

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
    place(sw, sh, dpi);
    label();
}

bool Panel::readStep() { return applyFile(ReadFileBytes(filePath())); }

bool Panel::closeAndSave() {
    if (const auto reason = SaveFileBytes(filePath(), fileContent())) {
        messages_.showMessage(SaveFailureText(filePath(), *reason));
        return false;
    }
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
