#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <vector>

namespace rw
{

// How a grid column is compared when the rows are sorted by it.
enum class SortKind {
    Number, // "," removed, then read as a decimal number; not a number = 0
    Date,   // read as a short date; empty or unreadable = 1 January 1900
    Text    // upper-cased texts compared by character codes
};

// Sort keys of one cell text.
long double numberSortKey(QStringView text);
// Julian day of the date text (1 January 1900 when it does not read).
std::int64_t dateSortKey(QStringView text);
QString textSortKey(QStringView text);

// Gives the key cell text of a row (formed when asked).
using RowKeyText = std::function<QString(std::int64_t row)>;

// The row numbers first..last (inclusive) in the order of their keys,
// descending when `descending` is set. Rows with equal keys keep their
// present order. Empty when last < first.
std::vector<std::int64_t> SortGridRows(SortKind kind, const RowKeyText& keyText, std::int64_t first,
                                       std::int64_t last, bool descending);

// The same as SortGridRows with SortKind::Number, for keys known as numbers
// already (a size kept as a number gives the key its grouped text would).
using RowNumberKey = std::function<long double(std::int64_t row)>;
std::vector<std::int64_t> SortGridRowsByNumberKey(const RowNumberKey& key, std::int64_t first,
                                                  std::int64_t last, bool descending);

std::vector<std::int64_t> SortGridByNumber(const RowKeyText& keyText, std::int64_t first,
                                           std::int64_t last, bool descending);
std::vector<std::int64_t> SortGridByDate(const RowKeyText& keyText, std::int64_t first,
                                         std::int64_t last, bool descending);
std::vector<std::int64_t> SortGridByText(const RowKeyText& keyText, std::int64_t first,
                                         std::int64_t last, bool descending);

} // namespace rw
