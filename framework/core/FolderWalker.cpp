#include "framework/core/FolderWalker.h"

#include "app/core/Messages.h"

#include <QFile>

#include <stdexcept>

namespace rw
{

namespace
{

// Folders kept open at once. Deeper walks close the oldest descriptors and
// reopen those folders by path when they come back to them.
constexpr std::size_t kMaxOpenFolders = 128;

} // namespace

struct FolderWalker::Frame {
    DirListing listing;
    WalkFolder folder;
    FolderTotals totals;
    std::size_t cursor = 0;
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
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
    try {
        if (!DriveValid(letter))
            return false;
    } catch (const std::invalid_argument&) {
        return false;
    }
    DriveInfo drive;
    if (!findDrive(letter, &drive))
        return false;
    if (!walkTree(drive, entryText)) {
        ShowMessageBox(m_reporter, MessageKind::Error,
                       QStringLiteral("Can't open drive ") + entryText);
        return false;
    }
    return true;
}

bool FolderWalker::openFrame(Frame& frame, int parentFd, const char* name, bool isRoot)
{
    frame.totals = FolderTotals();
    frame.cursor = 0;
    frame.folder.m_displayMade = false;
    if (m_openFilter && !m_openFilter(frame.folder.path))
        return false;
    // The drive root is opened as configured (it may itself be a link, like
    // a substituted drive); everything below refuses links.
    if (!frame.listing.open(parentFd, name, isRoot))
        return false;
    FileStatus self;
    if (!frame.listing.selfStatus(&self)) {
        frame.listing.close();
        return false;
    }
    std::uint64_t dev = self.dev;
    if (m_deviceFilter)
        dev = m_deviceFilter(frame.folder.path, dev);
    if (isRoot)
        m_rootDev = dev;
    else if (dev != m_rootDev) {
        frame.listing.close();
        return false;
    }
    frame.dev = self.dev;
    frame.ino = self.ino;
    frame.folder.dev = self.dev;
    frame.folder.ino = self.ino;
    if (!frame.listing.readAll()) {
        frame.listing.close();
        return false;
    }
    return true;
}

bool FolderWalker::reopenFrame(Frame& frame)
{
    if (frame.listing.isOpen())
        return true;
    if (!frame.listing.reattach(frame.folder.path))
        return false;
    FileStatus self;
    // The folder must still be the one listed, not something put in its place.
    if (!frame.listing.selfStatus(&self) || self.dev != frame.dev || self.ino != frame.ino) {
        frame.listing.releaseDescriptor();
        return false;
    }
    return true;
}

void FolderWalker::limitOpenFolders(std::size_t depth)
{
    if (depth >= kMaxOpenFolders)
        m_frames[depth - kMaxOpenFolders]->listing.releaseDescriptor();
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
    const QByteArray rootPath = QFile::encodeName(drive.root);
    root.folder.path = rootPath;
    root.folder.depth = 0;
    root.folder.drive = &drive;
    root.folder.driveEntry = &entryText;
    if (!openFrame(root, DirListing::kWorkingFolder, rootPath.constData(), true))
        return false;
    m_strategy.driveStarted(drive, entryText);

    std::size_t depth = 0;
    bool entered = true; // the folder at `depth` was just opened
    while (!checkAbort()) {
        Frame& f = *m_frames[depth];
        if (entered) {
            entered = false;
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
                if (!reopenFrame(f)) {
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
            if (!reopenFrame(f)) {
                usable = false;
                break;
            }
            if (m_frames.size() <= depth + 1)
                m_frames.push_back(std::make_unique<Frame>());
            Frame& child = *m_frames[depth + 1];
            QByteArray& cp = child.folder.path;
            cp.resize(0);
            cp.append(f.folder.path);
            if (!cp.endsWith('/'))
                cp.append('/');
            cp.append(e.name.data(), qsizetype(e.name.size()));
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
            // A folder that cannot be opened or read is left out.
        }
        if (descended)
            continue;

        // Every sub-folder is done: the folder's own files, then the folder.
        if (usable && reopenFrame(f)) {
            examineFiles(f);
            if (checkAbort())
                break;
            const Verdict v = m_strategy.folderDone(f.folder, f.totals);
            if (v == Verdict::Keep)
                ++f.totals.kept;
            if (!noteVerdict(v))
                break;
        }
        f.listing.close();
        if (depth == 0)
            return true;
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

    FileRecord rec;
    rec.folder = &f.folder;
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
            // Decided from the listing alone: no metadata call for entries
            // that are left out anyway.
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
        if (!m_wildcard.matches(e.name)) {
            if (!knownType)
                ++f.totals.files; // may be a folder: a rare file system without types
            continue;
        }
        if (!f.listing.status(e.name.data(), &rec.status))
            continue;
        if (!knownType) {
            if (rec.status.attributes & faDirectory)
                continue;
            ++f.totals.files;
        }
        if (rec.status.attributes & (faDirectory | faSymLink | excluded))
            continue;
        rec.name = e.name;
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

} // namespace rw
