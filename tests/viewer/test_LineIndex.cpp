#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>

#include "viewer/core/LineIndex.h"

using rw::LineIndex;

namespace
{

// Every line's text, from a full index.
QList<QByteArray> lines(const QByteArray& data)
{
    LineIndex index(reinterpret_cast<const unsigned char*>(data.constData()), data.size());
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
