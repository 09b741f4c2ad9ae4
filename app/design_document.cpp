#include "app/design_document.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <optional>
#include <string_view>

#include "app/about.h"
#include "app/desktop.h"
#include "app/design_sheet_page.h"
#include "feedback/feedback_file.h"
#include "network/xfmr_file.h"
#include "rcstage/gain_file.h"
#include "ui/files.h"
#include "ui/messages.h"
#include "ui/panel.h"
#include "ui/widgets.h"

namespace korvane {
namespace {

constexpr const char* kCaption = "Amplifier Design";
constexpr const char* kLastKey = "Designs/last";
constexpr const char* kRecentKey = "Designs/recent";
constexpr const char* kDesignFilter = "Korvane designs (*.korvane);;All files (*)";

// The inputs files in the order of DesignFiles and of the selector.
constexpr std::array<const char*, 3> kInputsFiles = {kGainFileName, kFeedbackFileName,
                                                     kXfmrFileName};

std::array<std::string*, 3> Slots(DesignFiles& files) {
    return {&files.gain, &files.feedback, &files.xfmr};
}

std::string Bytes(const QByteArray& data) {
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

// The file as its panel would save it after loading it; a file the panel
// cannot load stays as it is.
std::string AsSaved(std::size_t index, const std::string& bytes) {
    std::array<std::string, 10> fields;
    if (index == 0) {
        const GainFileLoad load = LoadGainFile(bytes);
        if (!load.ok) return bytes;
        std::copy(load.fields.begin(), load.fields.end(), fields.begin());
        return SaveGainFile(fields, *load.check);
    }
    if (index == 1) {
        const FeedbackFileLoad load = LoadFeedbackFile(bytes);
        if (!load.ok) return bytes;
        std::copy(load.fields.begin(), load.fields.end(), fields.begin());
        // Every option is read, so the states the panel had before do not
        // count.
        return SaveFeedbackFile(fields, ApplyOptionsRead({}, load.options), *load.ab2);
    }
    const XfmrFileLoad load = LoadXfmrFile(bytes);
    if (!load.ok) return bytes;
    return SaveXfmrFile(load.fields[0], load.fields[1], load.fields[2], *load.check2,
                        load.series, load.tolerance);
}

void Remember(const QString& path) {
    QSettings settings = UserSettings();
    settings.setValue(QLatin1String(kLastKey), path);
    if (path.isEmpty()) return;
    QStringList recent = settings.value(QLatin1String(kRecentKey)).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentDesigns) recent.removeLast();
    settings.setValue(QLatin1String(kRecentKey), recent);
}

// A design file read and checked: its files, or why it cannot be opened.
struct DesignOnDisk {
    std::optional<DesignFiles> files;
    std::string why;
};

DesignOnDisk ReadDesignFile(const QString& path) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        const QString reason =
            QFileInfo(path).isDir() ? QStringLiteral("it is a folder") : file.errorString();
        return {std::nullopt, "it cannot be read (" + reason.toStdString() + ")"};
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {std::nullopt, "it cannot be read (" + file.errorString().toStdString() + ")"};
    }
    DesignRead read = ReadDesign(std::string_view(data.constData(),
                                                  static_cast<std::size_t>(data.size())));
    return {std::move(read.files), read.why};
}

QString Absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

QString DesignName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const QString extension = QLatin1String(kDesignExtension);
    if (name.size() > extension.size() && name.endsWith(extension, Qt::CaseInsensitive)) {
        return name.left(name.size() - extension.size());
    }
    return name;
}

QString DesignCaption(const QString& path) {
    if (path.isEmpty()) return QLatin1String(kCaption);
    return DesignName(path) + QStringLiteral("[*] - ") + QLatin1String(kCaption);
}

QStringList RecentDesigns() {
    const QSettings settings = UserSettings();
    return settings.value(QLatin1String(kRecentKey)).toStringList().mid(0, kRecentDesigns);
}

