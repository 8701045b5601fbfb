// The folder map on a million files: the walk and tree build beside du -sx,
// the memory the tree takes per file, the layout and first paint of a
// 1600 × 1000 map, a zoom and a resize, and the hit test under the mouse,
// each with the goal it is held to.
//
// Usage: map_bench [files]   (default 1,000,000; RW_BENCH_TREE keeps the
// tree between runs, as for report_bench).
#include <QApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

#include "base/Messages.h"
#include "bench/BenchSupport.h"
#include "framework/core/FolderWalker.h"
#include "platform/Drives.h"
#include "tools/map/MapView.h"
#include "tools/map/core/MapScan.h"

using rw::bench::Clock;

namespace
{

// Resident memory of this process, in bytes.
long long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

rw::MapTree walk(const std::string& root)
{
    rw::MapScan scan;
    bool abort = false;
    rw::StderrResponder said;
    rw::FolderWalker walker(scan, abort, said);
    rw::DriveInfo drive;
    drive.letter = QLatin1Char('C');
    drive.root = rw::bench::decodedPath(root);
    walker.walkTree(drive, drive.root);
    return scan.takeTree();
}

void line(const char* what, double value, const char* unit, double goal, const char* goalUnit)
{
    std::printf("%-40s %10.3f %-6s (goal %s %.1f %s)%s\n", what, value, unit, "<=", goal, goalUnit,
                value <= goal ? "" : "  ** over **");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 1000000;
    bool temporary = false;
    const std::string root = rw::bench::sharedTree("map", wanted, &temporary);
    const std::string quoted = "'" + root + "'";
    rw::bench::timeCommand("du -sx " + quoted + " >/dev/null"); // warm the cache
    double du = 1e9;
    for (int i = 0; i < 3; ++i)
        du = std::min(du, rw::bench::timeCommand("du -sx " + quoted + " >/dev/null"));
    std::printf("%-40s %10.3f s\n", "du -sx", du);

    double walked = 1e9;
    for (int i = 0; i < 2; ++i) {
        const auto start = Clock::now();
        rw::MapTree t = walk(root);
        walked = std::min(walked, rw::bench::secondsSince(start));
    }
    const long long before = residentBytes();
    rw::MapTree tree = walk(root);
    const long long after = residentBytes();
    const double files = double(tree.nodeCount());
    std::printf("%-40s %10.0f nodes\n", "tree", files);
    line("walk + tree build (x du -sx)", walked / du, "x", 1.3, "x");
    line("memory of the tree per node", double(after - before) / files, "bytes", 100, "bytes");

    rw::MapView view;
    view.resize(1600, 1000);
    QImage image(1600, 1000, QImage::Format_RGB32);
    auto start = Clock::now();
    view.setTree(&tree);
    view.render(&image);
    line("layout + first paint 1600 x 1000", rw::bench::secondsSince(start) * 1000, "ms", 500,
         "ms");
    std::printf("%-40s %10zu tiles, %zu bytes per node with the layout\n", "",
                view.layout().tiles().size(),
                std::size_t((double(residentBytes() - before)) / files));

    const std::uint32_t top = tree.root();
    const std::uint32_t folder = *tree.childrenBegin(top);
    start = Clock::now();
    view.zoomTo(folder);
    view.render(&image);
    line("zoom into a folder + paint", rw::bench::secondsSince(start) * 1000, "ms", 100, "ms");
    view.zoomTo(top);
    view.render(&image);
    start = Clock::now();
    view.resize(1500, 940);
    view.render(&image);
    line("resize + paint", rw::bench::secondsSince(start) * 1000, "ms", 100, "ms");

    std::mt19937 random(1);
    const int probes = 100000;
    std::uint64_t found = 0;
    start = Clock::now();
    for (int i = 0; i < probes; ++i)
        found += view.nodeAt(QPoint(int(random() % 1500), int(random() % 940)));
    line("hover hit test", rw::bench::secondsSince(start) * 1e6 / probes, "us", 1000, "us");
    if (found == 0)
        std::printf("(no tile found)\n");
    if (temporary)
        std::system(("rm -rf " + quoted).c_str());
    return 0;
}
