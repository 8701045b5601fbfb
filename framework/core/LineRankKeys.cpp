#include "framework/core/LineRankKeys.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <numeric>
#include <string>

#include "framework/core/ParallelLoop.h"
#include "framework/core/ResultLines.h"

namespace rw
{

namespace
{

// Records from which the fields are ranked on threads of their own.
constexpr std::size_t kRecordsForThreads = 65536;

// Distinct values and the first record of each, found through an open
// table (linear probing): most fields take few values, so the table stays
// in the cache and a record costs one probe or two.
class ValueTable
{
public:
    explicit ValueTable(std::size_t expected)
    {
        std::size_t capacity = 64;
        while (capacity < expected * 2)
            capacity *= 2;
        m_slots.assign(capacity, kEmpty);
        m_mask = capacity - 1;
    }

    // The index of `value` among the distinct values (in order of first
    // sight), added with `rec` as its record when it is new.
    std::uint32_t indexOf(std::uint64_t value, std::uint32_t rec)
    {
        if (m_values.size() * 2 >= m_slots.size())
            grow();
        std::size_t slot = hash(value) & m_mask;
        for (;;) {
            const std::uint32_t at = m_slots[slot];
            if (at == kEmpty) {
                m_slots[slot] = std::uint32_t(m_values.size());
                m_values.push_back(value);
                m_records.push_back(rec);
                return m_slots[slot];
            }
            if (m_values[at] == value)
                return at;
            slot = (slot + 1) & m_mask;
        }
    }

    std::size_t size() const { return m_values.size(); }
    std::uint32_t record(std::uint32_t index) const { return m_records[index]; }

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    static std::size_t hash(std::uint64_t v)
    {
        v ^= v >> 33;
        v *= 0xff51afd7ed558ccdULL;
        v ^= v >> 33;
        return std::size_t(v);
    }

    void grow()
    {
        m_slots.assign(m_slots.size() * 2, kEmpty);
        m_mask = m_slots.size() - 1;
        for (std::uint32_t i = 0; i < m_values.size(); ++i) {
            std::size_t slot = hash(m_values[i]) & m_mask;
            while (m_slots[slot] != kEmpty)
                slot = (slot + 1) & m_mask;
            m_slots[slot] = i;
        }
    }

