// Times "Folders with the same contents" against "Size and contents" on the
// same tree, warm cache, best of several runs each: 2,000 folders of 10
// files (1 byte .. 64 KB), each copied once into another part of the tree,
// and 200 more folders of the same shape as an original whose contents
// differ in one byte of one file. The folder comparison must stay within
// 1.2 times the file comparison's time, and find every copied folder.

#include "base/ProgramMessages.h"
#include "bench/BenchSupport.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/SizeFilter.h"
#include "tools/dup/core/ContentDupFinder.h"
#include "tools/dup/core/DupScan.h"
#include "tools/dup/core/FolderDupFinder.h"
#include "tools/dup/core/FolderDupScan.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int kFolders = 2000;
constexpr int kFilesPerFolder = 10;
constexpr int kNearMisses = 200;

std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ull;
    return x ^ (x >> 33);
}

bool writeFile(const std::string& path, std::uint64_t seed, std::int64_t flip)
{
    const std::size_t size = 1 + std::size_t(mix(seed) % 65536);
    std::vector<char> data(size);
    std::uint64_t x = mix(seed + 7);
    for (char& c : data) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        c = char(x);
    }
    if (flip >= 0)
        data[std::size_t(flip) % size] ^= 0x5A;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, data.data(), size) == ssize_t(size);
    ::close(fd);
    return ok;
}

// root/orig/fN, root/copies/fN (a copy of orig/fN), root/near/fN (orig/fN
// with one byte of one file changed), and orig/README.
bool buildTree(const std::string& root)
{
    for (const char* part : {"", "/orig", "/copies", "/near"})
        ::mkdir((root + part).c_str(), 0755);
    // orig and copies themselves differ, so each copied folder is a group
    // of its own rather than nested in one group of the two.
    if (!writeFile(root + "/orig/README", 1, -1))
        return false;
    for (int f = 0; f < kFolders; ++f) {
        for (const char* part : {"/orig/", "/copies/"}) {
            const std::string dir = root + part + "f" + std::to_string(f);
            ::mkdir(dir.c_str(), 0755);
            for (int n = 0; n < kFilesPerFolder; ++n)
                if (!writeFile(dir + "/file" + std::to_string(n) + ".dat",
                               std::uint64_t(f) * kFilesPerFolder + std::uint64_t(n), -1))
                    return false;
        }
    }
    for (int f = 0; f < kNearMisses; ++f) {
        const std::string dir = root + "/near/f" + std::to_string(f);
        ::mkdir(dir.c_str(), 0755);
        for (int n = 0; n < kFilesPerFolder; ++n)
            if (!writeFile(dir + "/file" + std::to_string(n) + ".dat",
                           std::uint64_t(f) * kFilesPerFolder + std::uint64_t(n),
                           n == 3 ? std::int64_t(mix(std::uint64_t(f)) >> 1) : -1))
                return false;
    }
    return true;
}

struct Run {
    double seconds = 0;
    std::int64_t groups = 0;
    std::int64_t duplicates = 0;
};

Run sizeAndContents(const QString& root)
{
    const auto t0 = rw::bench::Clock::now();
    rw::DupScan scan(true, rw::mmContents, rw::SizeFilter(), QStringLiteral("*.*"));
    bool abort = false;
    rw::FolderWalker walker(scan, abort, *rw::messageResponder());
    rw::bench::walkAsDrive(walker, root);
    rw::ContentDupFinder finder(scan.lines()->set());
    finder.run(scan.collection());
    Run r;
    r.seconds = rw::bench::secondsSince(t0);
    r.groups = finder.result().groupCount;
    r.duplicates = finder.result().duplicates;
    return r;
}

Run folders(const QString& root)
{
    const auto t0 = rw::bench::Clock::now();
    rw::FolderDupScan scan;
    bool abort = false;
    rw::FolderWalker walker(scan, abort, *rw::messageResponder());
    rw::bench::walkAsDrive(walker, root);
    rw::FolderDupFinder finder;
    finder.run(scan, rw::SizeFilter());
    Run r;
    r.seconds = rw::bench::secondsSince(t0);
    r.groups = finder.result().groupCount;
    r.duplicates = finder.result().duplicates;
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::string root = rw::bench::benchRoot("dup_folders");
    std::printf("Building %d folders of %d files, each copied once, and %d near copies...\n",
                kFolders, kFilesPerFolder, kNearMisses);
    if (!buildTree(root)) {
        std::fprintf(stderr, "could not build the tree under %s\n", root.c_str());
        return 1;
    }
    const QString tree = rw::bench::decodedPath(root);
    // Warm the cache once with each, then the best of five alternating runs.
    sizeAndContents(tree);
    folders(tree);
    Run bestFiles;
    Run bestFolders;
    bestFiles.seconds = bestFolders.seconds = 1e9;
    for (int i = 0; i < 5; ++i) {
        const Run f = sizeAndContents(tree);
        if (f.seconds < bestFiles.seconds)
            bestFiles = f;
        const Run d = folders(tree);
        if (d.seconds < bestFolders.seconds)
            bestFolders = d;
    }
    const double ratio = bestFolders.seconds / bestFiles.seconds;
    std::printf("Size and contents:               %.3f s  (%lld groups, %lld duplicates)\n",
                bestFiles.seconds, (long long)bestFiles.groups, (long long)bestFiles.duplicates);
    std::printf("Folders with the same contents:  %.3f s  (%lld groups, %lld duplicates)\n",
                bestFolders.seconds, (long long)bestFolders.groups,
                (long long)bestFolders.duplicates);
    std::printf("ratio folders / contents:        %.2f  (goal: at most 1.20)  %s\n", ratio,
                ratio <= 1.2 ? "met" : "NOT MET");
    // Each copied folder once, and no near copy among them.
    const bool found = bestFolders.groups == kFolders && bestFolders.duplicates == kFolders;
    std::printf("every copied folder found, no near copy: %s\n", found ? "yes" : "NO");
    std::system(("rm -rf '" + root + "'").c_str());
    return ratio <= 1.2 && found ? 0 : 1;
}