bool SameInputs(const DesignFiles& a, const DesignFiles& b) {
    const std::array<const std::string*, 3> left = {&a.gain, &a.feedback, &a.xfmr};
    const std::array<const std::string*, 3> right = {&b.gain, &b.feedback, &b.xfmr};
    for (std::size_t i = 0; i < 3; ++i) {
        if (*left[i] != *right[i] && AsSaved(i, *left[i]) != AsSaved(i, *right[i])) return false;
    }
    return true;
}

DesignDocument::DesignDocument(QWidget& window, const QString& gPath, MessageSink& messages,
                               Panels panels)
    : QObject(&window), window_(window), gPath_(gPath), messages_(messages),
      panels_(std::move(panels)) {
    const QString filter = QLatin1String(kDesignFilter);
    dialogs_.openPath = [this, filter] {
        const QString folder = path_.isEmpty() ? documentsFolder() : QFileInfo(path_).path();
        return QFileDialog::getOpenFileName(&window_, QStringLiteral("Open Design"), folder,
                                            filter);
    };
    // The dialog adds the extension to a name typed without one, before it
    // asks whether to replace a file of that name.
    const auto savePath = [this](const QString& title, const QString& suggested,
                                 const QString& fileFilter, const QString& suffix) {
        QFileDialog dialog(&window_, title, suggested, fileFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        dialog.selectFile(suggested);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    dialogs_.savePath = [savePath, filter](const QString& suggested) {
        return savePath(QStringLiteral("Save Design As"), suggested, filter,
                        QStringLiteral("korvane"));
    };
    dialogs_.pdfPath = [savePath](const QString& suggested) {
        return savePath(QStringLiteral("Export Design Sheet as PDF"), suggested,
                        QStringLiteral("PDF files (*.pdf);;All files (*)"),
                        QStringLiteral("pdf"));
    };
    dialogs_.setUpPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, &window_);
        return dialog.exec() == QDialog::Accepted;
    };
}

void DesignDocument::addActions(QMenu* menu, QAction* before) {
    const auto add = [&](const char* text, const char* name, QKeySequence::StandardKey key,
                         bool (DesignDocument::*run)()) {
        auto* action = new QAction(QLatin1String(text), menu);
        action->setObjectName(QLatin1String(name));
        if (key != QKeySequence::UnknownKey) action->setShortcut(key);
        connect(action, &QAction::triggered, this, [this, run] { (this->*run)(); });
        menu->insertAction(before, action);
    };
    bool (DesignDocument::*open)() = &DesignDocument::openDesign;
    add("&New Design", "ActionNewDesign", QKeySequence::New, &DesignDocument::newDesign);
    add("&Open Design...", "ActionOpenDesign", QKeySequence::Open, open);
    recentMenu_ = new QMenu(QStringLiteral("Open &Recent"), menu);
    recentMenu_->setObjectName(QStringLiteral("MenuOpenRecent"));
    menu->insertMenu(before, recentMenu_);
    // Another Korvane may have changed the list since.
    connect(recentMenu_, &QMenu::aboutToShow, this, &DesignDocument::fillRecentMenu);
    fillRecentMenu();
    menu->insertSeparator(before);
    add("&Save Design", "ActionSaveDesign", QKeySequence::Save, &DesignDocument::saveDesign);
    add("Save Design &As...", "ActionSaveDesignAs", QKeySequence::SaveAs,
        &DesignDocument::saveDesignAs);
    menu->insertSeparator(before);
    add("&Export Design Sheet as PDF...", "ActionExportSheet", QKeySequence::UnknownKey,
        &DesignDocument::exportSheet);
    add("&Print Design Sheet...", "ActionPrintSheet", QKeySequence::Print,
        &DesignDocument::printSheet);
    menu->insertSeparator(before);
}

