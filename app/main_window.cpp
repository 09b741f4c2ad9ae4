#include "app/main_window.h"

#include <QCloseEvent>
#include <QScreen>

#include "app/files.h"
#include "app/geometry.h"
#include "app/home.h"
#include "app/panel.h"
#include "app/widgets.h"
#include "feedback/feedback_panel.h"
#include "network/network_panel.h"
#include "rcstage/rc_panel.h"

namespace korvane {

MainWindow::MainWindow(const QString& gPath, MessageSink* messages)
    : QWidget(nullptr), gPath_(gPath) {
    if (!messages) {
        ownMessages_ = std::make_unique<BoxMessages>(this);
        messages = ownMessages_.get();
    }
    messages_ = messages;

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Amplifier Design"));

    endP_ = new QPushButton(QStringLiteral("End"), this);
    endP_->setObjectName(QStringLiteral("EndP"));
    const std::array<const char*, 3> captions = {"RC Stage Gain", "Global Feedback",
                                                 "Feedback Network"};
    for (std::size_t i = 0; i < 3; ++i) {
        select1_[i] = new QPushButton(QLatin1String(captions[i]), this);
        select1_[i]->setObjectName(QStringLiteral("Select1(%1)").arg(i));
        const int index = static_cast<int>(i);
        connect(select1_[i], &QPushButton::clicked, this, [this, index] { Select1_Click(index); });
    }
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text1_->setFont(FixedFont());
    text1_->setPlainText(QStringLiteral("Text1"));
    QPalette face = text1_->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    text1_->setPalette(face);
    text1_->setAccessibleName(QStringLiteral("Introduction"));

    frame1_ = new RcPanel(gPath_, *messages_, this);
    frame2_ = new NetworkPanel(gPath_, *messages_, this);
    frame3_ = new FeedbackPanel(gPath_, *messages_, this);
    home_ = {endP_, select1_[0], select1_[1], select1_[2], text1_};
    for (std::size_t i = 0; i < home_.size(); ++i) homeFocus_[i] = home_[i]->focusPolicy();
    for (Panel* panel : {static_cast<Panel*>(frame1_), static_cast<Panel*>(frame2_),
                         static_cast<Panel*>(frame3_)}) {
        connect(panel, &Panel::closed, this, &MainWindow::coverHome);
    }

    setTabOrder(endP_, select1_[0]);
    setTabOrder(select1_[0], select1_[2]);
    setTabOrder(select1_[2], select1_[1]);
    setTabOrder(select1_[1], text1_);

    connect(endP_, &QPushButton::clicked, this, &MainWindow::EndP_Click);

    Form_Load();
}

MainWindow::~MainWindow() = default;

double MainWindow::dpi() const { return screen()->logicalDotsPerInch(); }

double MainWindow::clientWidthTwips() const { return WholeTwips(PixelsToTwips(width(), dpi())); }

double MainWindow::clientHeightTwips() const {
    return WholeTwips(PixelsToTwips(height(), dpi()));
}

void MainWindow::Form_Load() {
    show();
    frame1_->hide();
    frame2_->hide();
    frame3_->hide();

    // The room a maximised window's client area would have.
    const QRect room = screen()->availableGeometry();
    const double wmax = WholeTwips(PixelsToTwips(room.width(), dpi()));
    const double hmax = WholeTwips(PixelsToTwips(room.height(), dpi()));
    TwipsRect outer = MainWindowRect(wmax, hmax);
    outer.left += PixelsToTwips(room.x(), dpi());
    outer.top += PixelsToTwips(room.y(), dpi());
    // The outer rectangle includes the window's frame, where there is one.
    const PixelRect px = ToPixels(outer, dpi());
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    setGeometry(px.x + frame.left(), px.y + frame.top(),
                px.width - frame.left() - frame.right(),
                px.height - frame.top() - frame.bottom());

    const double w = clientWidthTwips();
    const double h = clientHeightTwips();
    const HomeLayout home = HomeLayoutFor(w, h);
    Place(endP_, home.endP, dpi());
    for (std::size_t i = 0; i < 3; ++i) Place(select1_[i], home.select1[i], dpi());
    Place(text1_, home.text1, dpi());
    text1_->setPlainText(LineBreaks(FromCore(IntroText())));

    writeMissingDefaults();
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
    Panel* panel = index == 0 ? static_cast<Panel*>(frame1_)
                 : index == 1 ? static_cast<Panel*>(frame3_)
                              : static_cast<Panel*>(frame2_);
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

void MainWindow::coverHome() {
    const bool covered = frame1_->isVisible() || frame2_->isVisible() || frame3_->isVisible();
    for (std::size_t i = 0; i < home_.size(); ++i) {
        home_[i]->setFocusPolicy(covered ? Qt::NoFocus : homeFocus_[i]);
        // The selector button just clicked gives up the focus it took.
        if (covered && home_[i]->hasFocus()) home_[i]->clearFocus();
    }
}

void MainWindow::EndP_Click() {
    ending_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ending_) {
        for (Panel* panel : {static_cast<Panel*>(frame1_), static_cast<Panel*>(frame3_),
                             static_cast<Panel*>(frame2_)}) {
            // A panel that cannot save says why; the user may still end
            // the program, knowing its inputs are lost.
            if (panel->isVisible() && !panel->closeAndSave() &&
                !messages_->askYesNo(QLatin1String(kEndWithoutSavingText))) {
                event->ignore();
                return;
            }
        }
    }
    event->accept();
}

}  // namespace korvane
