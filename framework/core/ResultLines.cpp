#include "framework/core/ResultLines.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <algorithm>

#include "base/SharedRoutines.h"
#include "framework/core/FileTypes.h"
#include "framework/core/FolderOrder.h"
#include "framework/core/LineRankKeys.h"
#include "framework/core/ParallelLoop.h"

namespace rw
{

namespace
{

// Records from which a sort runs on two threads.
constexpr std::size_t kRecordsForThreads = 65536;

// What a time text shows of a packed value: nothing for no time (0), else
// the time half alone (a midnight is not the missing time).
inline std::uint32_t timeValue(PackedDateTime packed)
{
    return packed == 0 ? 0 : 0x10000u | (packed & 0xFFFFu);
}

// Case folding as QString::compare(Qt::CaseInsensitive) does it for the
// characters of the basic plane.
inline char16_t fold(char16_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c;
    return QChar::toCaseFolded(c);
}

} // namespace

QString percentUsedText(std::int64_t bytes, std::int64_t capacity)
{
    if (capacity <= bytes)
        return QStringLiteral("???");
    const double percent = double(bytes) * 100.0 / double(capacity);
    return QLocale().toString(percent, 'f', 2);
}

QString growthChangeText(std::int64_t change)
{
    static const char* const texts[] = {
        QT_TRANSLATE_NOOP("ResultLines", "Grown"), QT_TRANSLATE_NOOP("ResultLines", "Shrunk"),
        QT_TRANSLATE_NOOP("ResultLines", "Same"), QT_TRANSLATE_NOOP("ResultLines", "New"),
        QT_TRANSLATE_NOOP("ResultLines", "Gone")};
    if (change < 0 || change >= std::int64_t(std::size(texts)))
        return QString();
    return QCoreApplication::translate("ResultLines", texts[change]);
}

namespace
{

// "+1,234", "-1,234" or "0": a difference of sizes, its sign always shown.
QString signedSizeText(const FileTextFormatter& texts, std::int64_t difference)
{
    if (difference == 0)
        return texts.sizeText(0);
    const std::uint64_t magnitude =
        difference < 0 ? 0 - std::uint64_t(difference) : std::uint64_t(difference);
    return (difference < 0 ? QStringLiteral("-") : QStringLiteral("+")) +
           texts.sizeText(
               std::int64_t(magnitude > std::uint64_t(INT64_MAX) ? INT64_MAX : magnitude));
}

} // namespace

ResultLines::ResultLines(std::shared_ptr<ResultSet> set, QList<ResultField> layout)
    : m_set(std::move(set)), m_layout(std::move(layout))
{
    m_texts.setTypeDescriber(&FileTypeDescription);
}

ResultLines::~ResultLines() = default;

void ResultLines::setTypeDescriber(std::function<QString(const QString&)> describer)
{
    m_describer = describer;
    m_texts.setTypeDescriber(std::move(describer));
}

std::unique_ptr<ResultLines> ResultLines::copyForThread() const
{
    auto copy = std::make_unique<ResultLines>(m_set, m_layout);
    if (m_describer)
        copy->setTypeDescriber(m_describer);
    copy->m_exactDates = m_exactDates;
    copy->m_capacity = m_capacity;
    copy->m_tag = m_tag;
    return copy;
}

QString ResultLines::dateOf(std::int64_t epochSeconds) const
{
    const PackedDateTime packed = m_texts.pack(epochSeconds);
    if (!m_exactDates)
        return m_texts.dateText(packed);
    if (packed == 0)
        return QString();
    if (mayBeClampedDay(packedDay(packed)))
        return formatShortDate(QDateTime::fromSecsSinceEpoch(epochSeconds).date());
    return m_texts.dateText(packed);
}

QString ResultLines::fieldText(std::uint32_t rec, ResultField f) const
{
    const ResultRecord& r = m_set->record(rec);
    switch (f) {
    case ResultField::Size:
        return m_texts.sizeText(r.size);
    case ResultField::ModifiedDate:
        return dateOf(r.mtime);
    case ResultField::ModifiedTime:
        return m_texts.timeText(m_texts.pack(r.mtime));
    case ResultField::AccessDate:
        return dateOf(r.atime);
    case ResultField::CreatedDate:
        return dateOf(r.btime);
    case ResultField::Name:
        return m_set->nameText(rec);
    case ResultField::Folder:
        return m_set->folderText(r.folder);
    case ResultField::FullPath: {
        QString p = m_set->pathText(rec);
        if (r.has(ResultRecord::Tagged))
            p.append(m_tag);
        return p;
    }
    case ResultField::Type:
        // A folder row (a duplicate folder) has no extension to describe.
        if (r.has(ResultRecord::IsFolder))
            return QCoreApplication::translate("ResultLines", "File folder");
        return m_texts.typeTextOfName(m_set->name(rec));
    case ResultField::PercentUsed:
        return percentUsedText(r.size, m_set->extraCount() > 2 ? m_set->extra(rec, 2) : m_capacity);
    case ResultField::FileCount:
        return QString::number(m_set->extra(rec, 0));
    case ResultField::SubFolderCount:
        return QString::number(m_set->extra(rec, 1));
    case ResultField::LatestAccess:
        return r.atime > 0 ? m_texts.dateText(m_texts.pack(r.atime)) : QString();
    case ResultField::GrowthChange:
        return growthChangeText(m_set->extra(rec, 1));
    case ResultField::SizeBefore:
        return m_texts.sizeText(m_set->extra(rec, 0));
    case ResultField::SizeDifference:
        return signedSizeText(m_texts, r.size - m_set->extra(rec, 0));
    case ResultField::ChangeShare: {
        const std::int64_t whole = m_set->extra(rec, 2);
        if (whole == 0)
            return QString();
        const double share = double(r.size - m_set->extra(rec, 0)) * 100.0 / double(whole);
        return QLocale().toString(share, 'f', 2);
    }
    }
    return QString();
}

QStringList ResultLines::sampleTexts(ResultField field)
{
    FileTextFormatter texts;
    const std::int64_t late = QDateTime(QDate(2026, 12, 28), QTime(12, 59, 59)).toSecsSinceEpoch();
    const std::int64_t morning =
        QDateTime(QDate(2026, 12, 28), QTime(10, 59, 59)).toSecsSinceEpoch();
    switch (field) {
    case ResultField::Size:
        return {texts.sizeText(9999999999)};
    case ResultField::ModifiedDate:
    case ResultField::AccessDate:
    case ResultField::CreatedDate:
    case ResultField::LatestAccess:
        return {texts.dateText(texts.pack(late))};
    case ResultField::ModifiedTime:
        return {texts.timeText(texts.pack(late)), texts.timeText(texts.pack(morning))};
    case ResultField::PercentUsed:
        return {percentUsedText(9999, 10000)};
    case ResultField::FileCount:
    case ResultField::SubFolderCount:
        return {QString::number(999999)};
    case ResultField::SizeBefore:
        return {texts.sizeText(9999999999)};
    case ResultField::SizeDifference:
        return {signedSizeText(texts, -9999999999)};
    case ResultField::ChangeShare:
        return {QLocale().toString(-100.0, 'f', 2)};
    case ResultField::GrowthChange:
        return {growthChangeText(1)};
    case ResultField::Name:
    case ResultField::Folder:
    case ResultField::FullPath:
    case ResultField::Type:
        break;
    }
    return {};
}

QString ResultLines::field(std::uint32_t rec, int n) const
{
    if (n < 0 || n >= m_layout.size())
        return QString();
    return fieldText(rec, m_layout[n]);
}

QString ResultLines::lineFrom(std::uint32_t rec, int firstField) const
{
    QString out;
    for (int n = std::max(firstField, 0); n < m_layout.size(); ++n) {
        if (n > firstField)
            out.append(u'\t');
        out.append(fieldText(rec, m_layout[n]));
    }
    return out;
}

void ResultLines::appendLine(QString& out, std::uint32_t rec) const
{
    for (int n = 0; n < m_layout.size(); ++n) {
        if (n > 0)
            out.append(u'\t');
        const ResultField f = m_layout[n];
        if (f == ResultField::FullPath || f == ResultField::Name) {
            // Folder and name go in as they are: no path string per line.
            const ResultRecord& r = m_set->record(rec);
            if (f == ResultField::FullPath) {
                const QString& folder = m_set->folderText(r.folder);
                out.append(folder);
                if (r.nameLength > 0 && !folder.endsWith(u'/'))
                    out.append(u'/');
            }
            if (r.nameLength > 0) {
                const std::string_view name = m_set->name(rec);
                // A backslash shows doubled, so it takes the long way.
                const bool ascii = std::all_of(name.begin(), name.end(), [](char c) {
                    return static_cast<unsigned char>(c) >= 0x20 &&
                           static_cast<unsigned char>(c) < 0x7F && c != '\\';
                });
                if (ascii)
                    out.append(QLatin1StringView(name.data(), qsizetype(name.size())));
                else
                    out.append(m_set->nameText(rec));
            }
            if (f == ResultField::FullPath && r.has(ResultRecord::Tagged))
                out.append(m_tag);
            continue;
        }
        out.append(fieldText(rec, f));
    }
}

namespace
{

bool printableAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
}

// The folded and the case order of two names that show as their bytes.
void compareAsciiNames(std::string_view a, std::string_view b, int* folded, int* caseOrder)
{
    const std::size_t common = std::min(a.size(), b.size());
    int firstCase = 0;
    for (std::size_t i = 0; i < common; ++i) {
        const char ca = a[i];
        const char cb = b[i];
        if (ca == cb)
            continue;
        const char la = (ca >= 'A' && ca <= 'Z') ? char(ca + 32) : ca;
        const char lb = (cb >= 'A' && cb <= 'Z') ? char(cb + 32) : cb;
        if (la != lb) {
            *folded = static_cast<unsigned char>(la) < static_cast<unsigned char>(lb) ? -1 : 1;
            return;
        }
        if (firstCase == 0)
            firstCase = static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
    }
    if (a.size() != b.size()) {
        *folded = a.size() < b.size() ? -1 : 1;
        return;
    }
    *folded = 0;
    if (*caseOrder == 0)
        *caseOrder = firstCase;
}

} // namespace

