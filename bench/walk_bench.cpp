// Times the folder walk with the file-hog test against `du -s` and `find`
// on the same synthetic tree, warm cache. Prints files per second and the
// two ratios; the goal is a walk no slower than 1.3 times `du -s`.

#include "framework/core/FileTextFormatter.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/SizeFilter.h"

#include <QByteArray>
#include <QDir>
#include <QStringList>

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

const char* const kExtensions[] = {".txt", ".dat", ".log", ".jpg", ".c", ".h", ".tmp", ""};

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
                const std::string file = sub + "/file" + std::to_string(f) + kExtensions[n % 8];
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

// The file-hog test: size filter, then a result line per passing file.
class HogStrategy : public rw::WalkStrategy
{
public:
    explicit HogStrategy(rw::SizeFilter filter) : m_filter(filter)
    {
        // Stands in for the finder's file-type description.
        m_texts.setTypeDescriber([](const QString& ext) {
            return ext.isEmpty() ? QString() : ext.mid(1).toUpper() + QStringLiteral(" File");
        });
    }

    rw::Verdict fileMatched(const rw::FileRecord& file) override
    {
        if (!m_filter.passes(file.size()))
            return rw::Verdict::Skip;
        m_lines.append(m_texts.hogLine(file));
        return rw::Verdict::Keep;
    }

    const QStringList& lines() const { return m_lines; }

private:
    rw::SizeFilter m_filter;
    rw::FileTextFormatter m_texts;
    QStringList m_lines;
};

struct WalkResult {
    double seconds = 0;
    long long examined = 0;
    long long kept = 0;
};

WalkResult timeWalk(const QString& root, rw::SizeFilter filter)
{
    HogStrategy strategy(filter);
    bool abort = false;
    rw::FolderWalker walker(strategy, abort);
    // A progress callback as a window sets one (here it only counts).
    long long calls = 0;
    walker.setProgressCallback([&calls](const rw::WalkFolder&) { ++calls; });
    const rw::DriveInfo drive{QChar('X'), root};
    const QString entry = drive.entryText();
    const auto t0 = Clock::now();
    walker.walkTree(drive, entry);
    const auto t1 = Clock::now();
    return {std::chrono::duration<double>(t1 - t0).count(), walker.examinedCount(),
            walker.keptCount()};
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
        QFile::encodeName(tmp).toStdString() + "/rw_walk_bench_" + std::to_string(::getpid());
    std::printf("building tree in %s ...\n", root.c_str());
    const auto b0 = Clock::now();
    const long long files = buildTree(root);
    std::printf("  %lld files in %d folders (%.1f s)\n", files,
                kTopFolders * kSubFolders + kTopFolders + 1,
                std::chrono::duration<double>(Clock::now() - b0).count());

    const QString qroot = QFile::decodeName(QByteArray::fromStdString(root));
    const std::string du = "du -s '" + root + "' > /dev/null";
    const std::string find = "find '" + root + "' -printf '%s\\n' > /dev/null";
    constexpr int kRuns = 7;

    // Warm the cache.
    timeCommand(du);
    timeWalk(qroot, rw::SizeFilter());

    // Rounds interleave the four programs so a change in machine load
    // touches all of them alike; each figure is the best of its rounds.
    double tDu = 1e9, tFind = 1e9, tAll = 1e9, tBounded = 1e9;
    WalkResult all, bounded;
    for (int round = 0; round < kRuns; ++round) {
        tDu = std::min(tDu, timeCommand(du));
        tFind = std::min(tFind, timeCommand(find));
        all = timeWalk(qroot, rw::SizeFilter(rw::SizeCondition::LargerOrEqual, 0));
        tAll = std::min(tAll, all.seconds);
        // The finder's opening bound: 250 KB.
        bounded = timeWalk(qroot, rw::SizeFilter(rw::SizeCondition::LargerOrEqual, 250 * 1024));
        tBounded = std::min(tBounded, bounded.seconds);
    }

    std::printf("best of %d runs, warm cache\n", kRuns);
    std::printf("  du -s                      %8.3f s\n", tDu);
    std::printf("  find -printf '%%s\\n'        %8.3f s\n", tFind);
    std::printf("  walk, >= 0 bytes           %8.3f s  %lld files, %lld lines, %.0f files/s, "
                "%.2f x du, %.2f x find\n",
                tAll, all.examined, all.kept, double(all.examined) / tAll, tAll / tDu,
                tAll / tFind);
    std::printf("  walk, >= 250 KB            %8.3f s  %lld files, %lld lines, %.0f files/s, "
                "%.2f x du, %.2f x find\n",
                tBounded, bounded.examined, bounded.kept, double(bounded.examined) / tBounded,
                tBounded / tDu, tBounded / tFind);

    timeCommand("rm -rf '" + root + "'");
    return 0;
}
