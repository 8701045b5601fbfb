#include "framework/core/DeleteRun.h"
#include "base/SaturatingSum.h"

#include <algorithm>
#include <cerrno>

#include "base/Messages.h"
#include "base/Settings.h"
#include "platform/Trash.h"

#include <QCoreApplication>

namespace rw
{

namespace
{
// The texts of this file, translated as one context.
struct DeleteRunTexts {
    Q_DECLARE_TR_FUNCTIONS(DeleteRunTexts)
};
} // namespace

namespace
{

bool shownLess(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

} // namespace

DeleteRun::DeleteRun(const QList<DeleteTarget>& targets, MessageResponder& reporter)
    : m_targets(targets), m_reporter(reporter), m_remove(&DeleteRun::removeFile),
      m_recycle(&DeleteRun::sendToRecycleBin)
{
    sortTargets(m_targets);
}

QStringList DeleteRun::sortedPaths(QStringList paths)
{
    std::stable_sort(paths.begin(), paths.end(), shownLess);
    return paths;
}

void DeleteRun::sortTargets(QList<DeleteTarget>& targets)
{
    std::stable_sort(
        targets.begin(), targets.end(),
        [](const DeleteTarget& a, const DeleteTarget& b) { return shownLess(a.shown, b.shown); });
}

QStringList DeleteRun::paths() const
{
    QStringList out;
    out.reserve(m_targets.size());
    for (const DeleteTarget& t : m_targets)
        out.append(t.shown);
    return out;
}

std::int64_t DeleteRun::fileSize(const QByteArray& path)
{
    FileStatus st;
    if (!pathStatus(path, &st) || (st.attributes & faDirectory))
        return -1;
    return st.size;
}

QString DeleteRun::replacedText(const QString& shown)
{
    return DeleteRunTexts::tr("%1 has been replaced or moved since the scan; it was left alone.")
        .arg(shown);
}

SafeFolder::Result DeleteRun::removeFile(const SafeFolder& folder, const DeleteTarget& target)
{
    // The folder object is the caller's; removing an entry changes the
    // folder's contents, not the descriptor.
    return const_cast<SafeFolder&>(folder).removeFile(target.name.constData(), target.identity);
}

SafeFolder::Result DeleteRun::sendToRecycleBin(const SafeFolder& folder, const DeleteTarget& target)
{
    return Trash::moveToTrash(folder, target.name.constData(), target.identity);
}

DeleteRun::Step DeleteRun::runOne(const DeleteTarget& target, const FileOperation& op,
                                  std::int64_t* size)
{
    *size = 0;
    SafeFolder folder;
    if (!folder.open(target.folder, target.folderIdentity)) {
        // A link where a folder of the path was (ELOOP, ENOTDIR) is a
        // replacement, not a fault of the file.
        if (folder.result() == SafeFolder::Result::Replaced || folder.error() == ELOOP ||
            folder.error() == ENOTDIR)
            return Step::Replaced;
        return Step::Failed;
    }
    FileStatus now;
    switch (folder.check(target.name.constData(), target.identity, &now)) {
    case SafeFolder::Result::Done:
        break;
    case SafeFolder::Result::Replaced:
        return Step::Replaced;
    default:
        return Step::Failed;
    }
    // Folders are not files: the grid deletes files only.
    if (now.attributes & faDirectory)
        return Step::Failed;
    *size = now.size;
    if (m_guard && !m_guard(folder, target))
        return Step::Kept;
    switch (op(folder, target)) {
    case SafeFolder::Result::Done:
        return Step::Done;
    case SafeFolder::Result::Replaced:
        return Step::Replaced;
    default:
        return Step::Failed;
    }
}

DeleteRun::Outcome DeleteRun::deleteAll(const Progress& progress)
{
    Outcome out;
    for (int i = 0; i < m_targets.size(); ++i) {
        if (progress)
            progress(i);
        const DeleteTarget& t = m_targets[i];
        std::int64_t size = 0;
        switch (runOne(t, m_remove, &size)) {
        case Step::Done:
            ++out.files;
            addTo(out.bytes, std::max<std::int64_t>(size, 0));
            out.gone.append(t);
            break;
        case Step::Replaced:
            out.replaced.append(t.shown);
            ShowErrorMessage(m_reporter, replacedText(t.shown));
            break;
        case Step::Failed:
            out.failed.append(t.shown);
            ShowErrorMessage(m_reporter,
                             DeleteRunTexts::tr("Couldn't delete file - %1").arg(t.shown));
            break;
        case Step::Kept:
            out.kept.append(t.shown);
            break;
        }
    }
    reportKept(out);
    addDeletionTotals(out.files, out.bytes, 0, 0);
    return out;
}

DeleteRun::Outcome DeleteRun::recycleAll(const Progress& progress)
{
    Outcome out;
    for (int i = 0; i < m_targets.size(); ++i) {
        if (progress)
            progress(i);
        const DeleteTarget& t = m_targets[i];
        std::int64_t size = 0;
        const Step step = runOne(t, m_recycle, &size);
        if (step == Step::Kept) {
            out.kept.append(t.shown);
            continue;
        }
        if (step == Step::Replaced) {
            // Not a fault of the bin: this one is left alone, the rest go on.
            out.replaced.append(t.shown);
            ShowErrorMessage(m_reporter, replacedText(t.shown));
            continue;
        }
        if (step == Step::Failed) {
            out.failed.append(t.shown);
            out.stoppedEarly = true;
            ShowErrorMessage(
                m_reporter,
                DeleteRunTexts::tr(
                    "An error occurred sending files to the recycle bin.  The bin may be full."));
            break;
        }
        ++out.files;
        addTo(out.bytes, std::max<std::int64_t>(size, 0));
        out.gone.append(t);
    }
    reportKept(out);
    addDeletionTotals(0, 0, out.files, out.bytes);
    return out;
}

void DeleteRun::reportKept(const Outcome& out) const
{
    // One box for all of them: a guard may keep many files of one run.
    if (!out.kept.isEmpty())
        ShowWarningMessage(m_reporter,
                           m_keptNotice + QLatin1Char('\n') + out.kept.join(QLatin1Char('\n')));
}

} // namespace rw
