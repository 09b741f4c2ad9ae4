#include "tube/tube_editor_window.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/files.h"
#include "ui/messages.h"

namespace korvane {

namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

TubeEditorWindow::TubeEditorWindow(std::vector<Tube> mine, std::vector<std::string> builtInNames,
                                   const QString& path, MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      mine_(std::move(mine)),
      builtInNames_(std::move(builtInNames)),
      path_(path),
      messages_(messages) {
    setObjectName(QStringLiteral("MyTubesWindow"));
    setWindowTitle(QStringLiteral("My Tubes"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("MyTubeList"));
    list_->setAccessibleName(QStringLiteral("My tubes"));
    list_->setMinimumWidth(200);

    auto* form = new QFormLayout;
    const auto& rows = TubeEditorRows();
    for (std::size_t i = 0; i < kTubeEditorFields; ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setObjectName(QStringLiteral("TubeField(%1)").arg(i));
        QString caption = QLatin1String(rows[i].caption);
        if (*rows[i].unit) caption += QStringLiteral(" (%1)").arg(QLatin1String(rows[i].unit));
        fields_[i]->setAccessibleName(caption);
        form->addRow(caption, fields_[i]);
    }
    fields_[1]->setPlaceholderText(QStringLiteral("ECC83 | 7025"));
    fields_[7]->setPlaceholderText(QStringLiteral("0"));
    fields_[8]->setPlaceholderText(QStringLiteral("not known"));
    fields_[9]->setPlaceholderText(QStringLiteral("not known"));

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("TubeEditorMessage"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setText(QStringLiteral("Saved in %1").arg(QDir::toNativeSeparators(path_)));

    add_ = new QPushButton(QStringLiteral("Add"), this);
    add_->setObjectName(QStringLiteral("AddTube"));
    saveButton_ = new QPushButton(QStringLiteral("Save Changes"), this);
    saveButton_->setObjectName(QStringLiteral("SaveTube"));
    remove_ = new QPushButton(QStringLiteral("Remove"), this);
    remove_->setObjectName(QStringLiteral("RemoveTube"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseMyTubes"));
    for (QPushButton* b : {add_, saveButton_, remove_, close}) b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(saveButton_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* right = new QVBoxLayout;
    right->addLayout(form);
    right->addWidget(message_);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(right, 2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, &TubeEditorWindow::showSelected);
    connect(add_, &QPushButton::clicked, this, &TubeEditorWindow::addTube);
    connect(saveButton_, &QPushButton::clicked, this, &TubeEditorWindow::saveTube);
    connect(remove_, &QPushButton::clicked, this, &TubeEditorWindow::removeTube);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    listTubes(mine_.empty() ? -1 : 0);
    resize(sizeHint().expandedTo(QSize(640, 420)));
}

void TubeEditorWindow::listTubes(int select) {
    list_->blockSignals(true);
    list_->clear();
    for (const Tube& t : mine_) list_->addItem(Utf8(t.name));
    list_->setCurrentRow(select);
    list_->blockSignals(false);
    showSelected();
}

void TubeEditorWindow::showSelected() {
    const int row = list_->currentRow();
    const bool any = row >= 0 && row < static_cast<int>(mine_.size());
    saveButton_->setEnabled(any);
    remove_->setEnabled(any);
    if (!any) return;
    const auto texts = TubeEditorTexts(mine_[static_cast<std::size_t>(row)]);
    for (std::size_t i = 0; i < kTubeEditorFields; ++i) fields_[i]->setText(Utf8(texts[i]));
}

std::array<std::string, kTubeEditorFields> TubeEditorWindow::fieldTexts() const {
    std::array<std::string, kTubeEditorFields> texts;
    for (std::size_t i = 0; i < kTubeEditorFields; ++i) {
        const QByteArray bytes = fields_[i]->text().toUtf8();
        texts[i] = std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    return texts;
}

bool TubeEditorWindow::save(std::vector<Tube> tubes, const QString& done) {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (const auto reason = SaveFileBytes(path_, WriteTubeTable(tubes))) {
        message_->setText(SaveFailureText(path_, *reason));
        return false;
    }
    mine_ = std::move(tubes);
    message_->setText(done);
    emit tubesSaved();
    return true;
}

void TubeEditorWindow::addTube() {
    std::vector<std::string> taken = builtInNames_;
    for (const Tube& t : mine_) taken.push_back(t.name);
    const EditedTube made = TubeFromEditorTexts(fieldTexts(), notation_, taken);
    if (!made.error.empty()) {
        message_->setText(Utf8(made.error));
        return;
    }
    std::vector<Tube> tubes = mine_;
    tubes.push_back(made.tube);
    if (save(std::move(tubes), QStringLiteral("Added %1.").arg(Utf8(made.tube.name)))) {
        listTubes(static_cast<int>(mine_.size()) - 1);
    }
}

void TubeEditorWindow::saveTube() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(mine_.size())) return;
    const auto at = static_cast<std::size_t>(row);
    std::vector<std::string> taken = builtInNames_;
    for (std::size_t i = 0; i < mine_.size(); ++i) {
        if (i != at) taken.push_back(mine_[i].name);
    }
    const EditedTube made = TubeFromEditorTexts(fieldTexts(), notation_, taken);
    if (!made.error.empty()) {
        message_->setText(Utf8(made.error));
        return;
    }
    std::vector<Tube> tubes = mine_;
    tubes[at] = made.tube;
    if (save(std::move(tubes), QStringLiteral("Saved %1.").arg(Utf8(made.tube.name)))) {
        listTubes(row);
    }
}

void TubeEditorWindow::removeTube() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(mine_.size())) return;
    const auto at = static_cast<std::size_t>(row);
    const QString name = Utf8(mine_[at].name);
    if (!messages_.askYesNo(QStringLiteral("Remove %1 from your tubes?").arg(name))) return;
    std::vector<Tube> tubes = mine_;
    tubes.erase(tubes.begin() + static_cast<std::ptrdiff_t>(at));
    if (save(std::move(tubes), QStringLiteral("Removed %1.").arg(name))) {
        listTubes(std::min(row, static_cast<int>(mine_.size()) - 1));
    }
}

}  // namespace korvane
