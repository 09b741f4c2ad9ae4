#include "probe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace korvane::bench {
namespace {

// Waits for the first paint of the window, then reports once.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(std::function<void()> then) : then_(std::move(then)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // After the paint in hand is done.
            QTimer::singleShot(0, this, then_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> then_;
    bool seen_ = false;
};

void Report() {
    const char* fd = std::getenv("KORVANE_PROBE_FD");
    if (!fd) return;
    const char byte = 'S';
    if (::write(std::atoi(fd), &byte, 1) != 1) std::_Exit(3);
}

}  // namespace

int RunProbe(int argc, char* argv[], const std::function<void()>& configure,
             const std::function<QWidget*()>& make, const std::function<void(QWidget*)>& exercise) {
    const bool exercised = argc > 1 && std::strcmp(argv[1], "exercised") == 0;
    QApplication app(argc, argv);
    configure();
    std::unique_ptr<QWidget> window;
    FirstPaint watcher([&] {
        Report();
        if (exercised) exercise(window.get());
        QApplication::quit();
    });
    app.installEventFilter(&watcher);
    window.reset(make());
    window->show();
    return app.exec();
}

}  // namespace korvane::bench
