// Pictures of the marks under other looks than the platform's: the Fusion
// style with a dark palette, and an application style sheet. Each look
// shows the Global Feedback panel with a field read as less than was typed
// and its results out of date, and the Feedback Network panel with its list
// sorted by the error, the row with the smallest error framed, and the list
// out of date. The window is driven through its own controls, in a
// temporary program directory and settings folder.
//
// Usage: korvane_theme_shots OUTPUT_DIR [plain|dark|style_sheet ...]
// Writes OUTPUT_DIR/<look>_feedback.png and <look>_network.png.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>

#include "app/main_window.h"
#include "network/network_panel.h"
#include "ui/messages.h"

using namespace korvane;

namespace {

struct Silent final : MessageSink {
    void showMessage(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
    SaveAnswer askSaveDiscardCancel(const QString&) override { return SaveAnswer::Cancel; }
};

QPalette DarkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(225, 225, 225));
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(55, 55, 58));
    p.setColor(QPalette::ButtonText, QColor(225, 225, 225));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 60));
    p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    return p;
}

// A few rules of the kind a user's theme sets: every box's colours and
// frame, the buttons, the list.
const char* const kStyleSheet =
    "QLineEdit { background: #fdf6e3; color: #073642; border: 1px solid #93a1a1;"
    " border-radius: 3px; padding: 1px 3px; }"
    "QPushButton { background: #eee8d5; color: #073642; border: 1px solid #93a1a1;"
    " border-radius: 4px; padding: 3px; }"
    "QListView { background: #fdf6e3; color: #073642; border: 1px solid #93a1a1; }"
    "QLabel { color: #586e75; }";

void Click(QWidget* window, const char* name) {
    if (auto* button = window->findChild<QAbstractButton*>(QLatin1String(name))) {
        button->click();
        QApplication::processEvents();
    }
}

void Type(QWidget* window, const char* field, const char* text) {
    auto* box = window->findChild<QLineEdit*>(QLatin1String(field));
    box->setText(QLatin1String(text));
    QApplication::processEvents();
}

bool Save(QWidget* window, const QString& path) {
    QApplication::processEvents();
    const bool ok = window->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: korvane_theme_shots OUTPUT_DIR [plain|dark|style_sheet ...]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QStringList looks;
    for (int i = 2; i < argc; ++i) looks << QString::fromLocal8Bit(argv[i]);
    if (looks.isEmpty()) looks = {"dark", "style_sheet"};

    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    const QPalette platform = QApplication::palette();
    QStyle* const platformStyle = QApplication::style();
    bool ok = true;
    for (const QString& look : looks) {
        if (look == "dark") {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(DarkPalette());
        } else if (look == "style_sheet") {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(platform);
            app.setStyleSheet(QLatin1String(kStyleSheet));
        } else {
            QApplication::setStyle(platformStyle->name());
            QApplication::setPalette(platform);
        }
        QTemporaryDir programDir;
        Silent messages;
        MainWindow window(programDir.path() + QLatin1Char('/'), &messages);

        // Global Feedback: calculated, then the drive typed with its unit
        // ("Read as 30") and so its results out of date.
        window.Select1_Click(1);
        Click(&window, "Calculate3");
        Type(&window, "Text7(3)", "30 V");
        ok = Save(&window, out.filePath(look + "_feedback.png")) && ok;
        Click(&window, "Close3");

        // Feedback Network: the factor saved above, listed, sorted by the
        // error; then the maximum total resistance edited.
        window.Select1_Click(2);
        Click(&window, "CmdCalc");
        if (auto* panel = window.findChild<NetworkPanel*>()) {
            panel->sortList(NetworkColumn::Error);
        }
        Type(&window, "TxtRtMax", "1500");
        ok = Save(&window, out.filePath(look + "_network.png")) && ok;
        Click(&window, "Close2");
        app.setStyleSheet(QString());
    }
    return ok ? 0 : 1;
}
