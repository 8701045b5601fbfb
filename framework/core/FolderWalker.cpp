#include "framework/core/FolderWalker.h"

#include "base/SaturatingSum.h"
#include "framework/core/WalkExclusions.h"

#include "base/Messages.h"
#include "base/SharedRoutines.h"
#include "platform/DisplayName.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace rw
{

namespace
{
// The texts of this file, translated as one context.
struct FolderWalkerTexts {
    Q_DECLARE_TR_FUNCTIONS(FolderWalkerTexts)
};
} // namespace

namespace
{

// Folders kept open at once (the drive root always among them). Deeper walks
// close the older descriptors and reopen those folders relative to open ones
// when they come back to them.
constexpr std::size_t kMaxOpenFolders = 128;

// Files whose metadata is read at once (by this thread and the helpers)
// before they are handed over: small enough that Abort still comes quickly.
constexpr std::size_t kStatBlock = 1024;

// Files a folder needs before its calls are shared (two chunks of the
// loop's default grain): below that, waking a helper costs more than it saves.
constexpr std::size_t kParallelStatFiles = 32;

// Folders named in the warning about folders left out.
constexpr int kSkippedShown = 10;

// A folder that vanished, or became a file or a link, between the listing
// and the open: nothing in it is lost, so it is not reported.
bool isGone(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ELOOP;
}

} // namespace

struct FolderWalker::Frame {
    DirListing listing;
    WalkFolder folder;
    FolderTotals totals;
    std::size_t cursor = 0;
    QByteArray name;          // the raw name in the parent folder (empty for the root)
    qsizetype pathLength = 0; // the length of the folder's path in m_path
    bool lost = false;        // could not be reopened: the rest of it is left out
    int openError = 0;        // why openFrame failed (0: not entered by rule)
};

FolderWalker::FolderWalker(WalkStrategy& strategy, bool& abortRequested, MessageResponder& reporter)
    : m_strategy(strategy), m_abort(abortRequested), m_reporter(reporter),
      m_interval(std::chrono::milliseconds(30))
{
}

FolderWalker::~FolderWalker() = default;

void FolderWalker::setProgressCallback(ProgressCallback callback,
                                       std::chrono::milliseconds interval)
{
    m_progress = std::move(callback);
    m_interval = interval;
    m_progressDue = true;
}

void FolderWalker::resetCounts()
{
    m_kept = 0;
    m_examined = 0;
    m_folders = 0;
    m_bytesSeen = 0;
    m_skipped = 0;
    m_skippedUnreported = 0;
    m_skippedShown.clear();
}

void FolderWalker::noteSkipped(const QByteArray& path, int error)
{
    ++m_skipped;
    if (m_skipCallback) {
        m_skipCallback(path, error);
        return;
    }
    ++m_skippedUnreported;
    if (m_skippedShown.size() >= kSkippedShown)
        return;
    const QString reason = error == ESTALE ? FolderWalkerTexts::tr("moved while it was scanned")
                                           : QString::fromLocal8Bit(std::strerror(error));
    m_skippedShown.append(displayName(path) + QStringLiteral(" (") + reason + ')');
}

QString FolderWalker::takeSkippedFoldersText()
{
    if (m_skippedUnreported == 0)
        return QString();
    QString text =
        m_skippedUnreported == 1
            ? FolderWalkerTexts::tr("1 folder could not be read; what it holds is not in "
                                    "the results:")
            : FolderWalkerTexts::tr("%1 folders could not be read; what they hold is not in "
                                    "the results:")
                  .arg(FormatGrouped(m_skippedUnreported));
    for (const QString& line : std::as_const(m_skippedShown))
        text += '\n' + line;
    if (m_skippedUnreported > m_skippedShown.size())
        text += FolderWalkerTexts::tr("\n... and %1 more")
                    .arg(FormatGrouped(m_skippedUnreported - m_skippedShown.size()));
    m_skippedUnreported = 0;
    m_skippedShown.clear();
    return text;
}

// The walk's messages go through the one responder, like "Can't open drive".
void FolderWalker::reportSkipped()
{
    const QString text = takeSkippedFoldersText();
    if (!text.isEmpty())
        ShowWarningMessage(m_reporter, text);
}

void FolderWalker::scanAllDrives(const QStringList& checkedEntries)
{
    for (const QString& entry : checkedEntries) {
        if (m_abort)
            return;
        scanDrive(entry);
    }
}

bool FolderWalker::scanDrive(const QString& entryText)
{
    if (entryText.isEmpty())
        return false;
    const QChar letter = entryText.at(0);
    const QString cannotOpen = FolderWalkerTexts::tr("Can't open drive %1").arg(entryText);
    try {
        if (!DriveValid(letter)) {
            // A letter mapped to a plain file answers the size query, so the
            // drive is there, but its root is no folder to open: said like
            // any root that cannot be opened. A missing drive stays silent.
            DriveInfo mapped;
            if (findDrive(letter, &mapped) && pathGeometryBytes(mapped.rootPath(), nullptr))
                ShowMessageBox(m_reporter, MessageKind::Error, cannotOpen);
            return false;
        }
    } catch (const std::invalid_argument&) {
        return false;
    }
    DriveInfo drive;
    if (!findDrive(letter, &drive))
        return false;
    if (!walkTree(drive, entryText)) {
        ShowMessageBox(m_reporter, MessageKind::Error, cannotOpen);
        return false;
    }
    reportSkipped();
    return true;
}

bool FolderWalker::openFrame(Frame& frame, int parentFd, const char* name, bool isRoot)
{
    frame.totals = FolderTotals();
    frame.cursor = 0;
    frame.lost = false;
    frame.openError = EACCES;
    if (m_openFilter && !m_openFilter(frame.folder.path))
        return false;
    // The drive root is opened as configured (it may itself be a link, like
    // a substituted drive); everything below refuses links.
    if (!frame.listing.open(parentFd, name, isRoot)) {
        frame.openError = frame.listing.error();
        return false;
    }
    FileStatus self;
    if (!frame.listing.selfStatus(&self)) {
        frame.openError = errno;
        frame.listing.close();
        return false;
    }
    MountIdentity mount = MountIdentity::of(self);
    if (m_deviceFilter)
        mount.dev = m_deviceFilter(frame.folder.path, mount.dev);
    if (isRoot) {
        m_rootMount = mount;
    } else if (!mount.sameMount(m_rootMount)) {
        // Another file system, or a bind mount of this one: not entered, by rule.
        frame.openError = 0;
        frame.listing.close();
        return false;
    }
    // Reached again through another root, a link given as a root or a bind
    // mount: its files were handed over under the first path met.
    if (!m_walkedFolders.insert(InodeKey{self.dev, self.ino}).second) {
        frame.openError = 0;
        frame.listing.close();
        return false;
    }
    frame.folder.dev = self.dev;
    frame.folder.ino = self.ino;
    if (!frame.listing.readAll()) {
        frame.openError = frame.listing.error();
        frame.listing.close();
        return false;
    }
    return true;
}

// The folder at `depth` gave up its descriptor: it is opened again name by
// name from the nearest open ancestor (the drive root at worst), each step
// checked against the device and inode seen on the way down. The steps
// within the window of open folders keep their descriptors for the way back.
bool FolderWalker::reopenFrame(std::size_t depth)
{
    Frame& f = *m_frames[depth];
    if (f.listing.isOpen())
        return true;
    if (f.lost || depth == 0)
        return false;
    std::size_t first = depth;
    while (first > 1 && !m_frames[first - 1]->listing.isOpen())
        --first;
    int from = m_frames[first - 1]->listing.fd();
    FileDescriptor held; // a step outside the window, needed only for the next one
    for (std::size_t i = first; i <= depth; ++i) {
        Frame& step = *m_frames[i];
        FileDescriptor fd =
            openFolderChecked(from, step.name.constData(), step.folder.dev, step.folder.ino);
        if (!fd.isValid()) {
            const int error = errno;
            f.lost = true;
            noteSkipped(m_path, error == ENOENT ? ESTALE : error);
            return false;
        }
        if (i + kMaxOpenFolders > depth) {
            step.listing.reattach(std::move(fd));
            from = step.listing.fd();
        } else {
            held = std::move(fd);
            from = held.get();
        }
    }
    return true;
}

void FolderWalker::limitOpenFolders(std::size_t depth)
{
    // The root stays open: it is where a reopening starts at worst.
    if (depth > kMaxOpenFolders)
        m_frames[depth - kMaxOpenFolders]->listing.releaseDescriptor();
}

// Only the folder being walked holds its path (sharing m_path): the parent
// lets go of its copy first, so the append below reuses the buffer and a
// deep walk keeps one path, not one per level.
void FolderWalker::enterPath(Frame& parent, Frame& child, std::string_view name)
{
    parent.folder.path = QByteArray();
    parent.folder.m_display = QString();
    parent.folder.m_displayMade = false;
    if (!m_path.endsWith('/'))
        m_path.append('/');
    m_path.append(name.data(), qsizetype(name.size()));
    child.name.resize(0);
    child.name.append(name.data(), qsizetype(name.size()));
    child.pathLength = m_path.size();
    child.folder.path = m_path;
    child.folder.m_display = QString();
    child.folder.m_displayMade = false;
}

void FolderWalker::leavePath(Frame& child, Frame& parent)
{
    child.folder.path = QByteArray();
    child.folder.m_display = QString();
    child.folder.m_displayMade = false;
    m_path.truncate(parent.pathLength);
    parent.folder.path = m_path;
}

std::string_view FolderWalker::relativePath(std::string_view name)
{
    if (!m_exclusions->needsPaths())
        return name;
    const qsizetype rootLength = m_frames[0]->pathLength;
    m_relative.clear();
    if (m_path.size() > rootLength) {
        // Past the root's own path and the '/' after it (absent when the
        // root is "/" itself).
        qsizetype from = rootLength;
        if (m_path[from] == '/')
            ++from;
        m_relative.assign(m_path.constData() + from, std::size_t(m_path.size() - from));
        m_relative += '/';
    }
    m_relative.append(name.data(), name.size());
    return m_relative;
}

bool FolderWalker::checkAbort()
{
    return m_abort;
}

void FolderWalker::maybeProgress(const WalkFolder& folder)
{
    if (!m_progress)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!m_progressDue && now - m_lastProgress < m_interval)
        return;
    m_progressDue = false;
    m_lastProgress = now;
    m_progress(folder);
}