const FolderOrder& ResultLines::folderOrder() const
{
    if (!m_folderOrder || m_folderOrder->folderCount() != m_set->folderCount())
        m_folderOrder = std::make_unique<FolderOrder>(*m_set);
    return *m_folderOrder;
}

bool ResultLines::comparePathsQuickly(std::uint32_t a, std::uint32_t b, int* folded,
                                      int* caseOrder) const
{
    const ResultRecord& ra = m_set->record(a);
    const ResultRecord& rb = m_set->record(b);
    if (ra.has(ResultRecord::Tagged) || rb.has(ResultRecord::Tagged) || ra.nameLength == 0 ||
        rb.nameLength == 0)
        return false;
    int folderCase = 0;
    if (ra.folder != rb.folder) {
        // Decided by the folders unless one folder's text begins the
        // other's, where a name is set against the rest of a folder.
        const FolderOrder& order = folderOrder();
        if (!order.onePrefixOfOther(ra.folder, rb.folder)) {
            *folded = order.position(ra.folder) < order.position(rb.folder) ? -1 : 1;
            return true;
        }
        const QString& fa = m_set->folderText(ra.folder);
        const QString& fb = m_set->folderText(rb.folder);
        if (fa.size() != fb.size() || fa.compare(fb, Qt::CaseInsensitive) != 0)
            return false;
        folderCase = fa.compare(fb, Qt::CaseSensitive);
    }
    // One folder text: the names decide, after the folder's case order.
    const std::string_view ba = m_set->name(a);
    const std::string_view bb = m_set->name(b);
    if (printableAscii(ba) && printableAscii(bb)) {
        int nameCase = 0;
        compareAsciiNames(ba, bb, folded, &nameCase);
        if (*folded == 0 && *caseOrder == 0)
            *caseOrder = folderCase != 0 ? folderCase : nameCase;
        return true;
    }
    const QString na = m_set->nameText(a);
    const QString nb = m_set->nameText(b);
    *folded = na.compare(nb, Qt::CaseInsensitive);
    if (*caseOrder == 0)
        *caseOrder = folderCase != 0 ? folderCase : na.compare(nb, Qt::CaseSensitive);
    return true;
}

