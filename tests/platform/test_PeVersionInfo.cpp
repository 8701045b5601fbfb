#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <functional>

#include "platform/PeVersionInfo.h"
#include "tests/platform/PeTestImage.h"
#include "tests/support/FixtureBuilder.h"

using namespace rw;

using namespace rwtest::pe;

namespace
{

QStringList viaMemory(const QByteArray& image, bool withTab = false)
{
    return versionInfoLines(
        std::span(reinterpret_cast<const std::uint8_t*>(image.constData()), image.size()), withTab);
}

const QStringList kExpected = {
    "Company: Acme Tools",         "File description: Disk tidier",
    "File version: 2.7.0.1",       "Internal name: ",
    "Copyright: (c) Acme",         "Trademarks: ",
    "Original filename: TIDY.EXE", "Private build info: ",
    "Product name: Tidy",          "Product version: 2.7",
    "Special build info: ",
};

} // namespace

TEST(PeVersionInfo, ReadsTheElevenLinesOfTheFirstTranslation)
{
    const QByteArray image = peFile(sampleResource());
    EXPECT_EQ(viaMemory(image), kExpected);

    QStringList tabbed = kExpected;
    for (int i = 0; i < tabbed.size(); ++i)
        tabbed[i].insert(tabbed[i].indexOf(": ") + 2, QLatin1Char('\t'));
    EXPECT_EQ(viaMemory(image, true), tabbed);

    // Read from disk, whatever the file is called; the string table key may
    // be written in lower case.
    rwtest::FixtureBuilder fx;
    const QString path = fx.fileWithContent("tidy.bin", peFile(sampleResource("040904e4")));
    EXPECT_EQ(ReadVersionInfo(path, false), kExpected);
}

TEST(PeVersionInfo, FilesWithoutAVersionResourceGiveNoLines)
{
    rwtest::FixtureBuilder fx;
    QByteArray noTranslation = peFile(sampleResource());
    // Rename the "Translation" value so that it is not found.
    const qsizetype at = noTranslation.indexOf(utf16z("Translation"));
    ASSERT_GT(at, 0);
    noTranslation[at] = 'X';
    QByteArray otherTable = peFile(sampleResource("041104B0"));

    const struct {
        const char* name;
        QByteArray content;
        QStringList expected;
    } cases[] = {
        {"text.exe", "just some text, not a program", {}},
        {"empty.exe", "", {}},
        {"mz-only.dll", "MZ", {}},
        {"no-translation.exe", noTranslation, {}},
        // A translation without its string table still lists every label.
        {"other-table.exe",
         otherTable,
         {"Company: ", "File description: ", "File version: ", "Internal name: ", "Copyright: ",
          "Trademarks: ", "Original filename: ", "Private build info: ", "Product name: ",
          "Product version: ", "Special build info: "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadVersionInfo(fx.fileWithContent(c.name, c.content), false), c.expected)
            << c.name;
    EXPECT_TRUE(ReadVersionInfo(fx.folder("folder.exe"), false).isEmpty());
    EXPECT_TRUE(ReadVersionInfo(fx.path("missing.exe"), false).isEmpty());
    // A FIFO is never opened for reading (that would wait for a writer).
    EXPECT_TRUE(ReadVersionInfo(fx.fifo("pipe.exe"), false).isEmpty());
}

TEST(PeVersionInfo, EveryTruncationGivesNoLinesOrTheRightOnes)
{
    const QByteArray image = peFile(sampleResource()) + QByteArray(16, '\0');
    int complete = 0;
    for (int n = 0; n <= image.size(); ++n) {
        const QStringList lines = viaMemory(image.left(n));
        EXPECT_TRUE(lines.isEmpty() || lines == kExpected) << "length " << n;
        complete += lines == kExpected;
    }
    EXPECT_GE(complete, 1);

    // The same through the file reader for a few lengths.
    rwtest::FixtureBuilder fx;
    for (int n : {63, 300, Layout::blob + 10, int(image.size()) - 17})
        EXPECT_TRUE(ReadVersionInfo(fx.fileWithContent("cut.exe", image.left(n)), false).isEmpty())
            << "length " << n;
}

TEST(PeVersionInfo, CorruptedOffsetsAndLengthsAreRejectedSafely)
{
    const QByteArray good = peFile(sampleResource());
    using Patch = std::function<void(QByteArray&)>;
    const struct {
        const char* what;
        Patch patch;
        bool stillReadable; // false: must give no lines; true: lines or none
    } cases[] = {
        {"PE header past the end", [](QByteArray& f) { put32(f, 0x3C, 0xFFFFFFF0u); }, false},
        {"65535 sections", [](QByteArray& f) { put16(f, Layout::sectionCount, 0xFFFF); }, false},
        {"section data past the end",
         [](QByteArray& f) { put32(f, Layout::sectionTable + 20, 0xFFFFFF00u); }, false},
        {"huge section size",
         [](QByteArray& f) { put32(f, Layout::sectionTable + 16, 0xFFFFFFFFu); }, true},
        {"resource table outside every section",
         [](QByteArray& f) { put32(f, Layout::optional + 96 + 16, 0x80000000u); }, false},
        {"root directory claims 65535 entries",
         [](QByteArray& f) { put16(f, Layout::rsrc + 14, 0xFFFF); }, false},
        {"directory pointing at itself",
         [](QByteArray& f) { put32(f, Layout::nameEntry + 4, 0x80000000u | 0x18); }, false},
        {"directory pointing at the root",
         [](QByteArray& f) { put32(f, Layout::languageEntry + 4, 0x80000000u); }, false},
        {"subdirectory past the end",
         [](QByteArray& f) { put32(f, Layout::typeEntry + 4, 0xFFFFFFF0u); }, false},
        {"data past the end", [](QByteArray& f) { put32(f, Layout::dataEntry, 0xFFFFFF00u); },
         false},
        {"data size far too large",
         [](QByteArray& f) { put32(f, Layout::dataEntry + 4, 0xFFFFFFFFu); }, true},
        {"block longer than the data", [](QByteArray& f) { put16(f, Layout::blob, 0xFFFF); },
         false},
        {"block of length 0", [](QByteArray& f) { put16(f, Layout::blob, 0); }, false},
    };
    for (const auto& c : cases) {
        QByteArray image = good;
        c.patch(image);
        const QStringList lines = viaMemory(image);
        if (c.stillReadable)
            EXPECT_TRUE(lines.isEmpty() || lines == kExpected) << c.what;
        else
            EXPECT_TRUE(lines.isEmpty()) << c.what;
    }

    // Any single damaged byte: no lines, or eleven lines with their labels.
    for (int i = 0; i < good.size(); ++i) {
        QByteArray image = good;
        image[i] = char(image[i] ^ 0xA5);
        const QStringList lines = viaMemory(image);
        ASSERT_TRUE(lines.isEmpty() || lines.size() == 11) << "byte " << i;
        for (int k = 0; k < lines.size(); ++k)
            EXPECT_TRUE(lines[k].startsWith(QLatin1String(versionFields()[k].label)))
                << "byte " << i;
    }
}
