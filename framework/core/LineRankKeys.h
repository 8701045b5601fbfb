#pragma once

#include <cstdint>
#include <vector>

namespace rw
{

class ResultLines;

// Sort keys that put records in the order of their result lines as far as
// the leading fields whose texts come from few values (sizes, dates, times,
// counts) decide it, without forming a line: each distinct value's text is
// formed once, the texts are ranked in the case-folded order, and a record's
// key is its fields' ranks packed side by side into two 64-bit words, the
// first field highest.
//
// Lines are compared field by field (no field text holds a tab or anything
// below it), so where two keys differ, their lines compare the same way.
// Where they agree, the fields in the keys are equal once case-folded, and
// equal outright when exact() is true; the rest of the lines, from field
// decidedUpTo() on, then decide (ResultLines::compareLinesFrom).
class LineRankKeys
{
public:
    // Keys of `records` by their lines from field `firstField` on. Fields
    // are taken while they have values and their ranks fit in the words; on
    // a big set they are ranked on helper threads, each through its own
    // copy of `lines` (ResultLines::copyForThread), so `lines` is used by
    // this thread only.
    LineRankKeys(const ResultLines& lines, const std::vector<std::uint32_t>& records,
                 int firstField);

    // The first field past those in the keys; firstField when none is.
    int decidedUpTo() const { return m_decidedUpTo; }
    // Equal keys mean equal texts of the fields in them, not only equal
    // texts without regard to case.
    bool exact() const { return m_exact; }
    // The two words of the record at position `i` of the records given
    // (only when decidedUpTo() is past firstField).
    std::uint64_t high(std::size_t i) const { return m_words[2 * i]; }
    std::uint64_t low(std::size_t i) const { return m_words[2 * i + 1]; }

private:
    // Ranks of the records' values of one field (by position), how many
    // distinct ranks there are, and `exact` cleared when two values' texts
    // differ only in case. The field must have values. Touches nothing of
    // this object, so fields can be ranked on several threads at once.
    static void rankField(const ResultLines& lines, const std::vector<std::uint32_t>& records,
                          int field, std::vector<std::uint32_t>& ranks, std::uint32_t* rankCount,
                          bool* exact);

    std::vector<std::uint64_t> m_words;
    int m_decidedUpTo = 0;
    bool m_exact = true;
};

} // namespace rw
