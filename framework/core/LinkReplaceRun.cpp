#include "framework/core/LinkReplaceRun.h"

#include <QCoreApplication>
#include <QHash>

#include <cerrno>
#include <cstring>

#include "base/Messages.h"
#include "base/SaturatingSum.h"
#include "base/Settings.h"
#include "base/SharedRoutines.h"
#include "platform/SafeFolder.h"

namespace rw
{

namespace
{
// The texts of this file, translated as one context.
struct LinkReplaceTexts {
    Q_DECLARE_TR_FUNCTIONS(LinkReplaceTexts)
};

// Opens the folder of `t` and checks `t` is still the object the scan saw.
LinkReplaceRun::Reason openChecked(const DeleteTarget& t, SafeFolder* folder, FileStatus* now)
{
    if (!folder->open(t.folder, t.folderIdentity)) {
        const bool replaced = folder->result() == SafeFolder::Result::Replaced ||
                              folder->result() == SafeFolder::Result::Missing ||
                              folder->error() == ELOOP || folder->error() == ENOTDIR;
        return replaced ? LinkReplaceRun::Reason::Replaced : LinkReplaceRun::Reason::Failed;
    }
    switch (folder->check(t.name.constData(), t.identity, now)) {
    case SafeFolder::Result::Done:
        return LinkReplaceRun::Reason::Linked;
    case SafeFolder::Result::Failed:
        return LinkReplaceRun::Reason::Failed;
    default:
        return LinkReplaceRun::Reason::Replaced;
    }
}

} // namespace

LinkReplaceRun::LinkReplaceRun(QList<Item> items, SameBytes sameBytes)
    : m_items(std::move(items)), m_sameBytes(std::move(sameBytes))
{
}

LinkReplaceRun::Plan LinkReplaceRun::plan() const
{
    Plan out;
    // An inode's space is freed when all its names are replaced: counted
    // at the last of them.
    struct Names {
        std::uint64_t links = 0;
        std::uint64_t planned = 0;
    };
    QHash<QPair<quint64, quint64>, Names> names;
    for (const Item& item : m_items) {
        FileResult r;
        r.shown = item.target.shown;
        SafeFolder folder;
        FileStatus now;
        r.reason = openChecked(item.target, &folder, &now);
        LinkReplace link;
        if (r.reason == Reason::Linked &&
            !link.openFile(folder, item.target.name.constData(), item.target.identity))
            r.reason = Reason::Replaced;
        if (r.reason == Reason::Linked) {
            r.size = link.fileSize();
            // The plan reads no contents: the run compares the bytes.
            r.reason = tryCopies(
                item, link, r.size,
                [&](SafeFolder&, const DeleteTarget& copy, Reason& why) -> std::optional<Reason> {
                    Kind kind = link.possibleKind(folder);
                    if (m_hardLinkOnly && kind == Kind::Reflink)
                        kind = Kind::HardLink;
                    if (kind == Kind::None) {
                        why = Reason::OtherFileSystem;
                        return std::nullopt;
                    }
                    r.kind = kind;
                    r.keptShown = copy.shown;
                    return Reason::Linked;
                });
        }
        if (r.reason == Reason::Linked) {
            ++(r.kind == Kind::Reflink ? out.reflinks : out.hardLinks);
            Names& n = names[qMakePair(quint64(now.dev), quint64(now.ino))];
            n.links = now.nlink;
            if (++n.planned == n.links) {
                r.freed = true;
                addTo(out.bytesFreed, r.size);
            }
        } else {
            ++out.left;
        }
        out.files.push_back(r);
    }
    return out;
}

LinkReplaceRun::FileResult LinkReplaceRun::runOne(const Item& item) const
{
    FileResult r;
    r.shown = item.target.shown;
    SafeFolder folder;
    FileStatus now;
    r.reason = openChecked(item.target, &folder, &now);
    if (r.reason != Reason::Linked)
        return r;
    LinkReplace link;
    if (!link.openFile(folder, item.target.name.constData(), item.target.identity)) {
        r.reason = link.error() == ESTALE || link.error() == ELOOP || link.error() == EINVAL ||
                           link.error() == ENOENT
                       ? Reason::Replaced
                       : Reason::Failed;
        r.error = link.error();
        return r;
    }
    r.size = link.fileSize();
    r.reason = tryCopies(item, link, r.size,
                         [&](SafeFolder& keptFolder, const DeleteTarget& copy,
                             Reason& why) -> std::optional<Reason> {
                             if (!m_sameBytes || !m_sameBytes(link.fileFd(), link.keptFd()))
                                 return std::nullopt;
                             switch (link.replace(folder, item.target.name.constData(), keptFolder,
                                                  copy.name.constData(), m_hardLinkOnly)) {
                             case LinkReplace::Result::Done:
                                 r.kind = link.linkKind();
                                 r.keptShown = copy.shown;
                                 r.freed = link.freed();
                                 r.attributesKept = link.attributesKept();
                                 return Reason::Linked;
                             case LinkReplace::Result::OtherFileSystem:
                                 // Another staying copy may lie on the file's own file system.
                                 why = Reason::OtherFileSystem;
                                 return std::nullopt;
                             case LinkReplace::Result::Changed:
                                 return Reason::Changed;
                             case LinkReplace::Result::Replaced:
                                 return Reason::Replaced;
                             case LinkReplace::Result::Failed:
                                 r.error = link.error();
                                 return Reason::Failed;
                             }
                             return std::nullopt;
                         });
    return r;
}

LinkReplaceRun::Reason LinkReplaceRun::tryCopies(const Item& item, LinkReplace& link,
                                                 std::int64_t size, const CopyStep& step) const
{
    Reason why = Reason::NoCopy;
    for (const DeleteTarget& copy : item.copies) {
        SafeFolder keptFolder;
        FileStatus keptNow;
        if (openChecked(copy, &keptFolder, &keptNow) != Reason::Linked ||
            !link.openKept(keptFolder, copy.name.constData(), copy.identity))
            continue;
        // The file's own entry through another path, or another name of its
        // inode: linking to it would change nothing and free nothing.
        if (link.sameInode()) {
            if (why == Reason::NoCopy)
                why = Reason::AlreadyLinked;
            continue;
        }
        if (keptNow.size != size)
            continue;
        if (const std::optional<Reason> end = step(keptFolder, copy, why))
            return *end;
    }
    return why;
}

LinkReplaceRun::Outcome LinkReplaceRun::run(const Progress& progress)
{
    Outcome out;
    out.files.reserve(std::size_t(m_items.size()));
    for (int i = 0; i < m_items.size(); ++i) {
        if (progress && !progress(i)) {
            out.stopped = true;
            for (int j = i; j < m_items.size(); ++j) {
                FileResult r;
                r.shown = m_items[j].target.shown;
                r.reason = Reason::NotReached;
                out.files.push_back(r);
            }
            break;
        }
        FileResult r = runOne(m_items[i]);
        if (r.reason == Reason::Linked) {
            ++(r.kind == Kind::Reflink ? out.reflinks : out.hardLinks);
            if (r.freed) {
                ++out.filesFreed;
                addTo(out.bytesFreed, r.size);
            }
        }
        out.files.push_back(std::move(r));
    }
    if (out.filesFreed > 0)
        addDeletionTotals(out.filesFreed, out.bytesFreed, 0, 0);
    return out;
}

QString LinkReplaceRun::kindText(Kind kind)
{
    switch (kind) {
    case Kind::Reflink:
        return LinkReplaceTexts::tr("reflink");
    case Kind::HardLink:
        return LinkReplaceTexts::tr("hard link");
    case Kind::None:
        break;
    }
    return QString();
}

QString LinkReplaceRun::reasonText(const FileResult& result)
{
    switch (result.reason) {
    case Reason::Linked:
        return LinkReplaceTexts::tr("%1 to %2").arg(kindText(result.kind), result.keptShown);
    case Reason::NoCopy:
        return LinkReplaceTexts::tr("no copy that stays holds the same bytes");
    case Reason::AlreadyLinked:
        return LinkReplaceTexts::tr("already a link of the copy that stays");
    case Reason::OtherFileSystem:
        return LinkReplaceTexts::tr("on another file system than every copy that stays");
    case Reason::Changed:
        return LinkReplaceTexts::tr("changed since the scan");
    case Reason::Replaced:
        return LinkReplaceTexts::tr("replaced or moved since the scan");
    case Reason::Failed:
        return LinkReplaceTexts::tr("the system refused: %1")
            .arg(QString::fromLocal8Bit(std::strerror(result.error)));
    case Reason::NotReached:
        return LinkReplaceTexts::tr("not reached: the run was stopped");
    }
    return QString();
}

QString LinkReplaceRun::reportText(const Outcome& outcome)
{
    QString text =
        LinkReplaceTexts::tr("Files replaced by links: %1 (reflinks: %2, hard links: %3). "
                             "Bytes freed: %4 bytes.")
            .arg(FormatGrouped(outcome.reflinks + outcome.hardLinks),
                 FormatGrouped(outcome.reflinks), FormatGrouped(outcome.hardLinks),
                 FormatGrouped(outcome.bytesFreed));
    QStringList left;
    QStringList notKept;
    for (const FileResult& r : outcome.files) {
        if (r.reason != Reason::Linked)
            left.append(LinkReplaceTexts::tr("%1: %2").arg(r.shown, reasonText(r)));
        else if (r.kind == Kind::Reflink && !r.attributesKept)
            notKept.append(r.shown);
    }
    // Only root may give a file to another owner (a reflink of someone
    // else's file is then the user's own) or set trusted.* attributes.
    if (!notKept.isEmpty())
        text += QLatin1Char('\n') +
                LinkReplaceTexts::tr("These reflinks could not keep the replaced file's owner, "
                                     "permissions, times or extended attributes:") +
                QLatin1Char('\n') + notKept.join(QLatin1Char('\n'));
    if (!left.isEmpty())
        text += QLatin1Char('\n') + LinkReplaceTexts::tr("These files were left as they are:") +
                QLatin1Char('\n') + left.join(QLatin1Char('\n'));
    return text;
}

void LinkReplaceRun::report(const Outcome& outcome, MessageResponder& responder)
{
    bool anyLeft = false;
    for (const FileResult& r : outcome.files)
        anyLeft = anyLeft || r.reason != Reason::Linked;
    if (anyLeft)
        ShowWarningMessage(responder, reportText(outcome));
    else
        ShowInfoMessage(responder, reportText(outcome));
}

} // namespace rw
