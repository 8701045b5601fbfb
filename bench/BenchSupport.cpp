#include "bench/BenchSupport.h"

#include "framework/core/FolderWalker.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw::bench
{

const char* const kExtensions[8] = {".txt", ".dat", ".log", ".jpg", ".c", ".h", ".tmp", ""};

long long buildTree(const std::string& root, const TreeShape& shape, const FileEnding& ending,
                    const FileFiller& fill)
{
    long long files = 0;
    unsigned n = 0;
    ::mkdir(root.c_str(), 0755);
    for (int t = 0; t < shape.topFolders; ++t) {
        const std::string top = root + "/top" + std::to_string(t);
        ::mkdir(top.c_str(), 0755);
        for (int s = 0; s < shape.subFolders; ++s) {
            const std::string sub = top + "/sub" + std::to_string(s);
            ::mkdir(sub.c_str(), 0755);
            for (int f = 0; f < shape.filesPerFolder; ++f, ++n) {
                const std::string file = sub + "/file" + std::to_string(f) + ending(n);
                const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
                if (fd < 0)
                    continue;
                if (fill(fd, n))
                    ++files;
                ::close(fd);
            }
        }
    }
    return files;
}

std::int64_t sparseSizeFor(unsigned n)
{
    static const std::int64_t scales[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    return scales[n % 8] * std::int64_t(1 + (n / 8) % 10);
}

bool fillSparse(int fd, unsigned n)
{
    return ::ftruncate(fd, sparseSizeFor(n)) == 0;
}

std::string benchRoot(const char* name)
{
    return QFile::encodeName(QDir::tempPath()).toStdString() + "/rw_" + name + "_bench_" +
           std::to_string(::getpid());
}

QString decodedPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double timeCommand(const std::string& command)
{
    const auto t0 = Clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "command failed: %s\n", command.c_str());
    return secondsSince(t0);
}

void walkAsDrive(FolderWalker& walker, const QString& root)
{
    long long calls = 0;
    walker.setProgressCallback([&calls](const WalkFolder&) { ++calls; });
    const DriveInfo drive{QChar('X'), root};
    walker.walkTree(drive, drive.entryText());
}

bool haveProgram(const char* program)
{
    return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

std::string sharedTree(const char* name, int files, bool* temporary)
{
    const TreeShape shape{std::max(1, files / 10000), 100, 100};
    const QByteArray kept = qgetenv("RW_BENCH_TREE");
    *temporary = kept.isEmpty();
    const std::string root = kept.isEmpty() ? benchRoot(name) : kept.toStdString();
    if (kept.isEmpty() || ::access(root.c_str(), F_OK) != 0) {
        std::printf("building %d files in %s ...\n",
                    shape.topFolders * shape.subFolders * shape.filesPerFolder, root.c_str());
        buildTree(
            root, shape, [](unsigned n) { return kExtensions[n % 8]; },
            [](int fd, unsigned n) {
                return ::ftruncate(fd, off_t((n * 2654435761u) % 200000u)) == 0;
            });
    }
    return root;
}

} // namespace rw::bench
