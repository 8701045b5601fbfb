#include <gtest/gtest.h>

#include "framework/core/FileTypes.h"

#include <QSet>

using rw::FileTypeDescription;

TEST(FileTypes, DescriptionFallbacksAndSpecialInputs)
{
    const struct {
        const char* ext;
        const char* expected;
    } cases[] = {
        {"*.", "No extension"},
        {".", " File"}, // a name such as "dotend."
        {".*", ""},
        {"*", ""},
        {"", ""},
        {".qqzx", "QQZX File"},
        {".QqZx", "QQZX File"},
        {".q7zzq", "Q7ZZQ File"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileTypeDescription(QString::fromLatin1(c.ext)), QString::fromLatin1(c.expected))
            << c.ext;
}

TEST(FileTypes, RegisteredExtensionGivesTheTypeDescriptionWhateverTheCase)
{
    const QString txt = FileTypeDescription(QStringLiteral(".txt"));
    EXPECT_FALSE(txt.isEmpty());
    EXPECT_NE(txt, QStringLiteral("TXT File"));
    EXPECT_EQ(FileTypeDescription(QStringLiteral(".TXT")), txt);
    // Asked again, the cached answer is the same.
    EXPECT_EQ(FileTypeDescription(QStringLiteral(".txt")), txt);
}

TEST(FileTypes, WildcardListHoldsShortExtensionsOnceSorted)
{
    QStringList with;
    QStringList without{QStringLiteral("left over")};
    rw::FillWildcardList(with, true);
    rw::FillWildcardList(without, false);

    ASSERT_FALSE(with.isEmpty());
    EXPECT_EQ(with.first(), QStringLiteral("*.*"));
    EXPECT_EQ(with.mid(1), without);
    EXPECT_FALSE(without.contains(QStringLiteral("*.*")));
    EXPECT_FALSE(without.contains(QStringLiteral("left over")));

    // The dot and up to four characters: ".html" is in, ".xhtml" is not.
    EXPECT_TRUE(without.contains(QStringLiteral("*.txt")));
    EXPECT_TRUE(without.contains(QStringLiteral("*.html")));
    EXPECT_FALSE(without.contains(QStringLiteral("*.xhtml")));

    QSet<QString> seen;
    for (qsizetype i = 0; i < without.size(); ++i) {
        const QString& p = without[i];
        ASSERT_TRUE(p.startsWith(QStringLiteral("*."))) << qPrintable(p);
        EXPECT_GE(p.size(), 3) << qPrintable(p);
        EXPECT_LE(p.size(), 6) << qPrintable(p);
        EXPECT_FALSE(seen.contains(p.toLower())) << qPrintable(p);
        seen.insert(p.toLower());
        if (i > 0) {
            EXPECT_LT(QString::compare(without[i - 1], p, Qt::CaseInsensitive), 0);
        }
    }
}
