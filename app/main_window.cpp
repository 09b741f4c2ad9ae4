#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <algorithm>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>

#include "app/about.h"
#include "app/design_document.h"
#include "app/desktop.h"
#include "app/home.h"
#include "app/home_layout.h"
#include "feedback/feedback_panel.h"
#include "network/network_panel.h"
#include "rcstage/rc_panel.h"
#include "tube/triode_window.h"
#include "ui/files.h"
#include "ui/panel.h"
#include "ui/widgets.h"

namespace korvane {

MainWindow::MainWindow(const QString& gPath, MessageSink* messages)
    : QMainWindow(nullptr), gPath_(gPath) {
    if (!messages) {
        ownMessages_ = std::make_unique<BoxMessages>(this);
        messages = ownMessages_.get();
    }
    messages_ = messages;
    design_ = new DesignDocument(*this, gPath_, *messages_, [this] { return panels_; });

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Amplifier Design"));
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client_);
    client_->installEventFilter(this);
    buildMenus();

    endP_ = new QPushButton(QStringLiteral("&End"), client_);
    endP_->setObjectName(QStringLiteral("EndP"));
    const std::array<const char*, 3> captions = {"&RC Stage Gain", "&Global Feedback",
                                                 "Feedback &Network"};
    for (std::size_t i = 0; i < 3; ++i) {
        select1_[i] = new QPushButton(QLatin1String(captions[i]), client_);
        select1_[i]->setObjectName(QStringLiteral("Select1(%1)").arg(i));
        const int index = static_cast<int>(i);
        connect(select1_[i], &QPushButton::clicked, this, [this, index] { Select1_Click(index); });
    }
    // The introduction: a framed box of wrapped text on the button face, to
    // read. Its text comes with Form_Load.
    text1_ = new QLabel(client_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setFont(FixedFont());
    text1_->setTextFormat(Qt::PlainText);
    text1_->setWordWrap(true);
    text1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text1_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    text1_->setMargin(3);
    text1_->setAutoFillBackground(true);
    text1_->setBackgroundRole(QPalette::Button);

    home_ = {endP_, select1_[0], select1_[1], select1_[2], text1_};
    for (std::size_t i = 0; i < home_.size(); ++i) homeFocus_[i] = home_[i]->focusPolicy();

    setTabOrder(endP_, select1_[0]);
    setTabOrder(select1_[0], select1_[2]);
    setTabOrder(select1_[2], select1_[1]);
    setTabOrder(select1_[1], text1_);

    connect(endP_, &QPushButton::clicked, this, &MainWindow::EndP_Click);
    // Smaller than this, some caption of the home state could no longer be
    // read; each panel adds its own needs when it is built.
    client_->setMinimumSize(homeMinimum());

    Form_Load();
}

MainWindow::~MainWindow() = default;

double MainWindow::dpi() const { return screen()->logicalDotsPerInch(); }

double MainWindow::clientWidthTwips() const {
    return WholeTwips(PixelsToTwips(client_->width(), dpi()));
}

double MainWindow::clientHeightTwips() const {
    return WholeTwips(PixelsToTwips(client_->height(), dpi()));
}

void MainWindow::buildMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->setObjectName(QStringLiteral("FileMenu"));
    settingsMenu_ = menuBar()->addMenu(QStringLiteral("&Settings"));
    settingsMenu_->setObjectName(QStringLiteral("SettingsMenu"));
    toolsMenu_ = menuBar()->addMenu(QStringLiteral("&Tools"));
    toolsMenu_->setObjectName(QStringLiteral("ToolsMenu"));
    helpMenu_ = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu_->setObjectName(QStringLiteral("HelpMenu"));

    QAction* quit = fileMenu_->addAction(QStringLiteral("&Quit"));
    quit->setObjectName(QStringLiteral("ActionQuit"));
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QAction* loadLine = toolsMenu_->addAction(QStringLiteral("Triode &Load Line..."));
    loadLine->setObjectName(QStringLiteral("ActionTriodeLoadLine"));
    connect(loadLine, &QAction::triggered, this, &MainWindow::openTriodeWindow);
    design_->addActions(fileMenu_, quit);

