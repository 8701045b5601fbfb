#include "framework/GroupMarking.h"

#include <QAction>
#include <QMenu>

#include <unordered_map>
#include <vector>

#include "controls/ResultGridModel.h"
#include "controls/WaitCursor.h"
#include "framework/ResultGridController.h"

namespace rw
{

GroupMarking::GroupMarking(ResultGridController* grid, RecordNumber groupOf, RecordNumber fileOf)
    : QObject(grid), m_grid(grid), m_groupOf(std::move(groupOf)), m_fileOf(std::move(fileOf))
{
}

void GroupMarking::addToMarkMenu()
{
    QMenu* mark = m_grid->popupMenu()->findChild<QMenu*>(QStringLiteral("Mark1"));
    if (!mark || m_menu)
        return;
    m_menu = mark->addMenu(tr("Mark all but one in each group"));
    m_menu->setObjectName(QStringLiteral("Markallbutone1"));
    m_menu->menuAction()->setObjectName(QStringLiteral("Markallbutone1"));
    const struct {
        const char* text;
        const char* name;
        Keep keep;
    } items[] = {
        {QT_TR_NOOP("keeping the newest"), "KeepNewest1", Keep::Newest},
        {QT_TR_NOOP("keeping the oldest"), "KeepOldest1", Keep::Oldest},
        {QT_TR_NOOP("keeping the shortest path"), "KeepShortestPath1", Keep::ShortestPath},
    };
    for (const auto& item : items) {
        QAction* a = m_menu->addAction(tr(item.text));
        a->setObjectName(QString::fromLatin1(item.name));
        const Keep keep = item.keep;
        connect(a, &QAction::triggered, this, [this, keep] { markAllButOne(keep); });
    }
}

void GroupMarking::markAllButOne(Keep keep)
{
    WaitCursor wait;
    m_grid->clearAllMarks();
    const std::shared_ptr<ResultLines>& lines = m_grid->lines();
    if (!lines) {
        m_grid->showMarkedStatus();
        m_grid->updateDeleteButton();
        return;
    }
    const ResultSet& set = lines->set();
    const std::int64_t rows = m_grid->rowsFilled();

    // The file kept in each group: the best by the rule, the first met on a tie.
    struct Best {
        std::int64_t file = -1;
        std::int64_t key = 0;
    };
    std::unordered_map<std::int64_t, Best> kept;
    for (std::int64_t row = 0; row < rows; ++row) {
        const std::uint32_t rec = m_grid->rowRecord(row);
        if (rec == ResultGridModel::kNoRecord)
            continue;
        const std::int64_t group = m_groupOf(rec);
        if (group < 0)
            continue;
        std::int64_t key = 0;
        switch (keep) {
        case Keep::Newest:
            key = -set.record(rec).mtime;
            break;
        case Keep::Oldest:
            key = set.record(rec).mtime;
            break;
        case Keep::ShortestPath:
            key = set.pathBytes(rec).size();
            break;
        }
        Best& b = kept[group];
        if (b.file < 0 || key < b.key)
            b = {m_fileOf(rec), key};
    }
    for (std::int64_t row = 0; row < rows; ++row) {
        const std::uint32_t rec = m_grid->rowRecord(row);
        if (rec == ResultGridModel::kNoRecord)
            continue;
        const std::int64_t group = m_groupOf(rec);
        if (group >= 0 && m_fileOf(rec) != kept[group].file)
            m_grid->deleteOneFile(row);
    }
    m_grid->showMarkedStatus();
    m_grid->updateDeleteButton();
}

} // namespace rw
