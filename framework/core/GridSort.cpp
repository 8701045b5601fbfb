#include "framework/core/GridSort.h"

#include <QDate>
#include <QHash>

#include <algorithm>
#include <numeric>

#include "app/core/SharedRoutines.h"

namespace rw
{

long double numberSortKey(const QString& text)
{
    QString t = text;
    t.remove(QLatin1Char(','));
    t = t.trimmed();
    bool ok = false;
    // Whole numbers first so that 64-bit sizes compare exactly.
    const qlonglong whole = t.toLongLong(&ok);
    if (ok)
        return static_cast<long double>(whole);
    const double real = t.toDouble(&ok);
    return ok ? static_cast<long double>(real) : 0.0L;
}

std::int64_t dateSortKey(const QString& text)
{
    const QDate d = parseShortDate(text);
    return d.isValid() ? d.toJulianDay() : QDate(1900, 1, 1).toJulianDay();
}

QString textSortKey(const QString& text)
{
    return text.toUpper();
}

namespace
{

template <typename Key>
std::vector<std::int64_t> sortByKeys(std::vector<Key> keys, std::int64_t first, bool descending)
{
    std::vector<std::int64_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::int64_t(0));
    if (descending)
        std::stable_sort(order.begin(), order.end(),
                         [&](std::int64_t a, std::int64_t b) { return keys[b] < keys[a]; });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&](std::int64_t a, std::int64_t b) { return keys[a] < keys[b]; });
    for (std::int64_t& r : order)
        r += first;
    return order;
}

} // namespace

std::vector<std::int64_t> SortGridRows(SortKind kind, const RowKeyText& keyText, std::int64_t first,
                                       std::int64_t last, bool descending)
{
    if (last < first)
        return {};
    const std::size_t n = static_cast<std::size_t>(last - first + 1);
    switch (kind) {
    case SortKind::Number: {
        std::vector<long double> keys(n);
        for (std::size_t i = 0; i < n; ++i)
            keys[i] = numberSortKey(keyText(first + std::int64_t(i)));
        return sortByKeys(std::move(keys), first, descending);
    }
    case SortKind::Date: {
        // Reading a date text is slow and a grid repeats few distinct dates.
        QHash<QString, std::int64_t> seen;
        std::vector<std::int64_t> keys(n);
        for (std::size_t i = 0; i < n; ++i) {
            const QString t = keyText(first + std::int64_t(i));
            auto it = seen.constFind(t);
            if (it == seen.constEnd())
                it = seen.insert(t, dateSortKey(t));
            keys[i] = *it;
        }
        return sortByKeys(std::move(keys), first, descending);
    }
    case SortKind::Text: {
        std::vector<QString> keys(n);
        for (std::size_t i = 0; i < n; ++i)
            keys[i] = textSortKey(keyText(first + std::int64_t(i)));
        return sortByKeys(std::move(keys), first, descending);
    }
    }
    return {};
}

std::vector<std::int64_t> SortGridByNumber(const RowKeyText& keyText, std::int64_t first,
                                           std::int64_t last, bool descending)
{
    return SortGridRows(SortKind::Number, keyText, first, last, descending);
}

std::vector<std::int64_t> SortGridByDate(const RowKeyText& keyText, std::int64_t first,
                                         std::int64_t last, bool descending)
{
    return SortGridRows(SortKind::Date, keyText, first, last, descending);
}

std::vector<std::int64_t> SortGridByText(const RowKeyText& keyText, std::int64_t first,
                                         std::int64_t last, bool descending)
{
    return SortGridRows(SortKind::Text, keyText, first, last, descending);
}

} // namespace rw
