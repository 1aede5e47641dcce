// Times a window program from exec to its first window mapped on the X display, and its
// resident memory once that window is up; each command runs RUNS times after a warm-up, the
// two in turn (A B A B ...). Needs a window manager on the display (the frame it maps for the
// program's window is what the user sees).
//
//   map_time [-n RUNS] [-s SETTLE_MS] A [ARG ...] [--vs B [ARG ...]]

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Sample {
    double ms;
    long kb;
};

long residentKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmRSS:") {
            in >> value;
            return value;
        }
        in.ignore(1 << 12, '\n');
    }
    return 0;
}

Sample runOnce(Display* dpy, const std::vector<char*>& argv, int settleMs) {
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, True);
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    Sample s{-1, 0};
    const auto deadline = t0 + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!XPending(dpy)) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            if (waitpid(pid, nullptr, WNOHANG) == pid) break;
            continue;
        }
        XEvent ev;
        XNextEvent(dpy, &ev);
        if (ev.type == MapNotify && !ev.xmap.override_redirect) {
            s.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                       .count();
            break;
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    s.kb = residentKb(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XSelectInput(dpy, root, NoEventMask);
    XSync(dpy, True);
    if (s.ms < 0) {
        std::fprintf(stderr, "%s mapped no window\n", argv[0]);
        std::exit(1);
    }
    return s;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void report(const char* name, const std::vector<Sample>& s) {
    std::vector<double> ms, kb;
    for (const Sample& x : s) ms.push_back(x.ms), kb.push_back(static_cast<double>(x.kb));
    std::printf("%-44s exec->mapped ms median %7.2f  min %7.2f  max %7.2f   RSS kB %8.0f\n", name,
                median(ms), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), median(kb));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 11;
    int settleMs = 300;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-' && std::strcmp(argv[i], "--vs") != 0; i += 2) {
        if (std::strcmp(argv[i], "-n") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "-s") == 0) settleMs = std::max(0, std::atoi(argv[i + 1]));
    }
    std::vector<char*> a, b;
    for (; i < argc && std::strcmp(argv[i], "--vs") != 0; ++i) a.push_back(argv[i]);
    for (++i; i < argc; ++i) b.push_back(argv[i]);
    if (a.empty()) {
        std::fprintf(stderr, "usage: map_time [-n RUNS] [-s SETTLE_MS] A ... [--vs B ...]\n");
        return 2;
    }
    a.push_back(nullptr);
    if (!b.empty()) b.push_back(nullptr);
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    runOnce(dpy, a, settleMs);
    if (!b.empty()) runOnce(dpy, b, settleMs);
    std::vector<Sample> sa, sb;
    std::vector<double> ratios, memory;
    for (int r = 0; r < runs; ++r) {
        sa.push_back(runOnce(dpy, a, settleMs));
        if (b.empty()) continue;
        sb.push_back(runOnce(dpy, b, settleMs));
        ratios.push_back(sa.back().ms / sb.back().ms);
        memory.push_back(static_cast<double>(sa.back().kb) / static_cast<double>(sb.back().kb));
    }
    report(a[0], sa);
    if (!b.empty()) {
        report(b[0], sb);
        std::printf("ratio A/B (median of pairs): time %.2f, resident memory %.2f over %d runs\n",
                    median(ratios), median(memory), runs);
    }
    XCloseDisplay(dpy);
    return 0;
}
