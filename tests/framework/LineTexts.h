#pragma once

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/core/ResultLines.h"

namespace rwtest
{

// The records' whole lines sorted the plain way, as the texts themselves
// order: without regard to case, ties by case, equal lines kept in turn.
// What every shortcut of ResultLines::sortByLines is held against.
inline QStringList plainlySortedLines(const rw::ResultLines& lines,
                                      const std::vector<std::uint32_t>& records)
{
    QStringList texts;
    for (std::uint32_t rec : records)
        texts.append(lines.line(rec));
    std::stable_sort(texts.begin(), texts.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return texts;
}

// The lines of `records` in their order.
inline QStringList linesOf(const rw::ResultLines& lines, const std::vector<std::uint32_t>& records)
{
    QStringList out;
    for (std::uint32_t rec : records)
        out.append(lines.line(rec));
    return out;
}

} // namespace rwtest