bool FolderWalker::noteVerdict(Verdict v)
{
    if (v == Verdict::Stop) {
        m_abort = true;
        return false;
    }
    if (v == Verdict::Keep && ++m_kept >= m_limit) {
        ShowWarningMessage(m_reporter, m_listFullWarning);
        m_abort = true;
        return false;
    }
    return !m_abort;
}

bool FolderWalker::walkTree(const DriveInfo& drive, const QString& entryText)
{
    if (m_frames.empty())
        m_frames.push_back(std::make_unique<Frame>());
    Frame& root = *m_frames[0];
    m_path = drive.rootPath();
    root.name.clear();
    root.pathLength = m_path.size();
    root.folder.path = m_path;
    root.folder.m_display = QString();
    root.folder.m_displayMade = false;
    root.folder.depth = 0;
    root.folder.drive = &drive;
    root.folder.driveEntry = &entryText;
    if (!openFrame(root, DirListing::kWorkingFolder, m_path.constData(), true)) {
        if (root.openError == 0)
            return true; // walked already, nothing is left out
        m_rootError = root.openError;
        return false;
    }
    m_strategy.driveStarted(drive, entryText);

    std::size_t depth = 0;
    bool entered = true; // the folder at `depth` was just opened
    while (!checkAbort()) {
        Frame& f = *m_frames[depth];
        if (entered) {
            entered = false;
            ++m_folders;
            m_strategy.folderEntered(f.folder);
            maybeProgress(f.folder);
            if (checkAbort())
                break;
        }

        // Next sub-folder to enter, if any.
        bool descended = false;
        bool usable = true;
        DirEntry e;
        while (f.listing.next(f.cursor, &e)) {
            EntryType type = e.type;
            if (type == EntryType::Unknown) {
                if (!reopenFrame(depth)) {
                    usable = false;
                    break;
                }
                FileStatus st;
                if (!f.listing.status(e.name.data(), &st))
                    continue;
                type = (st.attributes & faDirectory) ? EntryType::Directory : EntryType::File;
            }
            if (type != EntryType::Directory)
                continue;
            ++f.totals.subFolders;
            if (e.isHidden())
                continue;
            if (m_exclusions && m_exclusions->excludes(e.name, relativePath(e.name)))
                continue;
            if (!reopenFrame(depth)) {
                usable = false;
                break;
            }
            if (m_frames.size() <= depth + 1)
                m_frames.push_back(std::make_unique<Frame>());
            Frame& child = *m_frames[depth + 1];
            enterPath(f, child, e.name);
            child.folder.depth = int(depth + 1);
            child.folder.drive = &drive;
            child.folder.driveEntry = &entryText;
            if (openFrame(child, f.listing.fd(), e.name.data(), false)) {
                ++depth;
                limitOpenFolders(depth);
                entered = true;
                descended = true;
                break;
            }
            // A folder that cannot be opened or read is left out, and said so.
            if (child.openError != 0 && !isGone(child.openError)) {
                noteSkipped(m_path, child.openError);
                // Its identity as the parent lists it, so a row for it
                // names exactly this folder.
                FileStatus st;
                const bool known = f.listing.status(e.name.data(), &st);
                child.folder.dev = known ? st.dev : 0;
                child.folder.ino = known ? st.ino : 0;
                m_strategy.folderUnreadable(child.folder, child.openError);
            }
            leavePath(child, f);
        }
        if (descended)
            continue;

        // Every sub-folder is done: the folder's own files, then the folder.
        if (usable && reopenFrame(depth)) {
            examineFiles(f);
            if (checkAbort())
                break;
            const Verdict v = m_strategy.folderDone(f.folder, f.totals);
            if (v == Verdict::Keep)
                ++f.totals.kept;
            if (!noteVerdict(v))
                break;
        }
        if (depth == 0) {
            f.listing.close();
            return true;
        }
        // The parent gave up its descriptor on the way down: ".." of this
        // folder is the cheapest way back, when it still is the parent.
        Frame& parent = *m_frames[depth - 1];
        if (!parent.listing.isOpen() && !parent.lost && f.listing.isOpen())
            parent.listing.reattach(
                openFolderChecked(f.listing.fd(), "..", parent.folder.dev, parent.folder.ino));
        f.listing.close();
        leavePath(f, parent);
        --depth;
    }
    // Aborted: let go of every folder still open.
    for (std::size_t i = 0; i <= depth && i < m_frames.size(); ++i)
        m_frames[i]->listing.close();
    return true;
}

