// The Triode Load Line window's speed as a designer typing meets it: one
// input changes (the cathode resistor steps through 40 values, as if typed
// or stepped), the window solves the stage, rebuilds every curve of the
// chart and the chart view is painted again. Each change is timed from the
// new text to the end of the paint, with the events it posted handled, and
// the median, the 95th percentile and the worst are printed. The window is
// 1120 x 760 pixels, on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise.
//
// Usage: korvane_bench_load_line [changes]   (default 2000)
// Measure in a Release build. Not a test: nothing here fails.

#include <QApplication>
#include <QChartView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tube/triode_window.h"
#include "ui/messages.h"

namespace {

struct NoMessages final : korvane::MessageSink {
    void showMessage(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
};

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s %6zu changes  median %7.3f ms  p95 %7.3f ms  worst %7.3f ms\n", what,
                ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int changes = argc > 1 ? std::max(40, std::atoi(argv[1])) : 2000;

    QTemporaryDir data;
    NoMessages messages;
    korvane::TriodeWindow window(data.path() + QStringLiteral("/my_tubes.csv"), messages);
    window.resize(1120, 760);
    window.show();
    QApplication::processEvents();
    QLineEdit* rk = window.findChild<QLineEdit*>(QStringLiteral("LoadLineInput(2)"));
    QChartView* view = window.chartView();
    if (!rk || !view) return 1;
    std::printf("Triode Load Line, %s, chart view %dx%d, 12AX7A (RCA fit), B+ 250 V, Rb 100k, "
                "Rcf 470k\n",
                qPrintable(QApplication::platformName()), view->width(), view->height());

    // A warm-up round, untimed.
    for (int i = 0; i < 40; ++i) {
        rk->setText(QString::number(1000 + 50 * i));
        QApplication::processEvents();
        view->repaint();
    }

    std::vector<double> recompute, whole;
    recompute.reserve(static_cast<std::size_t>(changes));
    whole.reserve(static_cast<std::size_t>(changes));
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < changes; ++i) {
        const auto start = Clock::now();
        rk->setText(QString::number(1000 + 50 * (i % 40)));  // solves and rebuilds the series
        const auto solved = Clock::now();
        QApplication::processEvents();
        view->repaint();
        const auto painted = Clock::now();
        recompute.push_back(std::chrono::duration<double, std::milli>(solved - start).count());
        whole.push_back(std::chrono::duration<double, std::milli>(painted - start).count());
    }
    Report("changed input -> point, curves, series", recompute);
    Report("changed input -> ... and the chart painted", whole);
    return 0;
}
