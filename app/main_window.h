#pragma once
// Form1, "Amplifier Design": a menu bar (File, Settings, Tools, Help) over
// the client area, which holds the home state (introduction, the calculator
// selector, End) and the three calculator panels that cover it. A panel is
// built the first time its selector button is clicked, and kept. Tools >
// Triode Load Line... opens that window beside this one.

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

#include "io/engineering.h"
#include "ui/messages.h"

namespace korvane {

class DesignDocument;
class Panel;
class TriodeWindow;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // `gPath` is the directory of the inputs files with its separator.
    // `messages` stands in for the message boxes (the window's own modal
    // boxes when null). Start-up runs here: the window comes up in its home
    // state and the missing inputs files are written.
    explicit MainWindow(const QString& gPath, MessageSink* messages = nullptr);
    ~MainWindow() override;

    const QString& gPath() const { return gPath_; }
    // The client area below the menu bar, which the home controls and the
    // panels are laid out in.
    QWidget* client() const { return client_; }

    void Select1_Click(int index);
    // The panel that Select1(index) opens, or null while it is not built.
    Panel* builtPanel(int index) const;
    void EndP_Click();

    // Tools > Triode Load Line..., and "From Tube Model..." on the RC stage
    // panel: shows the window (built the first time, then kept) and raises
    // it. Not modal.
    void openTriodeWindow();
    // The window, or null while it is not built.
    TriodeWindow* triodeWindow() const { return triode_; }
    // The design open in the window, its File menu actions and caption.
    DesignDocument& design() const { return *design_; }
    // How every field is read: Settings > Engineering notation, off (Plain)
    // unless the user turned it on, remembered in the user's settings
    // (QSettings, INI format, organization and application "Korvane").
    Notation notation() const { return notation_; }
    void setNotation(Notation notation);

    // Help > Help on This Calculator (F1): the open panel's help page, or
    // with none open the overview of the three, in a window of its own.
    void showCalculatorHelp();

signals:
    void notationChanged(Notation notation);

protected:
    // Closing by the window's frame (or Quit): an open design that has
    // changed asks Save, Discard or Cancel first; then every open panel
    // saves its inputs as its Close button would. A panel whose file
    // cannot be written keeps the program open, so that nothing typed is
    // lost.
    void closeEvent(QCloseEvent* event) override;
    // The home controls and an open panel follow the client area's size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void buildMenus();
    void buildSettingsAndHelp();
    void placeClient();
    // While a panel covers the home controls they take no keyboard focus, so
    // that Tab never lands on a button nobody can see.
    void coverHome();
    void writeMissingDefaults();
    // "Use in RC Stage Gain": opens the RC stage panel as its selector
    // button would (closing another open panel first, as its Close button
    // would) and writes the tube's row into it.
    void useInRcStage(const QStringList& fields);
    void placeHome();
    QSize homeMinimum() const;
    Panel* panel(int index);
    double dpi() const;
    // The client width and height in whole twips.
    double clientWidthTwips() const;
    double clientHeightTwips() const;

    QString gPath_;
    std::unique_ptr<MessageSink> ownMessages_;
    MessageSink* messages_;
    DesignDocument* design_ = nullptr;
    bool ending_ = false;

    QWidget* client_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* engineeringNotation_ = nullptr;
    Notation notation_ = Notation::Plain;
    QDialog* helpWindow_ = nullptr;
    QPlainTextEdit* helpText_ = nullptr;

    QPushButton* endP_ = nullptr;
    std::array<QPushButton*, 3> select1_{};
    QLabel* text1_ = nullptr;
    std::array<QWidget*, 5> home_{};
    std::array<Qt::FocusPolicy, 5> homeFocus_{};
    // By selector index: Frame1 (RC stage), Frame3 (global feedback),
    // Frame2 (feedback network).
    std::array<Panel*, 3> panels_{};
    TriodeWindow* triode_ = nullptr;
};

}  // namespace korvane
