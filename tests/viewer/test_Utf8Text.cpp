#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vector>

#include "tests/support/FixtureBuilder.h"
#include "viewer/core/MappedFile.h"
#include "viewer/core/Utf8Text.h"

using rw::Utf8Text;

namespace
{

const unsigned char* bytes(const QByteArray& b)
{
    return reinterpret_cast<const unsigned char*>(b.constData());
}

bool valid(const QByteArray& b)
{
    return Utf8Text::isValid(bytes(b), b.size());
}

bool sampleValid(const QByteArray& b, const rw::LineIndex::DataRanges& ranges = nullptr)
{
    return Utf8Text::sampleIsValid(bytes(b), b.size(), ranges);
}

TEST(Utf8Text, DecodesStrictly)
{
    const struct {
        QByteArray in;
        int length;
        char32_t cp;
    } cases[] = {
        {"a", 1, U'a'},
        {"\xc3\xa9", 2, U'\u00e9'},
        {"\xe2\x82\xac", 3, U'\u20ac'},
        {"\xf0\x9f\x98\x80", 4, U'\U0001F600'},
        {"\xc3", 0, 0},             // cut short
        {"\xc3(", 0, 0},            // no continuation
        {"\xc0\xaf", 0, 0},         // overlong "/"
        {"\xe0\x80\xaf", 0, 0},     // overlong, three bytes
        {"\xed\xa0\x80", 0, 0},     // a surrogate
        {"\xf4\x90\x80\x80", 0, 0}, // above U+10FFFF
        {"\xff", 0, 0},
        {"\x80", 0, 0},
    };
    for (const auto& c : cases) {
        char32_t cp = 0;
        EXPECT_EQ(Utf8Text::decode(bytes(c.in), c.in.size(), &cp), c.length) << c.in.toHex().data();
        if (c.length > 0) {
            EXPECT_EQ(cp, c.cp) << c.in.toHex().data();
        }
    }
}

TEST(Utf8Text, ValidityOfWholeTexts)
{
    EXPECT_TRUE(valid(""));
    EXPECT_TRUE(valid("plain ASCII text, longer than eight bytes"));
    EXPECT_TRUE(valid("caf\xc3\xa9 na\xc3\xafve \xe2\x82\xac \xf0\x9f\x98\x80"));
    EXPECT_FALSE(valid("caf\xe9"));                       // Windows-1252
    EXPECT_FALSE(valid("0123456789abcdef\xc3"));          // cut at the end
    EXPECT_FALSE(valid("0123456789abcdef\xe9 and more")); // after a fast run
}

TEST(Utf8Text, SampleDecidesFromTheHeadAndAFewProbes)
{
    const QByteArray ascii(200000, 'a');
    EXPECT_TRUE(sampleValid(ascii));
    EXPECT_TRUE(sampleValid(QByteArray("caf\xc3\xa9\n")));
    EXPECT_FALSE(sampleValid(QByteArray("caf\xe9\n")));

    // A code-page byte in the middle or at the end is found by a probe.
    QByteArray middle = ascii;
    middle[100000] = char(0xe9);
    EXPECT_FALSE(sampleValid(middle));
    QByteArray end = ascii;
    end[end.size() - 2] = char(0xe9);
    EXPECT_FALSE(sampleValid(end));

    // A probe that starts or ends inside a character is not held against
    // the file.
    QByteArray accented;
    while (accented.size() < 300000)
        accented += "\xc3\xa9\xe2\x82\xac";
    EXPECT_TRUE(sampleValid(accented));
    EXPECT_TRUE(sampleValid(accented.left(accented.size() - 1)));
}

TEST(Utf8Text, SampleOfASparseFileReadsWhereItsDataLies)
{
    // A terabyte image: a line at its start, a name half way, holes between.
    const std::int64_t size = std::int64_t(1) << 40;
    for (const bool codePage : {false, true}) {
        SCOPED_TRACE(codePage ? "code page" : "UTF-8");
        rwtest::FixtureBuilder fx;
        const QString path = fx.sparseFile(QStringLiteral("vm.img"), size);
        fx.writeAt(QStringLiteral("vm.img"), 0, "caf\xc3\xa9\n");
        fx.writeAt(QStringLiteral("vm.img"), size / 2 + 12345,
                   codePage ? QByteArray("na\xefve") : QByteArray("na\xc3\xafve"));
        rw::MappedFile file;
        ASSERT_TRUE(file.open(QFile::encodeName(path)));
        int lookups = 0;
        const auto ranges = [&](std::int64_t offset, std::int64_t* start, std::int64_t* end) {
            ++lookups;
            return file.dataRange(offset, start, end);
        };
        EXPECT_EQ(Utf8Text::sampleIsValid(file.data(), file.size(), ranges), !codePage);
        EXPECT_LE(lookups, 24) << "a bounded number of lookups";
    }
}

} // namespace
