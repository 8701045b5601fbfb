#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>

namespace rw
{

// How many result lines one scan keeps at most. Far beyond what a grid shows
// usefully, yet it bounds the memory a scan of a huge tree can take. When a
// scan reaches it, it warns with listFullWarning() and stops as if aborted.
inline constexpr std::int64_t kCollectionListLimit = 5'000'000;

// The warning shown when the collection list is full ("\r" twice, as the
// message routines expect), in the user's language.
inline QString listFullWarning()
{
    return QCoreApplication::translate(
        "ScanLimits", "Due to Windows resource limitations ... cannot process any more files.\r\r"
                      "Try increasing the file size limits or file match and re-scan.");
}

// The notice of a scan the user stopped with Abort, in the user's language.
inline QString abortedByUserText()
{
    return QCoreApplication::translate("ScanLimits", "LIST INCOMPLETE ... ABORTED BY USER");
}

} // namespace rw
