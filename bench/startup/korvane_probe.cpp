// Korvane as its main() starts it, as a start-up probe. "exercised" opens
// every panel, presses its Calculate and closes it.

#include <QApplication>
#include <QPushButton>

#include "app/desktop.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "probe.h"
#include "ui/messages.h"

namespace {

// The boxes a calculation may show are answered at once.
struct Silent final : korvane::MessageSink {
    void showMessage(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
    korvane::SaveAnswer askSaveDiscardCancel(const QString&) override {
        return korvane::SaveAnswer::Cancel;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    Silent silent;
    return korvane::bench::RunProbe(
        argc, argv,
        [] {
            korvane::IdentifyApplication();
            korvane::KeepNoPixmapCache();
        },
        [&] { return new korvane::MainWindow(korvane::StartupPath(), &silent); },
        [](QWidget* window) {
            auto* main = static_cast<korvane::MainWindow*>(window);
            const char* calculate[] = {"Calculate1", "Calculate3", "CmdCalc"};
            const char* close[] = {"Close1", "Close3", "Close2"};
            for (int i = 0; i < 3; ++i) {
                main->Select1_Click(i);
                main->findChild<QPushButton*>(QLatin1String(calculate[i]))->click();
                QApplication::processEvents();
                main->findChild<QPushButton*>(QLatin1String(close[i]))->click();
            }
        });
}
