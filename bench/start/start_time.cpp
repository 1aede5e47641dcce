// Times whole processes: each command runs RUNS times after a warm-up, the two commands in
// turn (A B A B ...), standard input from a file, output thrown away. Prints the median, the
// least and the most wall-clock milliseconds and peak resident kilobytes of each, and the
// median of the pairwise ratios A/B. B reads INPUT_B when given (the same work written in its
// own language).
//
//   start_time [-n RUNS] [-i INPUT] [-j INPUT_B] A [ARG ...] [--vs B [ARG ...]]

#include <fcntl.h>
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

struct Sample {
    double ms;
    long kb;
};

Sample runOnce(const std::vector<char*>& argv, const char* input) {
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open(input, O_RDONLY);
        const int out = open("/dev/null", O_WRONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto t1 = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127) {
        std::fprintf(stderr, "%s did not run\n", argv[0]);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(t1 - t0).count(), usage.ru_maxrss};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void report(const char* name, const std::vector<Sample>& s) {
    std::vector<double> ms, kb;
    for (const Sample& x : s) ms.push_back(x.ms), kb.push_back(static_cast<double>(x.kb));
    std::printf("%-40s wall ms median %7.2f  min %7.2f  max %7.2f   peak RSS kB %8.0f\n", name,
                median(ms), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), median(kb));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 21;
    const char* input = "/dev/null";
    const char* inputB = nullptr;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-' && std::strcmp(argv[i], "--vs") != 0; i += 2) {
        if (std::strcmp(argv[i], "-n") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "-i") == 0) input = argv[i + 1];
        if (std::strcmp(argv[i], "-j") == 0) inputB = argv[i + 1];
    }
    if (!inputB) inputB = input;
    std::vector<char*> a, b;
    for (; i < argc && std::strcmp(argv[i], "--vs") != 0; ++i) a.push_back(argv[i]);
    for (++i; i < argc; ++i) b.push_back(argv[i]);
    if (a.empty()) {
        std::fprintf(stderr,
                     "usage: start_time [-n RUNS] [-i INPUT] [-j INPUT_B] A ... [--vs B ...]\n");
        return 2;
    }
    a.push_back(nullptr);
    if (!b.empty()) b.push_back(nullptr);

    runOnce(a, input);
    if (!b.empty()) runOnce(b, inputB);
    std::vector<Sample> sa, sb;
    std::vector<double> ratios;
    for (int r = 0; r < runs; ++r) {
        sa.push_back(runOnce(a, input));
        if (b.empty()) continue;
        sb.push_back(runOnce(b, inputB));
        ratios.push_back(sa.back().ms / sb.back().ms);
    }
    report(a[0], sa);
    if (!b.empty()) {
        report(b[0], sb);
        std::printf("ratio A/B (median of pairs) %.2f over %d runs\n", median(ratios), runs);
    }
    return 0;
}
