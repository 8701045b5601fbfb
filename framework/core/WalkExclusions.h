#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <string_view>
#include <vector>

#include "platform/GlobPattern.h"

namespace rw
{

// The entries a walk leaves out by the user's patterns (the command line's
// --exclude). A pattern without a '/' is matched against an entry's name; one
// with a '/' against the entry's path below the walked root ("a/b/c", a
// leading or trailing '/' of the pattern ignored). An excluded folder is not
// entered, so nothing below it is read.
class WalkExclusions
{
public:
    // Adds one pattern (its bytes as given); an empty one is ignored.
    void add(const QByteArray& pattern);
    bool isEmpty() const { return m_names.empty() && m_paths.empty(); }
    // Whether any pattern needs the path below the root.
    bool needsPaths() const { return !m_paths.empty(); }

    // True when the entry `name`, whose path below the root is `relative`
    // (equal to `name` for an entry of the root), is left out.
    bool excludes(std::string_view name, std::string_view relative) const;

    // Reads patterns from a file's lines (one each; blank lines and lines
    // starting with '#' skipped, a CR before the line end dropped) into
    // `patterns`. False when the file cannot be read; `error` then says why.
    static bool readPatternFile(const QString& path, QList<QByteArray>* patterns, QString* error);

private:
    std::vector<GlobPattern> m_names;
    std::vector<GlobPattern> m_paths;
};

} // namespace rw
