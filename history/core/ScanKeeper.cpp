#include "history/core/ScanKeeper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QUrl>

#include "base/BackgroundWork.h"
#include "history/core/HistoryStore.h"

namespace rw
{

QString ScanKeeper::storeLocation(const HistorySettings& settings)
{
    if (!settings.keep)
        return QString();
    return settings.store.isEmpty() ? HistoryStore::defaultLocation() : settings.store;
}

QString ScanKeeper::shownLocation(const QString& location)
{
    if (!location.contains(QLatin1String("://")))
        return location;
    return QUrl(location).toDisplayString(QUrl::RemovePassword);
}

KeepOutcome ScanKeeper::keep(const QString& location, const ScanToKeep& scan, std::int64_t now)
{
    KeepOutcome outcome;
    bool anyComplete = false;
    for (const TappedRoot& root : scan.roots)
        anyComplete = anyComplete || (root.complete && !root.rows.empty());
    if (!anyComplete || location.isEmpty())
        return outcome;
    HistoryStore store;
    if (!store.open(location)) {
        outcome.error = QCoreApplication::translate("ScanKeeper", "%1 cannot be opened: %2")
                            .arg(shownLocation(location), store.error());
        return outcome;
    }
    for (const TappedRoot& root : scan.roots) {
        // A root walked only in part would read as folders shrunk or gone.
        if (!root.complete || root.rows.empty())
            continue;
        const std::int64_t id =
            store.addScan(scan.host, root.root, scan.taken, scan.kind, true, root.rows);
        if (id > 0)
            outcome.scanIds.push_back(id);
        else if (outcome.error.isEmpty())
            outcome.error = store.error();
    }
    const int thinned = store.thin(now);
    if (thinned >= 0)
        outcome.thinned = thinned;
    else if (outcome.error.isEmpty())
        outcome.error = store.error();
    return outcome;
}

void ScanKeeper::keepInBackground(const QString& location, ScanToKeep scan,
                                  std::function<void(const KeepOutcome&)> done)
{
    runInBackground([location, scan = std::move(scan), done = std::move(done)] {
        const KeepOutcome outcome = keep(location, scan, QDateTime::currentSecsSinceEpoch());
        if (done)
            done(outcome);
    });
}

} // namespace rw
