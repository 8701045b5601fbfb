// Cost of the type lookups a scan makes: FileTypeDescription runs once per
// kept file, so after the first lookup of an extension it must be a cheap
// hash hit. Prints the first-use costs and the per-call cost of hits.
#include "framework/core/FileTypes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    QElapsedTimer clock;
    clock.start();
    QStringList patterns;
    rw::FillWildcardList(patterns, true);
    std::printf("FillWildcardList first call: %lld ms, %lld patterns\n",
                static_cast<long long>(clock.elapsed()), static_cast<long long>(patterns.size()));

    clock.restart();
    for (const QString& p : patterns)
        rw::FileTypeDescription(p.mid(1));
    std::printf("first description of every listed extension: %lld ms\n",
                static_cast<long long>(clock.elapsed()));

    // A scan's mix: a few common extensions in both cases, and unknown ones.
    const QStringList exts{".txt", ".TXT", ".jpg", ".c",   ".h",     ".so",
                           ".png", ".Png", ".zip", ".pdf", ".qqzx1", ".o"};
    for (const QString& e : exts)
        rw::FileTypeDescription(e);
    const int calls = 2'000'000;
    qsizetype sink = 0;
    clock.restart();
    for (int i = 0; i < calls; ++i)
        sink += rw::FileTypeDescription(exts[i % exts.size()]).size();
    const double ns = double(clock.nsecsElapsed()) / calls;
    std::printf("cached FileTypeDescription: %.0f ns per call (%d calls, %lld chars)\n", ns, calls,
                static_cast<long long>(sink));
    return 0;
}
