// Times the folder hog scan in both modes against `du -x` (which, like the
// all-folder mode, totals every folder) and `ncdu -o /dev/null -x` on the
// same synthetic tree, warm cache. Prints the times and the ratios; the goal
// is an all-folder scan no slower than 1.3 times `du -x`.

#include "framework/core/FolderWalker.h"
#include "tools/dirhog/core/DirHogScan.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

using Clock = std::chrono::steady_clock;

constexpr int kTopFolders = 100;
constexpr int kSubFolders = 100; // per top folder: 10,100 folders in all
constexpr int kFilesPerFolder = 20;

// Sparse files of sizes over several orders of magnitude (1 byte .. 100 MB).
std::int64_t sizeFor(unsigned n)
{
    static const std::int64_t scales[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    return scales[n % 8] * std::int64_t(1 + (n / 8) % 10);
}

long long buildTree(const std::string& root)
{
    long long files = 0;
    unsigned n = 0;
    ::mkdir(root.c_str(), 0755);
    for (int t = 0; t < kTopFolders; ++t) {
        const std::string top = root + "/top" + std::to_string(t);
        ::mkdir(top.c_str(), 0755);
        for (int s = 0; s < kSubFolders; ++s) {
            const std::string sub = top + "/sub" + std::to_string(s);
            ::mkdir(sub.c_str(), 0755);
            for (int f = 0; f < kFilesPerFolder; ++f, ++n) {
                const std::string file = sub + "/file" + std::to_string(f) + ".dat";
                const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
                if (fd < 0)
                    continue;
                if (::ftruncate(fd, sizeFor(n)) == 0)
                    ++files;
                ::close(fd);
            }
        }
    }
    return files;
}

struct ScanResult {
    double seconds = 0;
    long long files = 0;
    long long lines = 0;
};

// One whole scan as the window runs it: walk, then the lines in list order.
ScanResult timeScan(const QString& root, rw::DirHogMode mode)
{
    rw::DirHogScan scan(mode);
    bool abort = false;
    rw::FolderWalker walker(scan, abort);
    long long calls = 0;
    walker.setProgressCallback([&calls](const rw::WalkFolder&) { ++calls; });
    const rw::DriveInfo drive{QChar('X'), root};
    const QString entry = drive.entryText();
    const auto t0 = Clock::now();
    walker.walkTree(drive, entry);
    const QStringList lines = scan.linesDescending();
    const auto t1 = Clock::now();
    return {std::chrono::duration<double>(t1 - t0).count(), walker.examinedCount(),
            static_cast<long long>(lines.size())};
}

double timeCommand(const std::string& command)
{
    const auto t0 = Clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "command failed: %s\n", command.c_str());
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

} // namespace

int main()
{
    const QString tmp = QDir::tempPath();
    const std::string root =
        QFile::encodeName(tmp).toStdString() + "/rw_dirhog_bench_" + std::to_string(::getpid());
    std::printf("building tree in %s ...\n", root.c_str());
    const auto b0 = Clock::now();
    const long long files = buildTree(root);
    std::printf("  %lld files in %d folders (%.1f s)\n", files,
                kTopFolders * kSubFolders + kTopFolders + 1,
                std::chrono::duration<double>(Clock::now() - b0).count());

    const QString qroot = QFile::decodeName(QByteArray::fromStdString(root));
    const std::string du = "du -x '" + root + "' > /dev/null";
    const bool haveNcdu = std::system("command -v ncdu > /dev/null 2>&1") == 0;
    const std::string ncdu = "ncdu -o /dev/null -x '" + root + "' > /dev/null 2>&1";
    constexpr int kRuns = 7;

    // Warm the cache.
    timeCommand(du);
    timeScan(qroot, rw::DirHogMode::AllFolders);

    // Rounds interleave the programs so a change in machine load touches
    // all of them alike; each figure is the best of its rounds.
    double tDu = 1e9, tNcdu = 1e9, tAll = 1e9, tMain = 1e9;
    ScanResult all, top;
    for (int round = 0; round < kRuns; ++round) {
        tDu = std::min(tDu, timeCommand(du));
        if (haveNcdu)
            tNcdu = std::min(tNcdu, timeCommand(ncdu));
        all = timeScan(qroot, rw::DirHogMode::AllFolders);
        tAll = std::min(tAll, all.seconds);
        top = timeScan(qroot, rw::DirHogMode::MainFolders);
        tMain = std::min(tMain, top.seconds);
    }

    std::printf("best of %d runs, warm cache\n", kRuns);
    std::printf("  du -x                  %8.3f s\n", tDu);
    if (haveNcdu)
        std::printf("  ncdu -o /dev/null -x   %8.3f s\n", tNcdu);
    else
        std::printf("  ncdu                   not installed (apt-get install ncdu)\n");
    auto report = [&](const char* name, double t, const ScanResult& r) {
        std::printf("  %-22s %8.3f s  %lld files, %lld lines, %.2f x du", name, t, r.files, r.lines,
                    t / tDu);
        if (haveNcdu)
            std::printf(", %.2f x ncdu", t / tNcdu);
        std::printf("\n");
    };
    report("all folders", tAll, all);
    report("main folders", tMain, top);

    timeCommand("rm -rf '" + root + "'");
    return 0;
}
