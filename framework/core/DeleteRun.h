#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

#include "base/Messages.h"
#include "framework/core/DeleteTarget.h"
#include "platform/SafeFolder.h"

namespace rw
{

// The engine of the delete confirmation window: deletes a list of files for
// good or sends them to the recycle bin, reports each failure in the texts
// the user knows, and adds what really went to the cumulative deletion
// totals. A file counts (with the bytes it had just before it went) only when
// it really went; a failure is never counted, and a failed recycle is never
// turned into a permanent delete.
//
// Every file is reached through its folder's descriptor, opened from "/"
// without following any link, and must still be the object the scan saw
// (device, inode, type): one replaced since (by another file or by a link to
// somewhere else) is reported and left alone.
class DeleteRun
{
public:
    // One file operation on a target whose folder is open; Done on success.
    using FileOperation =
        std::function<SafeFolder::Result(const SafeFolder& folder, const DeleteTarget& target)>;
    // Told the index of the target about to be processed.
    using Progress = std::function<void(int index)>;
    // Asked, once the target is found to be what the scan saw and before it
    // goes, whether it may go: true lets it go; false leaves it where it is
    // (the duplicate finder's check that another copy stays).
    using Guard = std::function<bool(const SafeFolder& folder, const DeleteTarget& target)>;

    struct Outcome {
        std::int64_t files = 0;    // files that went
        std::int64_t bytes = 0;    // their sizes
        QStringList failed;        // shown paths that could not be processed
        QStringList replaced;      // shown paths left alone because they changed
        QStringList kept;          // shown paths the guard kept
        bool stoppedEarly = false; // the recycle loop stopped at a failure
        QList<DeleteTarget> gone;  // the targets that went, in order
    };

    // Takes the targets in any order and keeps them sorted by their shown
    // paths (case-insensitive). Failures are reported to `reporter`, which
    // must outlive the run.
    DeleteRun(const QList<DeleteTarget>& targets, MessageResponder& reporter);

    // The shown paths in the order they are shown and processed: case-
    // insensitive text order, equal-but-for-case paths in case-sensitive order.
    static QStringList sortedPaths(QStringList paths);
    static void sortTargets(QList<DeleteTarget>& targets);

    const QList<DeleteTarget>& targets() const { return m_targets; }
    QStringList paths() const;

    // Deletes every target for good, in order. Each failure shows the error
    // "Couldn't delete file - " + path and the run goes on. Adds the outcome
    // to the deletion totals.
    Outcome deleteAll(const Progress& progress = {});
    // Sends every target to the recycle bin, in order. The first failure
    // shows "An error occurred sending files to the recycle bin.  The bin may
    // be full." and stops the loop. Adds the outcome to the recycled totals.
    Outcome recycleAll(const Progress& progress = {});

    // The default operations: the file removed from its folder, or moved to
    // the trash of its file system.
    static SafeFolder::Result removeFile(const SafeFolder& folder, const DeleteTarget& target);
    static SafeFolder::Result sendToRecycleBin(const SafeFolder& folder,
                                               const DeleteTarget& target);
    // Size of the file at `path` (the file system's bytes) without following
    // a final symbolic link; -1 when there is no such file or it is a folder.
    static std::int64_t fileSize(const QByteArray& path);

    // The report of a target left alone because it changed since the scan.
    static QString replacedText(const QString& shown);

    // Replaces the file operations (tests inject failures this way).
    void setRemover(FileOperation op) { m_remove = std::move(op); }
    void setRecycler(FileOperation op) { m_recycle = std::move(op); }
    // Checks every target with `guard` before it goes. The targets it keeps
    // are reported together after the run: `keptNotice` followed by their
    // paths, one per line.
    void setGuard(Guard guard, QString keptNotice)
    {
        m_guard = std::move(guard);
        m_keptNotice = std::move(keptNotice);
    }

private:
    enum class Step { Done, Replaced, Failed, Kept };
    // Opens the target's folder, checks the target and runs `op`; `size`
    // gets the bytes it had.
    Step runOne(const DeleteTarget& target, const FileOperation& op, std::int64_t* size);

    QList<DeleteTarget> m_targets;
    MessageResponder& m_reporter;
    FileOperation m_remove;
    FileOperation m_recycle;
    Guard m_guard;
    QString m_keptNotice;
    void reportKept(const Outcome& out) const;
};

} // namespace rw
