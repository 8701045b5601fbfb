#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

#include "base/Settings.h"
#include "history/core/HistoryTap.h"

namespace rw
{

// One walk's roots as the history keeps them.
struct ScanToKeep {
    QString host;           // the machine that walked (QSysInfo::machineHostName())
    std::int64_t taken = 0; // when the walk began, seconds since the epoch
    QString kind;           // what walked: "main", "all", "report"
    std::vector<TappedRoot> roots;
};

// What keeping a walk came to.
struct KeepOutcome {
    std::vector<std::int64_t> scanIds; // the scans stored, in root order
    int thinned = 0;                   // older scans let go by the thinning rule
    QString error;                     // why something was not stored; empty: all went
};

// Keeps the folder totals of a walk in the scan history: each root the walk
// finished becomes one scan (one transaction), then the store is thinned.
// A root the walk did not finish (an abort) is not stored. Shared by the
// folder hog window (on the background worker) and the command line
// (on its own thread).
class ScanKeeper
{
public:
    // Where scans go under `settings`: the store [History] names, or the
    // default SQLite file; empty when keeping is turned off.
    static QString storeLocation(const HistorySettings& settings);
    // A store's location as shown to the user: a database address without
    // its password.
    static QString shownLocation(const QString& location);

    // Stores `scan` in the store at `location` on the calling thread (which
    // opens a connection of its own) and thins it as of `now`.
    static KeepOutcome keep(const QString& location, const ScanToKeep& scan, std::int64_t now);

    // The same on the background worker (runInBackground); returns at once.
    // `done` (may be empty) is called on the worker with the outcome.
    static void keepInBackground(const QString& location, ScanToKeep scan,
                                 std::function<void(const KeepOutcome&)> done);
};

} // namespace rw
