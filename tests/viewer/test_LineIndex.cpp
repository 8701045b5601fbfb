#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <utility>
#include <vector>

#include "viewer/core/LineIndex.h"

using rw::LineIndex;

namespace
{

// Every line's text, from a full index.
QList<QByteArray> lines(const QByteArray& data, bool utf8 = false)
{
    LineIndex index(reinterpret_cast<const unsigned char*>(data.constData()), data.size());
    index.setUtf8Wrap(utf8);
    QList<QByteArray> out;
    const std::int64_t n = index.lineCount();
    for (std::int64_t i = 0; i < n; ++i) {
        const LineIndex::Span s = index.lineSpan(i);
        out.append(data.mid(s.start, s.length));
    }
    return out;
}

} // namespace

TEST(LineIndex, BreaksAndLastLine)
{
    using L = QList<QByteArray>;
    EXPECT_EQ(lines(""), L{});
    EXPECT_EQ(lines("one"), (L{"one"}));
    EXPECT_EQ(lines("one\n"), (L{"one"}));
    EXPECT_EQ(lines("a\rb\nc\r\nd"), (L{"a", "b", "c", "d"}));
    EXPECT_EQ(lines("a\n\nb\r\r\n"), (L{"a", "", "b", ""}));
    EXPECT_EQ(lines("a\n\rb"), (L{"a", "", "b"})); // LF CR is two breaks
    EXPECT_EQ(lines(QByteArray("x\0y\n", 4)), (L{QByteArray("x\0y", 3)}));
}

TEST(LineIndex, LongLinesWrapAt1023Bytes)
{
    const QByteArray a(1023, 'a');
    const QByteArray b(1023, 'b');
    using L = QList<QByteArray>;
    // Exactly the limit plus its break is one line.
    EXPECT_EQ(lines(a + "\r\nnext"), (L{a, "next"}));
    EXPECT_EQ(lines(a + b + "cc\n"), (L{a, b, "cc"}));
    EXPECT_EQ(lines(a + "z"), (L{a, "z"}));
}

TEST(LineIndex, Utf8LinesWrapBetweenCharacters)
{
    using L = QList<QByteArray>;
    const QByteArray a(1022, 'a');
    // "é" would be cut after its first byte: the line ends before it.
    EXPECT_EQ(lines(a + "\xc3\xa9"
                        "bc\n",
                    true),
              (L{a, "\xc3\xa9"
                    "bc"}));
    EXPECT_EQ(lines(a + "\xc3\xa9"
                        "bc\n",
                    false),
              (L{a + "\xc3", "\xa9"
                             "bc"}));
    // A four-byte character that starts two bytes before the limit.
    const QByteArray b(1021, 'b');
    EXPECT_EQ(lines(b + "\xf0\x9f\x98\x80!", true), (L{b, "\xf0\x9f\x98\x80!"}));
    // A character that ends at the limit, or a line of exactly the limit,
    // wraps as before.
    EXPECT_EQ(lines(a.left(1021) + "\xc3\xa9z", true), (L{a.left(1021) + "\xc3\xa9", "z"}));
    EXPECT_EQ(lines(QByteArray(1023, 'c') + "\xc3\xa9", true),
              (L{QByteArray(1023, 'c'), "\xc3\xa9"}));
    // Bytes that are no UTF-8 (continuation bytes only) wrap at the limit.
    const QByteArray stray(1030, char(0x80));
    EXPECT_EQ(lines(stray, true), (L{stray.left(1023), stray.mid(1023)}));
    // Long runs of accented letters: every line whole characters, the
    // lines tiling the text, and offsets found in them.
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += (i % 3) ? "\xc3\xa9" : "\xe2\x82\xac";
    text += "\nend";
    LineIndex index(reinterpret_cast<const unsigned char*>(text.constData()), text.size());
    index.setUtf8Wrap(true);
    const std::int64_t count = index.lineCount();
    std::int64_t next = 0;
    for (std::int64_t i = 0; i < count; ++i) {
        const LineIndex::Span s = index.lineSpan(i);
        EXPECT_EQ(s.start, next) << i;
        EXPECT_LE(s.length, LineIndex::kMaxLineLength);
        const QByteArray bytes = text.mid(s.start, s.length);
        EXPECT_TRUE(QString::fromUtf8(bytes).toUtf8() == bytes)
            << "line " << i << " cuts a character";
        EXPECT_EQ(index.lineOfOffset(s.start), i);
        next = s.start + s.length +
               ((i + 1 < count && text.at(s.start + s.length) == QLatin1Char(0x0a)) ? 1 : 0);
    }
    EXPECT_EQ(next, text.size());
}

