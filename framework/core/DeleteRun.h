#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace rw
{

// The engine of the delete confirmation window: deletes a list of files for
// good or sends them to the recycle bin, reports each failure in the texts
// the user knows, and adds what really went to the cumulative deletion
// totals. A file counts (with the bytes it had just before it went) only when
// it really went; a failure is never counted, and a failed recycle is never
// turned into a permanent delete.
class DeleteRun
{
public:
    // One file operation on a path; true on success.
    using FileOperation = std::function<bool(const QString& path)>;
    // Told the index of the line about to be processed.
    using Progress = std::function<void(int index)>;

    struct Outcome {
        std::int64_t files = 0;    // files that went
        std::int64_t bytes = 0;    // their sizes
        QStringList failed;        // paths that could not be processed
        bool stoppedEarly = false; // the recycle loop stopped at a failure
    };

    // Takes the paths in any order and keeps them sorted (case-insensitive).
    explicit DeleteRun(const QStringList& paths);

    // The paths in the order they are shown and processed: case-insensitive
    // text order, equal-but-for-case paths in case-sensitive order.
    static QStringList sortedPaths(QStringList paths);

    const QStringList& paths() const { return m_paths; }

    // Deletes every path for good, in order. Each failure shows the error
    // "Couldn't delete file - " + path and the run goes on. Adds the outcome
    // to the deletion totals.
    Outcome deleteAll(const Progress& progress = {});
    // Sends every path to the recycle bin, in order. The first failure shows
    // "An error occurred sending files to the recycle bin.  The bin may be
    // full." and stops the loop. Adds the outcome to the recycled totals.
    Outcome recycleAll(const Progress& progress = {});

    // Moves one file to the platform's recycle bin; true when it went.
    static bool sendToRecycleBin(const QString& path);
    // Removes one file (a symbolic link is removed as a link); true when it went.
    static bool removeFile(const QString& path);
    // Size of the file at `path` without following a final symbolic link;
    // -1 when there is no such file or it is a folder.
    static std::int64_t fileSize(const QString& path);

    // Replaces the file operations (tests inject failures this way).
    void setRemover(FileOperation op) { m_remove = std::move(op); }
    void setRecycler(FileOperation op) { m_recycle = std::move(op); }

private:
    QStringList m_paths;
    FileOperation m_remove;
    FileOperation m_recycle;
};

} // namespace rw
