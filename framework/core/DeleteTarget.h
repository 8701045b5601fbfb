#pragma once

#include <QByteArray>
#include <QString>

#include "platform/FileAttributes.h"
#include "platform/FileIdentity.h"

namespace rw
{

// One file or folder the user asked to delete or recycle, named as the scan
// saw it: its folder and its name as the file system's bytes, and which
// objects both were. `shown` is the text the user sees in lists and
// messages; no file operation ever uses it.
struct DeleteTarget {
    QByteArray folder; // absolute path of the containing folder
    QByteArray name;   // no '/'
    FileIdentity identity;
    FileIdentity folderIdentity;
    QString shown;

    // folder + '/' + name.
    QByteArray pathBytes() const;
};

} // namespace rw
