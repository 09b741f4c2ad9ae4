// Whole-process start-up of two window programs, side by side: each run
// starts one program, notes when its window first paints (the probe writes
// a byte to a pipe then) and when the process has ended, and its peak
// resident memory. The two programs take turns, A B A B ..., after warm-up
// runs, and the ratios are taken pair by pair, so that a machine whose
// speed drifts still compares them fairly.
//
//   korvane_startup_bench [--runs N] [--warmup N] [--mode shown|exercised] A B

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Run {
    double shownMs = 0, exitMs = 0, peakMiB = 0;
};

double Since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

bool RunOnce(const char* program, const char* mode, Run& out) {
    int fds[2];
    if (::pipe(fds) != 0) return false;
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        ::close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        ::setenv("KORVANE_PROBE_FD", fd.c_str(), 1);
        ::execl(program, program, mode, static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    ::close(fds[1]);
    pollfd p{fds[0], POLLIN, 0};
    char byte = 0;
    const bool shown = ::poll(&p, 1, 30000) == 1 && ::read(fds[0], &byte, 1) == 1;
    out.shownMs = Since(t0);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    out.exitMs = Since(t0);
    out.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    ::close(fds[0]);
    if (!shown) std::fprintf(stderr, "%s: no window was shown\n", program);
    return shown && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Row(const char* name, const std::vector<Run>& a, const std::vector<Run>& b,
         double Run::*field) {
    std::vector<double> va, vb, ratio;
    for (std::size_t i = 0; i < a.size(); ++i) {
        va.push_back(a[i].*field);
        vb.push_back(b[i].*field);
        ratio.push_back(a[i].*field / b[i].*field);
    }
    const auto [minA, maxA] = std::minmax_element(va.begin(), va.end());
    std::printf("%-22s %9.2f %9.2f %9.3f   (A %.2f..%.2f)\n", name, Median(va), Median(vb),
                Median(ratio), *minA, *maxA);
}

}  // namespace

int main(int argc, char* argv[]) {
    int runs = 21, warmup = 2;
    const char* mode = "shown";
    std::vector<const char*> programs;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--warmup") && i + 1 < argc) warmup = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--mode") && i + 1 < argc) mode = argv[++i];
        else programs.push_back(argv[i]);
    }
    if (programs.size() != 2 || runs < 1) {
        std::fprintf(stderr, "usage: %s [--runs N] [--warmup N] [--mode shown|exercised] A B\n",
                     argv[0]);
        return 2;
    }
    std::vector<Run> a, b;
    for (int i = 0; i < warmup + runs; ++i) {
        Run ra, rb;
        if (!RunOnce(programs[0], mode, ra) || !RunOnce(programs[1], mode, rb)) return 1;
        if (i < warmup) continue;
        a.push_back(ra);
        b.push_back(rb);
    }
    std::printf("mode %s, %d runs each after %d warm-up; A = %s, B = %s\n", mode, runs, warmup,
                programs[0], programs[1]);
    std::printf("%-22s %9s %9s %9s\n", "median", "A", "B", "A/B");
    Row("to first paint, ms", a, b, &Run::shownMs);
    Row("to exit, ms", a, b, &Run::exitMs);
    Row("peak memory, MiB", a, b, &Run::peakMiB);
    return 0;
}
