// Result grid with a million rows: fill, mark all, sort by size.
//
// Mark all looks every file up on disk; the rows here name files that do not
// exist, so each look-up fails fast and nothing is counted. The figure is
// therefore the grid's own cost plus one failing lstat per row.
#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QWidget>

#include <cstdio>
#include <ctime>

#include "controls/ResultGridModel.h"
#include "controls/ResultGridView.h"
#include "framework/ResultGridController.h"

using namespace rw;

namespace
{
// Processor time of this program, which the machine's other load does not inflate.
qint64 cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}
} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;

    QWidget window;
    window.resize(640, 478);
    auto* grid = new ResultGridView(&window);
    grid->setGeometry(0, 0, 640, 440);
    ResultGridConfig cfg;
    cfg.headers = {"Size", "Modified", "Time", "Access", "FileName", "Type"};
    cfg.markColumn = 4;
    cfg.sizeColumn = 0;
    cfg.pathColumn = 4;
    cfg.sortWindowKey = QStringLiteral("bench");
    cfg.sortItems = {{"&Size", "Sortbysize1", {}, 0, SortKind::Number, true, true}};
    auto* ctl = new ResultGridController(&window, grid, cfg);
    window.show();
    ctl->ClearGrid();

    // Lines as a file-hog scan builds them, made up front so the fill is timed alone.
    QStringList lines;
    lines.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        const qint64 size = (qint64(i) * 2654435761LL) % 5000000000LL;
        lines.append(QLocale().toString(size) + "\t01/02/2020\t10:11:12 AM\t03/04/2021\t" +
                     "/no/such/folder/f" + QString::number(i) + ".dat\tData file");
    }

    QElapsedTimer t;
    t.start();
    qint64 cpu = cpuMs();
    auto cpuLap = [&cpu] {
        const qint64 now = cpuMs();
        const qint64 lap = now - cpu;
        cpu = now;
        return lap;
    };
    ctl->beginFill(lines.size());
    for (const QString& line : lines)
        ctl->addToGrid(line);
    ctl->endFill();
    app.processEvents();
    const qint64 fillMs = t.restart();
    const qint64 fillCpu = cpuLap();

    ctl->Markall1Click();
    app.processEvents();
    const qint64 markMs = t.restart();
    const qint64 markCpu = cpuLap();

    ctl->sortByItem(0);
    app.processEvents();
    const qint64 sortMs = t.restart();
    const qint64 sortCpu = cpuLap();

    std::printf("rows            %d\n", rows);
    std::printf("goal: each under 2000 ms; mark all looks up absent files, so nothing is "
                "counted\n");
    std::printf("fill            %6lld ms wall %6lld ms cpu\n", static_cast<long long>(fillMs),
                static_cast<long long>(fillCpu));
    std::printf("mark all        %6lld ms wall %6lld ms cpu\n", static_cast<long long>(markMs),
                static_cast<long long>(markCpu));
    std::printf("sort by size    %6lld ms wall %6lld ms cpu\n", static_cast<long long>(sortMs),
                static_cast<long long>(sortCpu));
    std::printf("marked paths    %lld, counted %lld\n",
                static_cast<long long>(ctl->lbDeleted().size()),
                static_cast<long long>(ctl->markedCount()));
    return 0;
}