    std::vector<std::uint32_t> m_slots;
    std::size_t m_mask = 0;
    std::vector<std::uint64_t> m_values;
    std::vector<std::uint32_t> m_records;
};

} // namespace

LineRankKeys::LineRankKeys(const ResultLines& lines, const std::vector<std::uint32_t>& records,
                           int firstField)
    : m_decidedUpTo(std::max(firstField, 0))
{
    // The leading fields that have values, each ranked on its own.
    std::vector<int> fields;
    std::uint64_t probe = 0;
    for (int field = m_decidedUpTo; field < lines.fieldCount(); ++field) {
        if (records.empty() || !lines.fieldValue(records.front(), lines.layout()[field], &probe))
            break;
        fields.push_back(field);
    }
    if (fields.empty())
        return;
    struct Ranked {
        std::vector<std::uint32_t> ranks;
        std::uint32_t count = 0;
        bool exact = true;
    };
    std::vector<Ranked> ranked(fields.size());
    // Fields are ranked side by side on big sets, each through a
    // ResultLines of its own (the text caches are not shared).
    std::vector<std::unique_ptr<ResultLines>> copies;
    const bool together = fields.size() > 1 && records.size() >= kRecordsForThreads;
    if (together)
        for (std::size_t j = 1; j < fields.size(); ++j)
            copies.push_back(lines.copyForThread());
    const auto rankOne = [&](std::size_t j) {
        const ResultLines& through = j == 0 || !together ? lines : *copies[j - 1];
        rankField(through, records, fields[j], ranked[j].ranks, &ranked[j].count, &ranked[j].exact);
    };
    if (together) {
        ParallelLoop loop;
        loop.run(fields.size(), rankOne, 1);
    } else {
        for (std::size_t j = 0; j < fields.size(); ++j)
            rankOne(j);
    }

    int bitsLeft = 128;
    for (std::size_t j = 0; j < fields.size(); ++j) {
        const std::uint32_t rankCount = ranked[j].count;
        // At most 32 bits: there are no more ranks than records.
        const int bits = rankCount > 1 ? int(std::bit_width(rankCount - 1)) : 0;
        if (bits > bitsLeft)
            break;
        if (m_words.empty())
            m_words.assign(2 * records.size(), 0);
        // The words, read as one 128-bit number, move up by the field's
        // width and take its rank below; all keys get the same fields, so
        // they compare as numbers without being aligned to the top.
        const std::vector<std::uint32_t>& ranks = ranked[j].ranks;
        if (bits > 0) {
            for (std::size_t i = 0; i < records.size(); ++i) {
                std::uint64_t& hi = m_words[2 * i];
                std::uint64_t& lo = m_words[2 * i + 1];
                hi = (hi << bits) | (lo >> (64 - bits));
                lo = (lo << bits) | ranks[i];
            }
        }
        bitsLeft -= bits;
        m_exact = m_exact && ranked[j].exact;
        m_decidedUpTo = fields[j] + 1;
    }
}

void LineRankKeys::rankField(const ResultLines& lines, const std::vector<std::uint32_t>& records,
                             int field, std::vector<std::uint32_t>& ranks, std::uint32_t* rankCount,
                             bool* exact)
{
    const ResultField f = lines.layout()[field];
    std::uint64_t probe = 0;
    lines.fieldValue(records.front(), f, &probe);
    ValueTable table(64);
    ranks.resize(records.size());
    // Neighbours often share a value (the files of one folder, one day):
    // the last one found is tried before the table.
    std::uint64_t lastValue = probe;
    std::uint32_t lastIndex = table.indexOf(probe, records.front());
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::uint64_t value = 0;
        lines.fieldValue(records[i], f, &value);
        if (value != lastValue) {
            lastValue = value;
            lastIndex = table.indexOf(value, records[i]);
        }
        ranks[i] = lastIndex;
    }
    // One text per distinct value, ranked in the folded order; texts equal
    // without regard to case share a rank. The texts are folded once and
    // then compared unit by unit, which is the order QString::compare
    // gives without regard to case for the characters of the basic plane;
    // a text with a character beyond it leaves the sort to QString.
    const std::size_t distinct = table.size();
    std::vector<QString> texts(distinct);
    std::vector<std::u16string> folded(distinct);
    bool basicPlane = true;
    for (std::uint32_t v = 0; v < distinct; ++v) {
        texts[v] = lines.fieldText(table.record(v), f);
        std::u16string& out = folded[v];
        out.resize(std::size_t(texts[v].size()));
        for (qsizetype i = 0; i < texts[v].size(); ++i) {
            const char16_t c = texts[v].at(i).unicode();
            if (QChar::isSurrogate(c))
                basicPlane = false;
            out[std::size_t(i)] =
                c < 0x80 ? ((c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c) : QChar::toCaseFolded(c);
        }
    }
    std::vector<std::uint32_t> order(distinct);
    std::iota(order.begin(), order.end(), 0u);
    if (basicPlane)
        std::sort(order.begin(), order.end(),
                  [&folded](std::uint32_t a, std::uint32_t b) { return folded[a] < folded[b]; });
    else
        std::sort(order.begin(), order.end(), [&texts](std::uint32_t a, std::uint32_t b) {
            return texts[a].compare(texts[b], Qt::CaseInsensitive) < 0;
        });
    std::vector<std::uint32_t> rankOf(distinct);
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < distinct; ++i) {
        if (i > 0) {
            const QString& previous = texts[order[i - 1]];
            const QString& text = texts[order[i]];
            const bool foldedEqual = basicPlane ? folded[order[i - 1]] == folded[order[i]]
                                                : previous.compare(text, Qt::CaseInsensitive) == 0;
            if (!foldedEqual)
                ++rank;
            else if (previous != text)
                *exact = false;
        }
        rankOf[order[i]] = rank;
    }
    for (std::uint32_t& r : ranks)
        r = rankOf[r];
    *rankCount = distinct > 0 ? rank + 1 : 0;
}

} // namespace rw
