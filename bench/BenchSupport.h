#pragma once

// Helpers the benchmark programs share: a synthetic folder tree in the
// temporary folder, and timing of outside commands against our own code.

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace rw
{
class FolderWalker;
}

namespace rw::bench
{

using Clock = std::chrono::steady_clock;

// File name endings the trees cycle through (the last one: no extension).
extern const char* const kExtensions[8];

// How many folders and files a synthetic tree has: root/topT/subS/fileF<ext>.
struct TreeShape {
    int topFolders = 0;
    int subFolders = 0; // per top folder
    int filesPerFolder = 0;

    // Every folder of the tree, the root included.
    int folderCount() const { return topFolders * subFolders + topFolders + 1; }
};

// Names the n-th file's ending ("" for none).
using FileEnding = std::function<const char*(unsigned n)>;
// Gives the n-th file, open for writing as `fd`, its contents; true when it
// holds what it should.
using FileFiller = std::function<bool(int fd, unsigned n)>;

// Builds the tree under `root` (created if missing) and returns how many files
// were filled successfully.
long long buildTree(const std::string& root, const TreeShape& shape, const FileEnding& ending,
                    const FileFiller& fill);

// Sizes over several orders of magnitude (1 byte .. 100 MB) for sparse files.
std::int64_t sparseSizeFor(unsigned n);

// Makes the file a sparse one of sparseSizeFor(n) bytes; true on success.
bool fillSparse(int fd, unsigned n);

// The tree of about `files` files that the whole-program benchmarks share:
// root/topT/subS/fileF<ext> with 100 files a folder, of lengths up to 200 KB
// (sparse). RW_BENCH_TREE names a tree kept between runs (built when
// missing); without it a fresh one is built and `*temporary` is set, for the
// caller to remove.
std::string sharedTree(const char* name, int files, bool* temporary);

// A fresh path in the temporary folder for bench `name`: rw_<name>_bench_<pid>.
std::string benchRoot(const char* name);

// The path as the code under test takes it.
QString decodedPath(const std::string& path);

// Seconds from `start` to now.
double secondsSince(Clock::time_point start);

// Runs a shell command and returns its wall time; a failure is reported on
// stderr and still timed.
double timeCommand(const std::string& command);

// Walks `root` as drive X the way a window starts a walk, with a progress
// callback (here it only counts the calls).
void walkAsDrive(FolderWalker& walker, const QString& root);

// True when `program` is on the PATH.
bool haveProgram(const char* program);

} // namespace rw::bench
