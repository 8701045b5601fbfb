#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace rw
{

// Field `n` (counted from 1) of a tab-separated result line: the text between
// the (n-1)th and the nth tab, trimmed of blanks. Empty when the line has
// fewer fields.
QString TabField(const QString& line, int n);

// Every field of a result line, each trimmed of blanks.
QStringList splitResultLine(const QString& line);

// The cells of one grid row: column c gets field fieldOrder[c] (counted from
// 1). An empty order means field c + 1 for each of `columnCount` columns.
// Missing fields give empty cells.
QStringList fieldsToColumns(const QStringList& fields, const QList<int>& fieldOrder,
                            int columnCount);

// The cells of a grid row as one text, cells joined by tabs (the form
// ResultGridModel keeps), built straight
// from a result line in the field-to-column order (fields trimmed). When the
// row equals the line, the line's own text is returned and nothing is copied.
QString rowTextFromLine(const QString& line, const QList<int>& fieldOrder, int columnCount);

} // namespace rw
