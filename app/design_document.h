#pragma once
// Designs in the main window. A design is a named copy of the three inputs
// files, kept in one ".korvane" file (design/design_file.h); the working
// inputs stay in the inputs files, as ever. This keeps the design open now
// (or none) and the inputs it was last opened or saved with, runs the File
// menu's design actions, asks Save, Discard or Cancel before the changes
// to an open design would be lost, sets the window's caption, and keeps
// the last design and the recent list in the platform's settings (never in
// the program's folder).

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "design/design_file.h"
#include "design/design_sheet.h"
#include "io/engineering.h"

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace korvane {

class MessageSink;
class Panel;

// The name a design goes by: its file's name without ".korvane".
//   "/home/ann/amps/Push-pull 6L6.korvane" -> "Push-pull 6L6"
//   "/tmp/amp.txt" -> "amp.txt"
QString DesignName(const QString& path);

// The main window's caption: "Amplifier Design" with no design (an empty
// path), "NAME[*] - Amplifier Design" with one; Qt shows the "[*]" as "*"
// while the window is marked as changed.
//   "" -> "Amplifier Design"   "/x/Amp.korvane" -> "Amp[*] - Amplifier Design"
QString DesignCaption(const QString& path);

// The designs opened or saved lately, the latest first, at most
// kRecentDesigns of them, as the platform's settings hold them.
inline constexpr int kRecentDesigns = 8;
QStringList RecentDesigns();

// Whether two sets of inputs files show the same in the panels: each file
// is compared as its panel would save it after loading it, so that what a
// load passes over (leading blanks, "1" against " 1 ", lines after the
// last item) makes no difference. A file its panel cannot load is compared
// byte for byte.
bool SameInputs(const DesignFiles& a, const DesignFiles& b);

class DesignDocument final : public QObject {
    Q_OBJECT
public:
    // The panels built so far, by selector index (RC stage, global
    // feedback, feedback network), null where one is not built yet.
    using Panels = std::function<std::array<Panel*, 3>()>;

    // Where the answers of the file and print dialogs come from: the
    // platform's dialogs unless a test gives its own. An empty path, or
    // false, is a cancelled dialog.
    struct Dialogs {
        std::function<QString()> openPath;
        std::function<QString(const QString& suggested)> savePath;
        std::function<QString(const QString& suggested)> pdfPath;
        std::function<bool(QPrinter& printer)> setUpPrinter;
    };

    // `window` shows the caption and owns the dialogs; `gPath` is the
    // folder of the inputs files, with its separator.
    DesignDocument(QWidget& window, const QString& gPath, MessageSink& messages, Panels panels);

    // Puts the design actions into `menu` before `before`: New Design,
    // Open Design..., Open Recent, Save Design, Save Design As..., Export
    // Design Sheet as PDF..., Print Design Sheet..., each named
    // ("ActionNewDesign", "MenuOpenRecent", ...) and with the platform's
    // shortcut where it has one.
    void addActions(QMenu* menu, QAction* before);

    // At start-up, once the missing inputs files are written: the design
    // that was open when the program last ran, if its file still reads,
    // marked as changed when the working inputs differ from it.
    void restoreLast();
    // The command line as QCoreApplication::arguments() gives it: the one
    // argument after the program's name is a design to open; any further
    // ones are named in a message and left alone.
    void openFromCommandLine(const QStringList& arguments);

    // The File menu's actions; each returns true when it was done.
    bool newDesign();
    bool openDesign();  // asks for the file first
    bool openDesign(const QString& path);
    bool saveDesign();
    bool saveDesignAs();
    bool exportSheet();
    bool printSheet();

    // Before the window closes (Quit, or its frame): when the open design
    // has changed, asks Save, Discard or Cancel. Save saves the design;
    // Discard puts the design's inputs back into the inputs files (and an
    // open panel). False for Cancel or a failure: the window stays.
    bool mayClose();

    // The caption and its changed mark for the inputs as they stand now.
    void updateCaption();

    // The open design's file, absolute; empty with no design.
    const QString& path() const { return path_; }
    // A design is open and the working inputs differ from it.
    bool isModified() const;
    // The inputs as they stand now: the inputs files, with an open panel's
    // fields as its Close would save them.
    DesignFiles workingFiles() const;
    // The design sheet of the working inputs, under the design's name
    // ("Untitled design" with none; "changed since it was saved" after it
    // when the inputs differ from the design's file).
    DesignSheet sheet() const;

    Dialogs& dialogs() { return dialogs_; }

    // The notation the sheet reads number fields in. Plain until the
    // notation setting passes the designer's choice here.
    void setSheetNotation(Notation notation) { sheetNotation_ = notation; }

private:
    // Asks Save, Discard or Cancel when the open design has changed; true
    // to go on (saved, or the changes may go).
    bool askToSave();
    // Opens the design once the question is answered: reads and checks the
    // whole file first, and changes nothing when it is refused.
    bool openAsked(const QString& path);
    bool saveTo(const QString& path);
    // Writes the three inputs files, each atomically; when one fails, those
    // already written get their old bytes back, and the user is told why.
    // An open panel then reads its file again.
    bool replaceInputs(const DesignFiles& files);
    void setDesign(const QString& path, const DesignFiles& files);
    void fillRecentMenu();
    QString documentsFolder() const;

    QWidget& window_;
    QString gPath_;
    MessageSink& messages_;
    Panels panels_;
    Dialogs dialogs_;
    QString path_;
    DesignFiles design_;
    Notation sheetNotation_ = Notation::Plain;
    QMenu* recentMenu_ = nullptr;
};

}  // namespace korvane
