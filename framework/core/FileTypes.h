#pragma once

#include <QString>
#include <QStringList>

namespace rw
{

// The description of a file extension such as ".bak", as shown in every type
// column and beside every pattern box.
//  - "*." gives "No extension";
//  - a registered extension gives the comment of its MIME type (the type's
//    name when it has no comment); the lookup ignores case;
//  - an unregistered extension gives the extension without its dot in upper
//    case plus " File" (".xyz" -> "XYZ File", a bare "." -> " File");
//  - an empty text or one holding '*' (such as ".*" from "*.*") gives "".
// Results are cached per lower-cased extension, so the call is cheap enough
// to make once per file of a scan.
QString FileTypeDescription(const QString& ext);

// Replaces `list` with the wildcard patterns offered in pattern boxes: "*.*"
// first when `withAllFiles`, then "*.ext" for every extension the MIME
// database knows of one to four characters (lower case, without duplicates,
// sorted).
void FillWildcardList(QStringList& list, bool withAllFiles);

// The extension of a pattern or file name: the text from its last '.', or ""
// when it has none ("*.doc" -> ".doc").
QString ExtensionOf(const QString& name);

} // namespace rw