void FolderWalker::examineFiles(Frame& f)
{
    const QString pattern = m_strategy.filePattern(f.folder);
    if (pattern != m_wildcard.pattern())
        m_wildcard = Wildcard(pattern);
    m_strategy.filesStarting(f.folder);
    const std::uint32_t excluded = m_strategy.excludedAttributes();

    // First the names that need a metadata call, decided from the listing
    // alone: no call for entries that are left out anyway.
    m_pending.clear();
    std::size_t cursor = 0;
    DirEntry e;
    while (f.listing.next(cursor, &e)) {
        if (m_abort)
            return;
        if (e.type == EntryType::Directory)
            continue;
        const bool knownType = e.type != EntryType::Unknown;
        if (knownType) {
            ++f.totals.files;
            if (e.type == EntryType::SymLink)
                continue;
            if (e.type == EntryType::Special && (excluded & faSysFile))
                continue;
        }
        if ((excluded & faHidden) && e.isHidden()) {
            if (!knownType)
                ++f.totals.files;
            continue;
        }
        if (!m_wildcard.matches(e.name) ||
            (m_exclusions && m_exclusions->excludes(e.name, relativePath(e.name)))) {
            if (!knownType)
                ++f.totals.files; // may be a folder: a rare file system without types
            continue;
        }
        m_pending.push_back({e.name, knownType});
    }

    // Then the calls, a block at a time on this thread and the helpers
    // together (they are most of a walk's time, and the kernel serves them
    // in parallel), and the files handed over one by one in listing order.
    if (!m_statLoop && m_helperThreads != 0 && m_pending.size() >= kParallelStatFiles)
        m_statLoop = std::make_unique<ParallelLoop>(m_helperThreads);
    FileRecord rec;
    rec.folder = &f.folder;
    const DirListing& listing = f.listing;
    for (std::size_t start = 0; start < m_pending.size(); start += kStatBlock) {
        const std::size_t count = std::min(kStatBlock, m_pending.size() - start);
        m_statuses.resize(count);
        m_statOk.resize(count);
        const auto statOne = [&](std::size_t i) {
            m_statOk[i] = listing.status(m_pending[start + i].name.data(), &m_statuses[i]);
        };
        if (m_statLoop)
            m_statLoop->run(count, statOne);
        else
            for (std::size_t i = 0; i < count; ++i)
                statOne(i);
        for (std::size_t i = 0; i < count; ++i) {
            if (m_abort)
                return;
            if (!m_statOk[i])
                continue;
            const PendingFile& p = m_pending[start + i];
            rec.status = m_statuses[i];
            if (!p.knownType) {
                if (rec.status.attributes & faDirectory)
                    continue;
                ++f.totals.files;
            }
            if (rec.status.attributes & (faDirectory | faSymLink | excluded))
                continue;
            rec.name = p.name;
            if (m_diskUsage)
                rec.status.size = rec.status.blocks > std::uint64_t(INT64_MAX / 512)
                                      ? INT64_MAX
                                      : std::int64_t(rec.status.blocks) * 512;
            addTo(m_bytesSeen, rec.status.size);
            ++f.totals.examined;
            ++m_examined;
            const Verdict v = m_strategy.fileMatched(rec);
            if (v == Verdict::Keep)
                ++f.totals.kept;
            if (!noteVerdict(v))
                return;
            maybeProgress(f.folder);
        }
    }
}

} // namespace rw