int ResultLines::compareLinesFrom(std::uint32_t a, std::uint32_t b, int firstField) const
{
    // Field by field instead of whole lines: no field text holds a tab or a
    // character below it (names show control characters escaped), so where
    // one field text is a prefix of the other, the line with the shorter one
    // has the tab there and sorts first, just as the shorter text does. A
    // folded-equal field has the length of the other, so the first case
    // difference of the whole lines lies in the first field that has one.
    int caseOrder = 0;
    for (int n = std::max(firstField, 0); n < m_layout.size(); ++n) {
        const ResultField f = m_layout[n];
        // Fields whose values agree show the same text: no text is formed.
        if (sameFieldValue(a, b, f))
            continue;
        if (f == ResultField::FullPath) {
            int folded = 0;
            if (comparePathsQuickly(a, b, &folded, &caseOrder)) {
                if (folded != 0)
                    return folded;
                continue;
            }
        }
        const QString ta = fieldText(a, f);
        const QString tb = fieldText(b, f);
        const int folded = ta.compare(tb, Qt::CaseInsensitive);
        if (folded != 0)
            return folded;
        if (caseOrder == 0)
            caseOrder = ta.compare(tb, Qt::CaseSensitive);
    }
    return caseOrder;
}

bool ResultLines::fieldValue(std::uint32_t rec, ResultField f, std::uint64_t* value) const
{
    const ResultRecord& r = m_set->record(rec);
    switch (f) {
    case ResultField::Size:
        *value = std::uint64_t(r.size);
        return true;
    case ResultField::ModifiedDate:
        *value = m_texts.pack(r.mtime) >> 16;
        return !m_exactDates; // exact dates show more than the packed day
    case ResultField::ModifiedTime:
        *value = timeValue(m_texts.pack(r.mtime));
        return true;
    case ResultField::AccessDate:
        *value = m_texts.pack(r.atime) >> 16;
        return !m_exactDates;
    case ResultField::CreatedDate:
        *value = m_texts.pack(r.btime) >> 16;
        return !m_exactDates;
    case ResultField::LatestAccess:
        *value = r.atime > 0 ? (m_texts.pack(r.atime) & 0xFFFF0000u) + 0x10000u : 0;
        return true;
    case ResultField::FileCount:
        *value = std::uint64_t(m_set->extra(rec, 0));
        return true;
    case ResultField::SubFolderCount:
        *value = std::uint64_t(m_set->extra(rec, 1));
        return true;
    case ResultField::SizeBefore:
        *value = std::uint64_t(m_set->extra(rec, 0));
        return true;
    default:
        return false;
    }
}