    buildSettingsAndHelp();

    QAction* about = helpMenu_->addAction(QStringLiteral("&About Korvane"));
    about->setObjectName(QStringLiteral("ActionAbout"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [this] { ShowAbout(this); });
}

namespace {

const QString kEngineeringNotationKey = QStringLiteral("EngineeringNotation");

}  // namespace

void MainWindow::buildSettingsAndHelp() {
    notation_ = UserSettings().value(kEngineeringNotationKey, false).toBool()
                    ? Notation::Engineering
                    : Notation::Plain;
    design_->setSheetNotation(notation_);
    engineeringNotation_ = settingsMenu_->addAction(QStringLiteral("&Engineering notation"));
    engineeringNotation_->setObjectName(QStringLiteral("ActionEngineeringNotation"));
    engineeringNotation_->setCheckable(true);
    engineeringNotation_->setChecked(notation_ == Notation::Engineering);
    engineeringNotation_->setToolTip(QStringLiteral(
        "Read values with SI prefixes and RKM codes: 100k, 2k2, 4M7, 4R7, 470n"));
    connect(engineeringNotation_, &QAction::toggled, this, [this](bool on) {
        setNotation(on ? Notation::Engineering : Notation::Plain);
    });

    QAction* help = helpMenu_->addAction(QStringLiteral("&Help on This Calculator"));
    help->setObjectName(QStringLiteral("ActionCalculatorHelp"));
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &MainWindow::showCalculatorHelp);
}

void MainWindow::setNotation(Notation notation) {
    if (notation == notation_) return;
    notation_ = notation;
    engineeringNotation_->setChecked(notation == Notation::Engineering);
    UserSettings().setValue(kEngineeringNotationKey, notation == Notation::Engineering);
    for (Panel* panel : panels_) {
        if (panel) panel->setNotation(notation);
    }
    design_->setSheetNotation(notation);
    emit notationChanged(notation);
}

void MainWindow::showCalculatorHelp() {
    if (!helpWindow_) {
        helpWindow_ = new QDialog(this);
        helpWindow_->setObjectName(QStringLiteral("CalculatorHelp"));
        helpText_ = new QPlainTextEdit(helpWindow_);
        helpText_->setObjectName(QStringLiteral("CalculatorHelpText"));
        helpText_->setReadOnly(true);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, helpWindow_);
        connect(buttons, &QDialogButtonBox::rejected, helpWindow_, &QDialog::hide);
        auto* layout = new QVBoxLayout(helpWindow_);
        layout->addWidget(helpText_);
        layout->addWidget(buttons);
        helpWindow_->resize(640, 520);
    }
    const auto open = std::find_if(panels_.begin(), panels_.end(),
                                   [](const Panel* p) { return p && p->isVisible(); });
    const QString text =
        open != panels_.end() ? (*open)->helpText() : LineBreaks(FromCore(HomeHelpText()));
    helpWindow_->setWindowTitle(QStringLiteral("Help on This Calculator: ") +
                                text.section(QLatin1Char('\n'), 0, 0));
    helpText_->setPlainText(text);
    helpText_->setAccessibleName(helpWindow_->windowTitle());
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void MainWindow::Form_Load() {
    // The panels are not built yet, so there is none to hide. The window
    // is placed and filled before it is shown, so that it comes up once,
    // at its place, and is painted once; made first, so that it knows its
    // frame where the platform tells it that early.
    create();
    // The room a maximised window's client area would have.
    const QRect room = screen()->availableGeometry();
    const double wmax = WholeTwips(PixelsToTwips(room.width(), dpi()));
    const double hmax = WholeTwips(PixelsToTwips(room.height(), dpi()));
    TwipsRect outer = MainWindowRect(wmax, hmax);
    outer.left += PixelsToTwips(room.x(), dpi());
    outer.top += PixelsToTwips(room.y(), dpi());
    // The outer rectangle includes the window's frame, where there is one.
    // The menu bar stands above the client area and adds its height, so
    // that the client area keeps the size the rectangle gives it; the
    // window stays centred.
    PixelRect px = ToPixels(outer, dpi());
    const int bar = menuBar()->sizeHint().height();
    px.height += bar;
    px.y -= bar / 2;
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    setGeometry(px.x + frame.left(), px.y + frame.top(),
                px.width - frame.left() - frame.right(),
                px.height - frame.top() - frame.bottom());

    text1_->setText(LineBreaks(FromCore(IntroText())));
    // The client area has its size once the window lays out its menu bar,
    // which showing does: its resize places the home controls, before the
    // window is first painted.
    show();

    writeMissingDefaults();
    design_->restoreLast();
}

