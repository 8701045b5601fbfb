#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "framework/core/DeleteTarget.h"
#include "platform/LinkReplace.h"

namespace rw
{

class MessageResponder;

// The engine of "replace marked with links": each marked file is replaced by
// a link to a copy that stays (a reflink where the file system can clone,
// else a hard link), so every path still opens the same bytes and the space
// of the marked file is freed. A file is replaced only when a staying copy
// is found that is another file (not the file's own entry through another
// path, not another name of its inode), still the object the scan saw, and,
// compared just before, holds the same bytes; anything else leaves the file
// and says why. See LinkReplace for how one file is replaced.
class LinkReplaceRun
{
public:
    using Kind = LinkReplace::Kind;

    // One marked file and the members of its group that stay, in the order
    // they are tried.
    struct Item {
        DeleteTarget target;
        QList<DeleteTarget> copies;
    };

    // What came of one file.
    enum class Reason : std::uint8_t {
        Linked,          // replaced by a link
        NoCopy,          // no staying copy exists with the same bytes
        AlreadyLinked,   // every staying copy is the file's own inode
        OtherFileSystem, // no link kind joins it to any staying copy
        Changed,         // written to since the scan or during the replace
        Replaced,        // replaced or moved since the scan
        Failed,          // the system refused
        NotReached,      // the run was stopped before it
    };

    struct FileResult {
        QString shown;     // the file
        QString keptShown; // the copy it was (or would be) linked to
        Reason reason = Reason::NoCopy;
        Kind kind = Kind::None;
        std::int64_t size = 0;
        bool freed = false;          // its space is free (its last name went)
        bool attributesKept = false; // permissions, owner, times and xattrs kept
        int error = 0;               // errno for Failed
    };

    // What the confirmation shows before the run.
    struct Plan {
        int reflinks = 0;
        int hardLinks = 0;
        int left = 0;
        std::int64_t bytesFreed = 0;
        std::vector<FileResult> files; // in the order of the items
    };

    struct Outcome {
        int reflinks = 0;
        int hardLinks = 0;
        std::int64_t filesFreed = 0;
        std::int64_t bytesFreed = 0;
        std::vector<FileResult> files;
        bool stopped = false;
    };

    // Compares the bytes of two open files; true when equal.
    using SameBytes = std::function<bool(int fdA, int fdB)>;
    // Told the index of the item about to be processed; false stops the run.
    using Progress = std::function<bool(int index)>;

    // `items` are processed in the order given; `sameBytes` is the byte
    // compare (without it no file is ever replaced).
    LinkReplaceRun(QList<Item> items, SameBytes sameBytes);

    const QList<Item>& items() const { return m_items; }

    // Which files would become which link, and the bytes that would be
    // freed, looked up without changing anything and without reading any
    // contents (the run compares them).
    Plan plan() const;

    // Replaces every item in order. Adds the files whose space was freed
    // and the bytes to the deletion totals.
    Outcome run(const Progress& progress = {});

    // Only the hard link is tried (tests, and file systems that refuse
    // clones only at the last moment).
    void setHardLinkOnly(bool only) { m_hardLinkOnly = only; }

    // "reflink" / "hard link".
    static QString kindText(Kind kind);
    // Why a file was left, for the report.
    static QString reasonText(const FileResult& result);
    // The summary after a run: what was replaced, the bytes freed, and each
    // file left with its reason.
    static QString reportText(const Outcome& outcome);
    // Shows reportText() through `responder`: a warning when files were
    // left, else information.
    static void report(const Outcome& outcome, MessageResponder& responder);

private:
    FileResult runOne(const Item& item) const;
    // What is done with one copy that could stand in for the file: a reason
    // ends the walk over the copies with it; none tries the next copy
    // (after setting `why`, the reason the file stays if no copy serves).
    using CopyStep = std::function<std::optional<Reason>(SafeFolder& keptFolder,
                                                         const DeleteTarget& copy, Reason& why)>;
    // Walks the copies of `item`, each opened and checked to be what the
    // scan saw, another inode than the file `link` holds open and of the
    // file's `size`, handing each to `step`. Returns the reason `step` ended
    // with, else why no copy served (NoCopy, AlreadyLinked or what `step`
    // said).
    Reason tryCopies(const Item& item, LinkReplace& link, std::int64_t size,
                     const CopyStep& step) const;

    QList<Item> m_items;
    SameBytes m_sameBytes;
    bool m_hardLinkOnly = false;
};

} // namespace rw
