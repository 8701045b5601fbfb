#include "framework/core/PathTarget.h"

#include "platform/DirListing.h"
#include "platform/DisplayName.h"

namespace rw
{

DeleteTarget targetForPath(const QByteArray& path)
{
    DeleteTarget t;
    const qsizetype slash = path.lastIndexOf('/');
    t.folder = slash <= 0 ? QByteArray("/") : path.left(slash);
    t.name = path.mid(slash + 1);
    t.shown = displayName(path);
    FileStatus st;
    if (pathStatus(path, &st))
        t.identity = FileIdentity{st.dev, st.ino, FileIdentity::typeOfMode(st.mode)};
    FileStatus folder;
    if (pathStatus(t.folder, &folder))
        t.folderIdentity = FileIdentity{folder.dev, folder.ino, FileIdentity::Type::Folder};
    return t;
}

} // namespace rw
