#include "framework/core/GridSort.h"

#include <QDate>
#include <QHash>

#include <algorithm>
#include <numeric>

#include "base/SharedRoutines.h"

namespace rw
{

long double numberSortKey(QStringView text)
{
    // Plain digits with group separators are by far the common case: read
    // them in place, exactly for all 64-bit sizes.
    const QStringView t = text.trimmed();
    bool negative = false;
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        negative = t[i++] == QLatin1Char('-');
    std::uint64_t value = 0;
    int digits = 0;
    bool plain = i < t.size();
    for (; plain && i < t.size(); ++i) {
        const QChar ch = t[i];
        if (ch == QLatin1Char(','))
            continue;
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9') || ++digits > 19)
            plain = false;
        else
            value = value * 10 + static_cast<unsigned>(ch.unicode() - '0');
    }
    if (plain && digits > 0)
        return negative ? -static_cast<long double>(value) : static_cast<long double>(value);

    QString copy = t.toString();
    copy.remove(QLatin1Char(','));
    bool ok = false;
    const double real = copy.toDouble(&ok);
    return ok ? static_cast<long double>(real) : 0.0L;
}

std::int64_t dateSortKey(QStringView text)
{
    const QDate d = parseShortDate(text.toString());
    return d.isValid() ? d.toJulianDay() : QDate(1900, 1, 1).toJulianDay();
}

QString textSortKey(QStringView text)
{
    return text.toString().toUpper();
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

std::vector<std::int64_t> SortGridRowsByNumberKey(const RowNumberKey& key, std::int64_t first,
                                                  std::int64_t last, bool descending)
{
    if (last < first)
        return {};
    std::vector<long double> keys(static_cast<std::size_t>(last - first + 1));
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = key(first + std::int64_t(i));
    return sortByKeys(std::move(keys), first, descending);
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
