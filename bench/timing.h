#pragma once
// Small timing helpers shared by the benchmark programs.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

namespace pondaro::bench {

// Wall-clock seconds a piece of work takes.
template <class F>
double secondsOf(F&& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Processor time of this thread: unlike the wall clock it does not count the moments
// other programs on a busy machine hold the processor.
template <class F>
double cpuSecondsOf(F&& work) {
    double start = threadSeconds();
    work();
    return threadSeconds() - start;
}

// The time of day, for naming a working folder as the studio does.
inline std::tm timeOfDayNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

inline double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median processor time of one call, each of `samples` samples timing `batch` calls.
inline double medianCpuSecondsPerCall(int samples, int batch, const std::function<void()>& work) {
    std::vector<double> times;
    for (int s = 0; s < samples; ++s)
        times.push_back(cpuSecondsOf([&] {
            for (int i = 0; i < batch; ++i) work();
        }) / batch);
    return median(times);
}

// Takes --project_scale=N out of the arguments (default 1: the full-size project).
inline int takeScaleFlag(int& argc, char** argv) {
    int scale = 1;
    const char* flag = "--project_scale=";
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) scale = std::max(1, std::atoi(argv[i] + std::strlen(flag)));
        else argv[kept++] = argv[i];
    }
    argc = kept;
    return scale;
}

} // namespace pondaro::bench
