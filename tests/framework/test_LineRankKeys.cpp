#include "framework/core/LineRankKeys.h"
#include "framework/core/ResultLines.h"
#include "tests/framework/LineTexts.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <algorithm>

using namespace rw;

namespace
{

// Records whose lines hold every kind of trap for a shortcut past the whole
// line texts: sizes whose texts sort unlike their numbers, times with no
// value and before 1980, folders that begin each other's texts or differ in
// case only, names that differ in case, are not UTF-8 or hold a tab.
struct TrickyRecords {
    std::shared_ptr<ResultSet> set = std::make_shared<ResultSet>();
    std::vector<std::uint32_t> records;

    TrickyRecords()
    {
        const char* folders[] = {"/t", "/t/a", "/T/A", "/t/a b", "/t/ab", "/t/a/b"};
        const char* names[] = {"x", "X", "b", "a\tb", "caf\xe9", "Zeta", "zeta"};
        const std::int64_t sizes[] = {0, 9, 10, 999, 1000, 1000000};
        const std::int64_t day = QDateTime(QDate(2024, 5, 6), QTime(10, 0)).toSecsSinceEpoch();
        const std::int64_t times[] = {0, day, day + 2, day + 86400,
                                      QDateTime(QDate(1975, 1, 1), QTime(0, 0)).toSecsSinceEpoch()};
        int n = 0;
        for (const char* folder : folders) {
            const std::uint32_t f = set->addFolder(folder, {});
            for (const char* name : names) {
                // Enough spread that every field has several values, and
                // enough repeats that the later fields must decide.
                FileStatus st;
                st.size = sizes[(n * 7) % 6];
                st.mtime = times[(n / 3) % 5];
                st.atime = times[(n / 5) % 5];
                records.push_back(set->add(f, name, st));
                ++n;
            }
        }
    }
};

int sign(int v)
{
    return (v > 0) - (v < 0);
}

} // namespace

TEST(LineRankKeys, KeysAndSortAgreeWithTheWholeLineTexts)
{
    TrickyRecords t;
    using F = ResultField;
    const QList<QList<ResultField>> layouts = {
        {F::Size, F::ModifiedDate, F::ModifiedTime, F::AccessDate, F::FullPath, F::Type},
        {F::ModifiedTime, F::Size, F::Name, F::Folder},
        {F::Name, F::Size, F::ModifiedDate}};
    for (const QList<ResultField>& layout : layouts) {
        ResultLines lines(t.set, layout);
        lines.setTypeDescriber([](const QString& e) { return e.toUpper(); });
        for (int first : {0, 1}) {
            const LineRankKeys keys(lines, t.records, first);
            EXPECT_EQ(keys.decidedUpTo() > first, layout[first] != F::Name);
            if (keys.decidedUpTo() == first)
                continue;
            // Where two keys differ, the lines from `first` on compare the
            // same way; where they agree, so do the ranked fields' texts.
            int wrong = 0;
            for (std::size_t i = 0; i < t.records.size(); ++i) {
                for (std::size_t j = 0; j < t.records.size(); ++j) {
                    const std::uint32_t a = t.records[i];
                    const std::uint32_t b = t.records[j];
                    const int byKey =
                        keys.high(i) != keys.high(j)
                            ? (keys.high(i) < keys.high(j) ? -1 : 1)
                            : (keys.low(i) != keys.low(j) ? (keys.low(i) < keys.low(j) ? -1 : 1)
                                                          : 0);
                    if (byKey != 0) {
                        const int byText = sign(lines.lineFrom(a, first).compare(
                            lines.lineFrom(b, first), Qt::CaseInsensitive));
                        wrong += byText != byKey;
                    } else {
                        for (int n = first; n < keys.decidedUpTo(); ++n)
                            wrong += lines.field(a, n) != lines.field(b, n);
                    }
                }
            }
            EXPECT_EQ(wrong, 0) << "layout starting " << int(layout[0]) << ", first " << first;
            EXPECT_TRUE(keys.exact());
        }

        // The sort against a plain stable sort of the texts, both ways.
        const QStringList want = rwtest::plainlySortedLines(lines, t.records);
        for (bool descending : {false, true}) {
            std::vector<std::uint32_t> sorted = t.records;
            lines.sortByLines(sorted, descending);
            const QStringList got = rwtest::linesOf(lines, sorted);
            QStringList expected = want;
            if (descending)
                std::reverse(expected.begin(), expected.end());
            EXPECT_EQ(got.join(" | ").toStdString(), expected.join(" | ").toStdString())
                << "layout starting " << int(layout[0]) << ", descending " << descending;
        }
    }
}

TEST(LineRankKeys, BigSetsSortedOnTwoThreadsGiveTheSameOrder)
{
    // Past the size where the ranks and the sort run on helper threads, each
    // through its own copy of the lines: the order must still be that of
    // the texts, ties included.
    auto set = std::make_shared<ResultSet>();
    using F = ResultField;
    ResultLines lines(set, {F::Size, F::ModifiedDate, F::ModifiedTime, F::FullPath, F::Type});
    const std::int64_t day = QDateTime(QDate(2024, 5, 6), QTime(10, 0)).toSecsSinceEpoch();
    std::vector<std::uint32_t> records;
    std::vector<std::uint32_t> folders;
    for (const char* f : {"/d", "/d/a", "/D/A", "/d/a b", "/d/ab"})
        folders.push_back(set->addFolder(f, {}));
    for (int i = 0; i < 70000; ++i) {
        FileStatus st;
        st.size = (i * 7919) % 1500;
        st.mtime = day + (i % 7) * 3600 * 13;
        const QByteArray name =
            (i % 3 == 0 ? "F" : "f") + QByteArray::number(i % 997) + (i % 5 == 0 ? ".TXT" : ".txt");
        records.push_back(set->add(folders[std::size_t(i) % folders.size()],
                                   std::string_view(name.constData(), std::size_t(name.size())),
                                   st));
    }
    const QStringList want = rwtest::plainlySortedLines(lines, records);
    std::vector<std::uint32_t> sorted = records;
    lines.sortByLines(sorted, true);
    int wrong = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i)
        wrong += lines.line(sorted[i]) != want[qsizetype(want.size() - 1 - i)];
    EXPECT_EQ(wrong, 0);
}