bool ResultLines::sameFieldValue(std::uint32_t a, std::uint32_t b, ResultField f) const
{
    const ResultRecord& ra = m_set->record(a);
    const ResultRecord& rb = m_set->record(b);
    switch (f) {
    case ResultField::Size:
        return ra.size == rb.size;
    case ResultField::ModifiedDate:
        return (m_texts.pack(ra.mtime) >> 16) == (m_texts.pack(rb.mtime) >> 16) && !m_exactDates;
    case ResultField::ModifiedTime:
        return timeValue(m_texts.pack(ra.mtime)) == timeValue(m_texts.pack(rb.mtime));
    case ResultField::AccessDate:
        return (m_texts.pack(ra.atime) >> 16) == (m_texts.pack(rb.atime) >> 16) && !m_exactDates;
    case ResultField::Folder:
        return ra.folder == rb.folder;
    case ResultField::Name:
        return m_set->name(a) == m_set->name(b);
    case ResultField::FullPath:
        return ra.folder == rb.folder && m_set->name(a) == m_set->name(b) &&
               ra.has(ResultRecord::Tagged) == rb.has(ResultRecord::Tagged);
    case ResultField::Type:
        return m_set->extension(a) == m_set->extension(b) &&
               ra.has(ResultRecord::IsFolder) == rb.has(ResultRecord::IsFolder);
    default:
        return false;
    }
}

