// Times the duplicate finder's scan ("Size only") and the file-hog scan on a
// synthetic tree with planted duplicates, against `fdupes -r -n` and
// `jdupes -r` on the same tree, warm cache. Those two compare file contents;
// the finder compares metadata (the chosen fields), so its figure is the
// cost of a walk plus grouping, theirs includes reading and hashing files.

#include "framework/core/FolderWalker.h"
#include "framework/core/SizeFilter.h"
#include "tools/dup/core/DupScan.h"

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

constexpr int kTopFolders = 20;
constexpr int kSubFolders = 20; // 400 leaf folders
constexpr int kFilesPerFolder = 10;
constexpr int kDuplicateEvery = 4; // every 4th file is a copy of one of 50 originals

const char* const kExtensions[] = {".txt", ".dat", ".log", ".jpg", ".c", ".h", ".tmp", ""};

// Real content, so content comparers have something to read: a unique file
// has its own bytes and size; a planted copy repeats one of 50 originals.
std::string contentFor(unsigned n)
{
    if (n % kDuplicateEvery == 0) {
        const unsigned original = (n / kDuplicateEvery) % 50;
        return std::string(1000 + original * 37, char('a' + original % 26));
    }
    std::string s = "unique file " + std::to_string(n) + "\n";
    s.resize(200 + (n * 7919u) % 60000, char('A' + n % 26));
    return s;
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
                const std::string file = sub + "/file" + std::to_string(f) + kExtensions[n % 8];
                const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
                if (fd < 0)
                    continue;
                const std::string c = contentFor(n);
                if (::write(fd, c.data(), c.size()) == ssize_t(c.size()))
                    ++files;
                ::close(fd);
            }
        }
    }
    return files;
}

struct ScanResult {
    double seconds = 0;
    long long examined = 0;
    long long rows = 0;
};

ScanResult timeScan(const QString& root, bool duplicates, int mode, rw::SizeFilter filter)
{
    const auto t0 = Clock::now();
    rw::DupScan scan(duplicates, mode, filter, QStringLiteral("*.*"));
    bool abort = false;
    rw::FolderWalker walker(scan, abort);
    walker.setProgressCallback([](const rw::WalkFolder&) {});
    const rw::DriveInfo drive{QChar('X'), root};
    walker.walkTree(drive, drive.entryText());
    const QStringList rows = scan.resultLines();
    return {std::chrono::duration<double>(Clock::now() - t0).count(), walker.examinedCount(),
            rows.size()};
}

double timeCommand(const std::string& command)
{
    const auto t0 = Clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "command failed: %s\n", command.c_str());
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

bool have(const char* program)
{
    return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

} // namespace

int main()
{
    const std::string root = QFile::encodeName(QDir::tempPath()).toStdString() + "/rw_dup_bench_" +
                             std::to_string(::getpid());
    std::printf("building tree in %s ...\n", root.c_str());
    const long long files = buildTree(root);
    std::printf("  %lld files, every %dth a copy of one of 50 originals\n", files, kDuplicateEvery);

    const QString qroot = QFile::decodeName(QByteArray::fromStdString(root));
    const bool haveFdupes = have("fdupes");
    const bool haveJdupes = have("jdupes");
    const std::string fdupes = "fdupes -q -r -n '" + root + "' > /dev/null 2>&1";
    const std::string jdupes = "jdupes -q -r '" + root + "' > /dev/null 2>&1";

    // Warm the cache (and the content comparers' reads).
    timeScan(qroot, true, rw::mmSize, rw::SizeFilter());
    if (haveFdupes)
        timeCommand(fdupes);

    constexpr int kRuns = 5;
    double tDup = 1e9, tHog = 1e9, tF = 1e9, tJ = 1e9;
    ScanResult dup, hog;
    for (int round = 0; round < kRuns; ++round) {
        ScanResult d = timeScan(qroot, true, rw::mmSize, rw::SizeFilter());
        if (d.seconds < tDup) {
            tDup = d.seconds;
            dup = d;
        }
        ScanResult h = timeScan(qroot, false, 0, rw::SizeFilter());
        if (h.seconds < tHog) {
            tHog = h.seconds;
            hog = h;
        }
        if (haveFdupes)
            tF = std::min(tF, timeCommand(fdupes));
        if (haveJdupes)
            tJ = std::min(tJ, timeCommand(jdupes));
    }

    std::printf("best of %d runs, warm cache\n", kRuns);
    std::printf("  finder, \"Size only\" (metadata)  %8.4f s  %lld files, %lld rows\n", tDup,
                dup.examined, dup.rows);
    std::printf("  file hogs, >= 0 bytes           %8.4f s  %lld files, %lld rows\n", tHog,
                hog.examined, hog.rows);
    if (haveFdupes)
        std::printf("  fdupes -r -n (content)          %8.4f s  finder is %.1f x faster\n", tF,
                    tF / tDup);
    else
        std::printf("  fdupes not installed\n");
    if (haveJdupes)
        std::printf("  jdupes -r (content)             %8.4f s  finder is %.1f x faster\n", tJ,
                    tJ / tDup);
    else
        std::printf("  jdupes not installed\n");

    timeCommand("rm -rf '" + root + "'");
    return 0;
}