void DesignDocument::fillRecentMenu() {
    if (!recentMenu_) return;
    recentMenu_->clear();
    const QStringList recent = RecentDesigns();
    for (qsizetype i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        action->setObjectName(QStringLiteral("ActionRecent%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, path] { openDesign(path); });
    }
    recentMenu_->setEnabled(!recent.isEmpty());
}

QString DesignDocument::documentsFolder() const {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

DesignFiles DesignDocument::workingFiles() const {
    DesignFiles files;
    const std::array<std::string*, 3> into = Slots(files);
    const std::array<Panel*, 3> panels = panels_();
    for (std::size_t i = 0; i < 3; ++i) {
        if (panels[i] && !panels[i]->isHidden()) {
            *into[i] = panels[i]->inputsContent();
        } else {
            *into[i] = ReadFileBytes(gPath_ + QLatin1String(kInputsFiles[i])).value_or("");
        }
    }
    return files;
}

bool DesignDocument::isModified() const {
    return !path_.isEmpty() && !SameInputs(workingFiles(), design_);
}

void DesignDocument::updateCaption() {
    window_.setWindowTitle(DesignCaption(path_));
    window_.setWindowModified(isModified());
}

void DesignDocument::setDesign(const QString& path, const DesignFiles& files) {
    path_ = path.isEmpty() ? QString() : Absolute(path);
    design_ = files;
    Remember(path_);
    fillRecentMenu();
    updateCaption();
}

void DesignDocument::restoreLast() {
    const QString last = UserSettings()
                             .value(QLatin1String(kLastKey))
                             .toString();
    if (!last.isEmpty()) {
        // A design that no longer reads is let go: the working inputs are
        // as they were left either way.
        DesignOnDisk design = ReadDesignFile(last);
        if (design.files) {
            path_ = last;
            design_ = *design.files;
        } else {
            Remember(QString());
        }
    }
    updateCaption();
}

void DesignDocument::openFromCommandLine(const QStringList& arguments) {
    if (arguments.size() < 2) return;
    if (arguments.size() > 2) {
        messages_.showMessage(
            QStringLiteral("Korvane opens the one design named after it; it left out: %1")
                .arg(arguments.mid(2).join(QLatin1Char(' '))));
    }
    openDesign(arguments[1]);
}

bool DesignDocument::askToSave() {
    if (!isModified()) return true;
    const SaveAnswer answer = messages_.askSaveDiscardCancel(
        QStringLiteral("The design \"%1\" has changes that are not saved.\r\n\r\n"
                       "Save them first?")
            .arg(DesignName(path_)));
    if (answer == SaveAnswer::Save) return saveDesign();
    return answer == SaveAnswer::Discard;
}

bool DesignDocument::newDesign() {
    if (!askToSave()) return false;
    const DesignFiles defaults = DefaultDesignFiles();
    if (!replaceInputs(defaults)) return false;
    setDesign(QString(), defaults);
    return true;
}

bool DesignDocument::openDesign() {
    if (!askToSave()) return false;
    const QString path = dialogs_.openPath();
    return !path.isEmpty() && openAsked(path);
}

bool DesignDocument::openDesign(const QString& path) {
    // Asked first, so that a design saved now is the one then read, should
    // it be this very file.
    return askToSave() && openAsked(path);
}

bool DesignDocument::openAsked(const QString& path) {
    const DesignOnDisk design = ReadDesignFile(path);
    if (!design.files) {
        const QString shown = QDir::toNativeSeparators(Absolute(path));
        messages_.showMessage(
            QString::fromStdString(DesignRefusalText(shown.toStdString(), design.why)));
        return false;
    }
    if (!replaceInputs(*design.files)) return false;
    setDesign(path, *design.files);
    return true;
}

bool DesignDocument::saveDesign() { return path_.isEmpty() ? saveDesignAs() : saveTo(path_); }

bool DesignDocument::saveDesignAs() {
    const QString suggested =
        path_.isEmpty()
            ? QDir(documentsFolder()).filePath(QStringLiteral("Amplifier design.korvane"))
            : path_;
    const QString path = dialogs_.savePath(suggested);
    return !path.isEmpty() && saveTo(path);
}

bool DesignDocument::saveTo(const QString& path) {
    const DesignFiles working = workingFiles();
    // A design that Open would refuse is not written: inputs that their
    // panel cannot load (a comma typed into a field shifts every later
    // item) are put right first.
    const std::string text = WriteDesign(working);
    const DesignRead check = ReadDesign(text);
    if (!check.files) {
        messages_.showMessage(QStringLiteral("The design \"%1\" was not saved: %2.")
                                  .arg(DesignName(path), QString::fromStdString(check.why)));
        return false;
    }
    // An open panel's inputs file is saved too, as its Close would save it.
    for (Panel* panel : panels_()) {
        if (panel && !panel->isHidden() && !panel->saveInputs()) return false;
    }
    if (const auto reason = SaveFileBytes(path, text)) {
        messages_.showMessage(SaveFailureText(path, *reason));
        return false;
    }
    setDesign(path, working);
    return true;
}

bool DesignDocument::replaceInputs(const DesignFiles& files) {
    DesignFiles copy = files;
    const std::array<std::string*, 3> bytes = Slots(copy);
    std::array<std::optional<std::string>, 3> before;
    for (std::size_t i = 0; i < 3; ++i) {
        before[i] = ReadFileBytes(gPath_ + QLatin1String(kInputsFiles[i]));
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const QString path = gPath_ + QLatin1String(kInputsFiles[i]);
        const auto reason = SaveFileBytes(path, *bytes[i]);
        if (!reason) continue;
        for (std::size_t j = 0; j < i; ++j) {
            const QString written = gPath_ + QLatin1String(kInputsFiles[j]);
            if (before[j]) SaveFileBytes(written, *before[j]);
            else QFile::remove(written);
        }
        messages_.showMessage(SaveFailureText(path, *reason));
        return false;
    }
    for (Panel* panel : panels_()) {
        if (panel && !panel->isHidden() && !panel->readStep()) {
            messages_.showMessage(QLatin1String(kReadFailureText));
        }
    }
    return true;
}

bool DesignDocument::mayClose() {
    if (!isModified()) return true;
    const SaveAnswer answer = messages_.askSaveDiscardCancel(
        QStringLiteral("The design \"%1\" has changes that are not saved.\r\n\r\n"
                       "Save them before Korvane ends?")
            .arg(DesignName(path_)));
    if (answer == SaveAnswer::Save) return saveDesign();
    if (answer == SaveAnswer::Discard) return replaceInputs(design_);
    return false;
}

DesignSheet DesignDocument::sheet() const {
    // The sheet shows the inputs as they stand, which may no longer be
    // those of the design's file.
    QString name = path_.isEmpty() ? QStringLiteral("Untitled design") : DesignName(path_);
    if (isModified()) name += QStringLiteral(" (changed since it was saved)");
    return MakeDesignSheet(workingFiles(), ToCore(name),
                           ToCore(QDate::currentDate().toString(Qt::ISODate)),
                           ToCore(ProgramVersion()), sheetNotation_);
}

bool DesignDocument::exportSheet() {
    const QString base =
        path_.isEmpty() ? QDir(documentsFolder()).filePath(QStringLiteral("Amplifier design"))
                        : QFileInfo(path_).path() + QLatin1Char('/') + DesignName(path_);
    const QString pdf = dialogs_.pdfPath(base + QStringLiteral(".pdf"));
    if (pdf.isEmpty()) return false;
    const DesignSheet page = sheet();
    const QByteArray bytes = DesignSheetPdf(page, FromCore(page.title.front()));
    if (const auto reason = SaveFileBytes(pdf, Bytes(bytes))) {
        messages_.showMessage(SaveFailureText(pdf, *reason));
        return false;
    }
    return true;
}

bool DesignDocument::printSheet() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(SheetPageLayout());
    printer.setDocName(path_.isEmpty() ? QStringLiteral("Untitled design") : DesignName(path_));
    if (!dialogs_.setUpPrinter(printer)) return false;
    if (!PrintDesignSheet(printer, sheet())) {
        messages_.showMessage(QStringLiteral("The design sheet could not be printed."));
        return false;
    }
    return true;
}

}  // namespace korvane