TEST(LineIndex, LazyScanAndOffsetLookup)
{
    QByteArray data;
    for (int i = 0; i < 5000; ++i)
        data += QByteArray::number(i) + (i % 2 ? "\r\n" : "\n");
    LineIndex index(reinterpret_cast<const unsigned char*>(data.constData()), data.size());
    EXPECT_TRUE(index.ensureLine(10));
    EXPECT_FALSE(index.isComplete());
    EXPECT_LT(index.scannedBytes(), 100);
    EXPECT_GT(index.estimatedLineCount(), 1000);

    const LineIndex::Span s = index.lineSpan(4321);
    EXPECT_EQ(data.mid(s.start, s.length), QByteArray("4321"));
    EXPECT_EQ(index.lineOfOffset(s.start), 4321);
    EXPECT_EQ(index.lineOfOffset(s.start + s.length), 4321); // its break
    EXPECT_EQ(index.lineOfOffset(data.size()), -1);
    EXPECT_EQ(index.lineCount(), 5000);
    EXPECT_TRUE(index.isComplete());
    EXPECT_FALSE(index.ensureLine(5000));
    EXPECT_EQ(index.lineSpan(5000).start, -1);
    // Lookups backwards after forwards still agree.
    EXPECT_EQ(data.mid(index.lineSpan(1025).start, 4), QByteArray("1025"));
    EXPECT_EQ(index.lineOfOffset(0), 0);
}

namespace
{

// A buffer of zeros with bytes written at some places, and the written
// places as its data ranges (the rest reads as zeros, like a file's holes).
struct SparseBuffer {
    QByteArray bytes;
    std::vector<std::pair<std::int64_t, std::int64_t>> data;

    SparseBuffer(std::int64_t size, const std::vector<std::pair<std::int64_t, QByteArray>>& writes)
        : bytes(size, '\0')
    {
        for (const auto& [at, b] : writes) {
            bytes.replace(at, b.size(), b);
            data.emplace_back(at, at + b.size());
        }
    }
    const unsigned char* raw() const
    {
        return reinterpret_cast<const unsigned char*>(bytes.constData());
    }
    LineIndex::DataRanges ranges() const
    {
        return [this](std::int64_t offset, std::int64_t* start, std::int64_t* end) {
            for (const auto& [s, e] : data) {
                if (e > offset) {
                    *start = std::max(s, offset);
                    *end = e;
                    return true;
                }
            }
            return false;
        };
    }
};

} // namespace

TEST(LineIndex, HolesAreCountedWithoutReadingAndGiveTheSameLines)
{
    const QByteArray longRun(5000, 'q');
    QByteArray accented = "x";
    while (accented.size() < 5000)
        accented += "\xc3\xa9";
    const struct {
        const char* what;
        SparseBuffer buffer;
    } cases[] = {
        {"text among holes", SparseBuffer(3 << 20, {{0, "abc\r\ndef\n"},
                                                    {1000003, "x\ry\r"},
                                                    {1000007, "\nafter a CR LF split by nothing"},
                                                    {2000000, longRun},
                                                    {(3 << 20) - 2, "\n\n"}})},
        {"a hole to the end", SparseBuffer((2 << 20) + 17, {{10, "one\ntwo\n"}})},
        {"only a hole", SparseBuffer((1 << 20) + 1023 * 5, {})},
        {"a break right after a hole of whole lines",
         SparseBuffer(1023 * 4096 + 1, {{1023 * 4096, "\n"}})},
        {"accented text up to a hole",
         SparseBuffer(3 << 20, {{1000, accented}, {2000001, accented + "\n"}})},
    };
    for (const bool utf8 : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(utf8 ? "UTF-8" : "code page");
            const SparseBuffer& b = c.buffer;
            LineIndex plain(b.raw(), b.bytes.size());
            plain.setUtf8Wrap(utf8);
            const std::int64_t count = plain.lineCount();

            // Counted whole, in slices, and line by line as a view asks.
            LineIndex whole(b.raw(), b.bytes.size());
            whole.setDataRanges(b.ranges());
            whole.setUtf8Wrap(utf8);
            EXPECT_EQ(whole.lineCount(), count) << c.what;
            LineIndex sliced(b.raw(), b.bytes.size());
            sliced.setDataRanges(b.ranges());
            sliced.setUtf8Wrap(utf8);
            while (!sliced.isComplete())
                sliced.scanTo(sliced.scannedBytes() + 100000);
            EXPECT_EQ(sliced.knownLineCount(), count) << c.what;
            LineIndex asked(b.raw(), b.bytes.size());
            asked.setDataRanges(b.ranges());
            asked.setUtf8Wrap(utf8);
            for (std::int64_t line = 0; line < count + 5; line += 777)
                EXPECT_EQ(asked.ensureLine(line), line < count) << c.what << " line " << line;
            EXPECT_EQ(asked.lineCount(), count) << c.what;

            for (LineIndex* index : {&whole, &sliced, &asked}) {
                for (std::int64_t line = 0; line < count; line += 311) {
                    const LineIndex::Span want = plain.lineSpan(line);
                    const LineIndex::Span got = index->lineSpan(line);
                    EXPECT_EQ(got.start, want.start) << c.what << " line " << line;
                    EXPECT_EQ(got.length, want.length) << c.what << " line " << line;
                }
                for (std::int64_t offset = 0; offset < b.bytes.size(); offset += 99991)
                    EXPECT_EQ(index->lineOfOffset(offset), plain.lineOfOffset(offset))
                        << c.what << " offset " << offset;
            }
        }
}
