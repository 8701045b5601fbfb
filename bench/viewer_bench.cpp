// Opens a 1 GiB text file in the file viewer control and jumps to its last
// line, timing both and reporting the peak memory. Goal: under 1 s and under
// 64 MiB beyond the line index. The file is written once into $TMPDIR (or
// the system temporary folder) and removed at the end.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <sys/resource.h>

#include "controls/FileViewer.h"

namespace
{

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// 1 GiB of numbered lines of varied length (about 60 bytes each).
bool writeFile(const QString& path, std::int64_t size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray chunk;
    std::int64_t written = 0;
    std::int64_t line = 0;
    while (written < size) {
        chunk.clear();
        while (chunk.size() < (1 << 20)) {
            chunk += "line ";
            chunk += QByteArray::number(line);
            chunk += QByteArray(static_cast<int>(20 + line % 60), 'x');
            chunk += (line % 3 == 0) ? "\r\n" : "\n";
            ++line;
        }
        const qint64 n = std::min<std::int64_t>(chunk.size(), size - written);
        if (f.write(chunk.constData(), n) != n)
            return false;
        written += n;
    }
    return true;
}

// CPU time of this process (user + system), which a busy machine does not
// inflate the way it does the wall-clock time.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::int64_t size = std::int64_t(1) << 30;
    const QString path = QDir::tempPath() + QStringLiteral("/roomwise_viewer_bench.txt");

    QElapsedTimer clock;
    clock.start();
    // RW_BENCH_KEEP=1 keeps the file for the next run (and reuses it).
    const bool keep = qEnvironmentVariableIntValue("RW_BENCH_KEEP") == 1;
    if ((!keep || QFileInfo(path).size() != size) && !writeFile(path, size)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("wrote %s (%lld bytes) in %.2f s\n", qPrintable(path), static_cast<long long>(size),
                clock.elapsed() / 1000.0);

    const long rssBefore = peakRssKiB();
    double openMs = 0, endMs = 0, total = 0, cpuTotal = 0;
    std::int64_t lines = 0;
    std::size_t indexBytes = 0;
    long rssAfter = 0;
    {
        rw::FileViewer viewer;
        viewer.resize(600, 400);
        viewer.show();
        viewer.setFileName(path);

        const double cpuStart = cpuMs();
        clock.restart();
        const bool opened = viewer.open();
        QApplication::processEvents();
        openMs = clock.nsecsElapsed() / 1e6;

        clock.restart();
        viewer.moveToLine(rw::FileViewer::kNotCounted);
        QApplication::processEvents();
        endMs = clock.nsecsElapsed() / 1e6;
        total = openMs + endMs;
        cpuTotal = cpuMs() - cpuStart;
        lines = viewer.lineCount();
        indexBytes = viewer.indexMemoryBytes();
        rssAfter = peakRssKiB();
        std::printf("opened: %s, last line %lld: \"%s\"\n", opened ? "yes" : "NO",
                    static_cast<long long>(viewer.caret().line + 1),
                    qPrintable(viewer.lineText(viewer.caret().line).left(40)));
    }
    if (!keep)
        QFile::remove(path);

    // The mapped file's pages count in the resident size while touched;
    // they are page cache shared with the system, not memory of our own.
    std::printf("open:            %8.1f ms\n", openMs);
    std::printf("jump to end:     %8.1f ms  (%lld lines counted)\n", endMs,
                static_cast<long long>(lines));
    std::printf("total:           %8.1f ms  (goal < 1000 ms)\n", total);
    std::printf("total CPU time:  %8.1f ms  (user + system; the wall time above\n"
                "                             also counts waiting on a busy machine)\n",
                cpuTotal);
    std::printf("line index:      %8.1f KiB\n", indexBytes / 1024.0);
    std::printf("peak RSS before: %8.1f MiB\n", rssBefore / 1024.0);
    std::printf("peak RSS after:  %8.1f MiB  (growth %.1f MiB incl. mapped pages)\n",
                rssAfter / 1024.0, (rssAfter - rssBefore) / 1024.0);
    return 0;
}
