// roomwise-report on a million files beside du -sx, gdu and ncdu on the same
// tree: each command's wall time (best of three, warm cache) and peak
// memory, with the goals the command line is held to.
//
// Usage: report_bench [files]   (default 1,000,000; RW_BENCH_TREE keeps the
// tree between runs, as for grid_bench).
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/BenchSupport.h"

using rw::bench::Clock;

namespace
{

struct Measure {
    double seconds = 0;
    long long peakKb = 0;
};

// Runs `command` through the shell; its wall time and the peak resident
// memory of its largest process.
Measure run(const std::string& command)
{
    Measure m;
    const auto start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    ::wait4(child, &status, 0, &usage);
    m.seconds = rw::bench::secondsSince(start);
    // The figure of the child includes the children it waited for, so a
    // command the shell forks is still counted.
    m.peakKb = usage.ru_maxrss;
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1)
        std::fprintf(stderr, "  (exit %d) %s\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                     command.c_str());
    return m;
}

Measure best(const std::string& command)
{
    Measure b{1e9, 0};
    for (int i = 0; i < 3; ++i) {
        const Measure m = run(command);
        b.seconds = std::min(b.seconds, m.seconds);
        b.peakKb = std::max(b.peakKb, m.peakKb);
    }
    return b;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 1000000;
    bool temporary = false;
    const std::string root = rw::bench::sharedTree("report", wanted, &temporary);
    const std::string quoted = "'" + root + "'";
    const std::string report = std::string("'") + RW_REPORT_PROGRAM + "' ";

    run("du -sx " + quoted + " >/dev/null"); // warm the cache
    const Measure du = best("du -sx " + quoted + " >/dev/null");
    std::printf("%-34s %7.3f s  %7lld MB\n", "du -sx", du.seconds, du.peakKb >> 10);
    if (rw::bench::haveProgram("gdu")) {
        const Measure m = best("gdu -n -p -x " + quoted + " >/dev/null");
        std::printf("%-34s %7.3f s  %7lld MB  = %.2f x du\n", "gdu -n", m.seconds, m.peakKb >> 10,
                    m.seconds / du.seconds);
    }
    if (rw::bench::haveProgram("ncdu")) {
        const Measure m = best("ncdu -x -0 -o /dev/null " + quoted);
        std::printf("%-34s %7.3f s  %7lld MB  = %.2f x du\n", "ncdu -o /dev/null", m.seconds,
                    m.peakKb >> 10, m.seconds / du.seconds);
    }

    struct Case {
        const char* what;
        std::string args;
        double goal;      // times du; 0: none
        long long mbGoal; // peak; 0: none
    };
    const Case cases[] = {
        {"roomwise-report hogs (tsv)", "hogs --quiet " + quoted, 1.2, 0},
        {"roomwise-report hogs --format json", "hogs --quiet --format json " + quoted, 1.3, 300},
        {"roomwise-report dirhogs --all", "dirhogs --all --quiet " + quoted, 1.1, 0},
        {"roomwise-report stats", "stats --quiet " + quoted, 1.3, 0},
        {"roomwise-report dups --by size", "dups --by size --quiet " + quoted, 0, 0},
    };
    for (const Case& c : cases) {
        const Measure m = best(report + c.args + " >/dev/null");
        std::printf("%-34s %7.3f s  %7lld MB  = %.2f x du", c.what, m.seconds, m.peakKb >> 10,
                    m.seconds / du.seconds);
        if (c.goal > 0)
            std::printf(" (goal <= %.1f%s)", c.goal,
                        c.mbGoal > 0 ? (", < " + std::to_string(c.mbGoal) + " MB").c_str() : "");
        std::printf("\n");
    }
    if (temporary)
        std::system(("rm -rf " + quoted).c_str());
    return 0;
}