void ResultLines::prefixKey(std::uint32_t rec, std::uint64_t key[2]) const
{
    // Eight folded UTF-16 units, 16 bits each, from the start of the line;
    // a shorter line is padded with zeros, which sorts it first, as the
    // string order does.
    char16_t units[8] = {};
    int have = 0;
    for (int n = 0; n < m_layout.size() && have < 8; ++n) {
        if (n > 0)
            units[have++] = u'\t';
        const QString text = fieldText(rec, m_layout[n]);
        for (qsizetype i = 0; i < text.size() && have < 8; ++i) {
            const char16_t c = text.at(i).unicode();
            // Surrogates stand as they are: characters beyond the basic
            // plane that have a case are too rare to fold here, and the
            // whole lines still decide ties.
            units[have++] = QChar::isSurrogate(c) ? c : fold(c);
        }
    }
    key[0] = key[1] = 0;
    for (int i = 0; i < 4; ++i)
        key[0] = (key[0] << 16) | units[i];
    for (int i = 4; i < 8; ++i)
        key[1] = (key[1] << 16) | units[i];
}

void ResultLines::sortByLines(std::vector<std::uint32_t>& records, bool descending) const
{
    struct Item {
        std::uint64_t k0;
        std::uint64_t k1;
        std::uint32_t rec;
    };
    std::vector<Item> items;
    items.reserve(records.size());
    // Ranks of the leading fields where they have values; otherwise the
    // first characters. Either way equal keys leave the whole lines (or
    // their rest) to decide.
    int tieFrom = 0;
    const LineRankKeys ranks(*this, records, 0);
    if (ranks.decidedUpTo() > 0) {
        if (ranks.exact())
            tieFrom = ranks.decidedUpTo();
        for (std::size_t i = 0; i < records.size(); ++i)
            items.push_back({ranks.high(i), ranks.low(i), records[i]});
    } else {
        for (std::uint32_t rec : records) {
            std::uint64_t key[2];
            prefixKey(rec, key);
            items.push_back({key[0], key[1], rec});
        }
    }
    // Equal lines keep their present order. A big set is sorted in two
    // halves side by side, the second through a copy of these lines (their
    // text caches are not shared), then merged, the first half winning ties.
    const auto lessThrough = [descending, tieFrom](const ResultLines& lines) {
        return [&lines, descending, tieFrom](const Item& x, const Item& y) {
            if (x.k0 != y.k0)
                return descending ? x.k0 > y.k0 : x.k0 < y.k0;
            if (x.k1 != y.k1)
                return descending ? x.k1 > y.k1 : x.k1 < y.k1;
            const int c = lines.compareLinesFrom(x.rec, y.rec, tieFrom);
            return descending ? c > 0 : c < 0;
        };
    };
    if (items.size() < kRecordsForThreads) {
        std::stable_sort(items.begin(), items.end(), lessThrough(*this));
    } else {
        m_set->makeFolderTexts();
        folderOrder();
        const std::unique_ptr<ResultLines> copy = copyForThread();
        const auto middle = items.begin() + std::ptrdiff_t(items.size() / 2);
        ParallelLoop loop(1);
        loop.run(
            2,
            [&](std::size_t half) {
                if (half == 0)
                    std::stable_sort(items.begin(), middle, lessThrough(*this));
                else
                    std::stable_sort(middle, items.end(), lessThrough(*copy));
            },
            1);
        std::inplace_merge(items.begin(), middle, items.end(), lessThrough(*this));
    }
    for (std::size_t i = 0; i < items.size(); ++i)
        records[i] = items[i].rec;
}

} // namespace rw