void MainWindow::placeHome() {
    const HomeLayout home = HomeLayoutFor(clientWidthTwips(), clientHeightTwips());
    Place(endP_, home.endP, dpi());
    for (std::size_t i = 0; i < 3; ++i) Place(select1_[i], home.select1[i], dpi());
    Place(text1_, home.text1, dpi());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) placeClient();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::placeClient() {
    // The home controls and every open panel take the same fractions of
    // the new client area as at the opening.
    placeHome();
    const double sw = clientWidthTwips();
    const double sh = clientHeightTwips();
    for (Panel* panel : panels_) {
        if (!panel || !panel->isVisible()) continue;
        Place(panel, TwipsRect{0, 0, sw, sh}, dpi());
        panel->place(sw, sh, dpi());
    }
}

QSize MainWindow::homeMinimum() const {
    // The home layout rounds its sizes to whole twips, so its fractions are
    // taken from a large client area.
    constexpr double kLarge = 1e6;
    HomeLayout unit = HomeLayoutFor(kLarge, kLarge);
    for (TwipsRect* r : {&unit.endP, &unit.select1[0], &unit.select1[1], &unit.select1[2],
                         &unit.text1}) {
        *r = TwipsRect{r->left / kLarge, r->top / kLarge, r->width / kLarge, r->height / kLarge};
    }
    ClientFloor floor;
    for (std::size_t i = 0; i < 3; ++i) {
        floor.fitCaption(unit.select1[i], QApplication::font(), select1_[i]->text(),
                         ButtonMargins());
    }
    floor.fitCaption(unit.endP, QApplication::font(), endP_->text(), ButtonMargins());
    // The introduction, wrapped at the width the buttons need, fits its box.
    // Its font is fixed-pitch, so its lines are counted by characters, with
    // a line more for each paragraph where words wrap early.
    const QFontMetrics fm = text1_->fontMetrics();
    const int margins = 2 * (text1_->frameWidth() + text1_->margin()) + 2;
    const int wrapAt = static_cast<int>(floor.size().width() * unit.text1.width) - margins;
    const int perLine = std::max(1, wrapAt / std::max(1, fm.horizontalAdvance(QLatin1Char('0'))));
    int lines = 0;
    for (const QString& paragraph : LineBreaks(FromCore(IntroText())).split(QLatin1Char('\n'))) {
        lines += paragraph.isEmpty() ? 1 : static_cast<int>(paragraph.size()) / perLine + 2;
    }
    floor.fit(unit.text1, 0, lines * fm.lineSpacing() + margins);
    return floor.size();
}

void MainWindow::writeMissingDefaults() {
    // A save killed before its rename leaves its new file behind; the old
    // file is whole, so the leftover is only clutter.
    QStringList names;
    for (const auto& file : DefaultFiles()) names << FromCore(file.first);
    RemoveLeftoverSaves(gPath_, names);

    for (const auto& [name, content] : DefaultFiles()) {
        const QString fileName = FromCore(name);
        if (FileExists(gPath_, fileName)) continue;
        const QString path = gPath_ + fileName;
        if (const auto reason = SaveFileBytes(path, content)) {
            messages_->showMessage(SaveFailureText(path, *reason));
        }
    }
}

