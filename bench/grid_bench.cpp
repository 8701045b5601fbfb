// The file-hog road on a million files: scan (>= 0 bytes), grid fill and the
// first size sort, then "Mark all" and "Unmark all", beside `du -sx` on the
// same tree, with the memory each row takes above the idle process.
//
// Usage: grid_bench [files]   (default 1,000,000; the tree is built in the
// temporary folder and removed at the end). With RW_BENCH_TREE set, the tree
// is built at that path only when the path does not exist yet, and kept, so
// repeated runs (and profilers) measure the same tree.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "base/ProgramMessages.h"
#include "bench/BenchSupport.h"
#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"
#include "framework/core/FolderWalker.h"
#include "tools/dup/core/DupScan.h"

using namespace rw;
using rw::bench::Clock;

namespace
{

// Peak and current resident memory of this process, in bytes.
long long statusBytes(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::atoll(line.c_str() + key.size()) * 1024;
    return 0;
}

// Sizes of many different values so the size sort has work to do.
bool fillVaried(int fd, unsigned n)
{
    return ::ftruncate(fd, off_t((n * 2654435761u) % 200000u)) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int perFolder = 100;
    const int subs = 100;
    const int tops = std::max(1, wanted / (perFolder * subs));
    const rw::bench::TreeShape shape{tops, subs, perFolder};

    const QByteArray keptTree = qgetenv("RW_BENCH_TREE");
    const std::string root =
        keptTree.isEmpty() ? rw::bench::benchRoot("grid") : keptTree.toStdString();
    if (keptTree.isEmpty() || ::access(root.c_str(), F_OK) != 0) {
        std::printf("building %d files in %s ...\n", tops * subs * perFolder, root.c_str());
        const auto b0 = Clock::now();
        const long long files = rw::bench::buildTree(
            root, shape, [](unsigned n) { return rw::bench::kExtensions[n % 8]; }, fillVaried);
        std::printf("  %lld files in %d folders (%.1f s)\n", files, shape.folderCount(),
                    rw::bench::secondsSince(b0));
    }

    // Warm the cache, then the reference.
    const std::string du = "du -sx '" + root + "' > /dev/null";
    rw::bench::timeCommand(du);
    double duBest = 1e9;
    for (int i = 0; i < 3; ++i)
        duBest = std::min(duBest, rw::bench::timeCommand(du));

    QWidget window;
    window.resize(640, 478);
    auto* grid = new ResultGridView(&window);
    grid->setGeometry(0, 0, 640, 440);
    ResultGridConfig cfg;
    cfg.headers = {"Size", "Modified", "Time", "Access", "FileName", "Type"};
    cfg.markColumn = 4;
    cfg.sizeColumn = 0;
    cfg.sortWindowKey = QStringLiteral("bench");
    cfg.sortItems = {{"&Size", "Sortbysize1", {}, 0, SortKind::Number, true, true}};
    auto* ctl = new ResultGridController(&window, grid, cfg);
    window.show();
    ctl->ClearGrid();
    app.processEvents();
    const long long idle = statusBytes("VmRSS");

    // What "&Start" does in the file-hog finder, without the window around it.
    const auto s0 = Clock::now();
    std::int64_t rows = 0;
    double walkSeconds = 0, orderSeconds = 0, sortSeconds = 0;
    {
        DupScan scan(false, 0, SizeFilter(), QStringLiteral("*.*"));
        bool abort = false;
        FolderWalker walker(scan, abort, *rw::messageResponder());
        rw::bench::walkAsDrive(walker, rw::bench::decodedPath(root));
        walkSeconds = rw::bench::secondsSince(s0);
        const std::vector<std::uint32_t> order = scan.hogGridOrder();
        orderSeconds = rw::bench::secondsSince(s0) - walkSeconds;
        ctl->setLines(scan.lines());
        ctl->beginFill(std::int64_t(order.size()));
        for (std::uint32_t rec : order)
            ctl->addToGrid(rec);
        ctl->endFill();
        const double filled = rw::bench::secondsSince(s0);
        ctl->setSortDescending(0, true);
        ctl->sortByItem(0);
        app.processEvents();
        sortSeconds = rw::bench::secondsSince(s0) - filled;
        rows = ctl->rowsFilled();
    }
    const double scanSeconds = rw::bench::secondsSince(s0);
    const long long peak = statusBytes("VmHWM");

    QElapsedTimer t;
    t.start();
    ctl->Markall1Click();
    app.processEvents();
    const qint64 markMs = t.restart();
    const std::int64_t counted = ctl->markedCount();
    ctl->Unmarkall1Click();
    app.processEvents();
    const qint64 unmarkMs = t.restart();

    std::printf("rows                      %lld\n", static_cast<long long>(rows));
    std::printf("du -sx                    %7.3f s\n", duBest);
    std::printf("scan + fill + size sort   %7.3f s  = %.2f x du (goal <= 1.5)\n", scanSeconds,
                scanSeconds / duBest);
    std::printf("  of which walk %.3f s, grid order %.3f s, size sort %.3f s\n", walkSeconds,
                orderSeconds, sortSeconds);
    std::printf("memory per row            %7.1f bytes above idle (peak %lld MB, idle %lld MB; "
                "goal <= 150)\n",
                rows > 0 ? double(peak - idle) / double(rows) : 0.0, peak >> 20, idle >> 20);
    std::printf("mark all                  %7lld ms, %lld files counted (goal < 1000)\n",
                static_cast<long long>(markMs), static_cast<long long>(counted));
    std::printf("unmark all                %7lld ms (goal < 200)\n",
                static_cast<long long>(unmarkMs));
#ifdef RW_REPORT_PROGRAM
    // The command-line report on the same tree: scan, the finder's line
    // order, and every line written.
    const std::string report = std::string("'") + RW_REPORT_PROGRAM +
                               "' hogs --larger 0 --quiet '" + root + "' >/dev/null";
    const std::string find = "find '" + root + "' -printf '%s %p\\n' >/dev/null";
    double reportBest = 1e9, findBest = 1e9;
    for (int i = 0; i < 3; ++i) {
        reportBest = std::min(reportBest, rw::bench::timeCommand(report));
        findBest = std::min(findBest, rw::bench::timeCommand(find));
    }
    std::printf("roomwise-report hogs      %7.3f s  = %.2f x du (goal <= 1.2); find -printf "
                "%.3f s = %.2f x du\n",
                reportBest, reportBest / duBest, findBest, findBest / duBest);
#endif
    if (keptTree.isEmpty())
        std::system(("rm -rf '" + root + "'").c_str());
    return 0;
}