void MainWindow::Select1_Click(int index) {
    const double sh = clientHeightTwips();
    const double sw = clientWidthTwips();
    Panel* panel = this->panel(index);
    panel->show();
    Place(panel, TwipsRect{0, 0, sw, sh}, dpi());
    panel->raise();
    coverHome();
    panel->layoutAndLabel(sw, sh, dpi());
    if (!panel->readStep()) {
        messages_->showMessage(QLatin1String(kReadFailureText));
        return;
    }
    panel->firstField()->setFocus(Qt::OtherFocusReason);
}

Panel* MainWindow::builtPanel(int index) const {
    return panels_.at(static_cast<std::size_t>(index));
}

Panel* MainWindow::panel(int index) {
    Panel*& panel = panels_.at(static_cast<std::size_t>(index));
    if (!panel) {
        if (index == 0) panel = new RcPanel(gPath_, *messages_, client_);
        else if (index == 1) panel = new FeedbackPanel(gPath_, *messages_, client_);
        else panel = new NetworkPanel(gPath_, *messages_, client_);
        connect(panel, &Panel::closed, this, &MainWindow::coverHome);
        if (index == 0) {
            connect(static_cast<RcPanel*>(panel), &RcPanel::fromTubeModelRequested, this,
                    &MainWindow::openTriodeWindow);
        }
        connect(panel, &Panel::edited, design_, &DesignDocument::updateCaption);
        panel->setNotation(notation_);
        const QSize needs = index == 0   ? RcPanel::MinimumClientSize()
                            : index == 1 ? FeedbackPanel::MinimumClientSize()
                                         : NetworkPanel::MinimumClientSize();
        client_->setMinimumSize(client_->minimumSize().expandedTo(needs));
    }
    return panel;
}

void MainWindow::coverHome() {
    const bool covered = std::any_of(panels_.begin(), panels_.end(),
                                     [](const Panel* p) { return p && p->isVisible(); });
    for (std::size_t i = 0; i < home_.size(); ++i) {
        home_[i]->setFocusPolicy(covered ? Qt::NoFocus : homeFocus_[i]);
        // The selector button just clicked gives up the focus it took.
        if (covered && home_[i]->hasFocus()) home_[i]->clearFocus();
        // Hidden under the panel, so that their mnemonics are the panel's
        // no longer.
        home_[i]->setVisible(!covered);
    }
}

void MainWindow::openTriodeWindow() {
    if (!triode_) {
        triode_ = new TriodeWindow(TriodeWindow::DefaultMyTubesPath(), *messages_, this);
        connect(triode_, &TriodeWindow::useInRcStage, this, &MainWindow::useInRcStage);
        connect(this, &MainWindow::notationChanged, triode_, &TriodeWindow::setNotation);
    }
    triode_->setNotation(notation_);
    triode_->show();
    triode_->raise();
    triode_->activateWindow();
}

void MainWindow::useInRcStage(const QStringList& fields) {
    Panel* rc = builtPanel(0);
    if (!rc || !rc->isVisible()) {
        for (Panel* other : panels_) {
            if (other && other->isVisible() && !other->closeAndSave()) return;
        }
        Select1_Click(0);
        rc = builtPanel(0);
    }
    static_cast<RcPanel*>(rc)->setTubeRow(fields);
    raise();
    activateWindow();
}

void MainWindow::EndP_Click() {
    ending_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ending_) {
        if (!design_->mayClose()) {
            event->ignore();
            return;
        }
        for (Panel* panel : panels_) {
            // A panel that cannot save says why; the user may still end
            // the program, knowing its inputs are lost.
            if (panel && panel->isVisible() && !panel->closeAndSave() &&
                !messages_->askYesNo(QLatin1String(kEndWithoutSavingText))) {
                event->ignore();
                return;
            }
        }
    }
    // The load line window goes with the main window.
    if (triode_) triode_->close();
    event->accept();
}

}  // namespace korvane
