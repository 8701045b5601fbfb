#include <gtest/gtest.h>

#include <QFile>

#include <atomic>
#include <memory>
#include <vector>

#include "platform/ReadOnlyOpen.h"
#include "tests/support/FixtureBuilder.h"
#include "tools/dup/core/ContentHasher.h"
#include "tools/dup/core/Crc32.h"
#include "tools/dup/core/KeepOneCopy.h"

using namespace rw;
using rwtest::FixtureBuilder;

// Sparse files (mostly holes, which read as zeros) through the content
// comparisons. Every file here measures a terabyte: reading its holes would
// never finish, so each case completing is part of what is checked.

namespace
{

constexpr std::int64_t kGiB = std::int64_t(1) << 30;
constexpr std::int64_t kTiB = std::int64_t(1) << 40;

// A file of `size` bytes: holes, with `writes` (offset, bytes) put on top.
struct Layout {
    const char* name;
    int group; // layouts of one group hold the same bytes
    std::vector<std::pair<std::int64_t, QByteArray>> writes;
};

ContentHash hashOf(const QString& path, std::int64_t size, ContentHasher::Pass pass)
{
    std::unique_ptr<char[]> buffer(new char[ContentHasher::kBlockBytes]);
    const std::atomic<bool> abort{false};
    std::atomic<std::int64_t> covered{0};
    const ContentHash h = ContentHasher::hashFile({QFile::encodeName(path), size, 0, 0}, pass,
                                                  buffer.get(), abort, &covered);
    EXPECT_TRUE(h.ok) << qPrintable(path);
    // Progress counts the holes stepped over as done.
    if (pass == ContentHasher::Pass::Whole) {
        EXPECT_EQ(covered.load(), size) << qPrintable(path);
    }
    return h;
}

std::uint32_t crcOfFile(const QString& path)
{
    const FileDescriptor fd = openRegularFileForReading(QFile::encodeName(path));
    EXPECT_TRUE(fd.isValid());
    TCRC32Calc calc;
    return calc.CalcFileCRC(fd.get());
}

bool sameFiles(const QString& a, const QString& b)
{
    const FileDescriptor fa = openRegularFileForReading(QFile::encodeName(a));
    const FileDescriptor fb = openRegularFileForReading(QFile::encodeName(b));
    EXPECT_TRUE(fa.isValid() && fb.isValid());
    return KeepOneCopy::sameContents(fa.get(), fb.get());
}

// The CRC-32 of `bytes` after `zerosBefore` zero bytes.
std::uint32_t crcAfterZeros(std::int64_t zerosBefore, const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    const QByteArray zeros(1 << 20, '\0');
    for (std::int64_t done = 0; done < zerosBefore; done += zeros.size())
        crc = UpdateCRC(crc, zeros.constData(),
                        std::size_t(std::min<std::int64_t>(zeros.size(), zerosBefore - done)));
    return UpdateCRC(crc, bytes.constData(), std::size_t(bytes.size())) ^ 0xFFFFFFFFu;
}

} // namespace

TEST(SparseContents, HolesAndWrittenZerosCompareAlikeAndAnyOtherDifferenceShows)
{
    // Odd size: the last block is a short one.
    constexpr std::int64_t size = kTiB + 100;
    const QByteArray data = "the same data here, 40 bytes in length!!";
    const std::int64_t at = 5 * kGiB + 10;
    QByteArray oneByteOff = data;
    oneByteOff[17] = 'X';
    QByteArray wrapped(2 << 20, '\0'); // the data inside written zeros
    wrapped.replace(1 << 20, data.size(), data);
    const std::pair<std::int64_t, QByteArray> tail{size - 3, "end"};
    const std::vector<Layout> layouts = {
        {"data in holes", 0, {{at, data}, tail}},
        {"plus written zero blocks",
         0,
         {{kGiB, QByteArray(1 << 20, '\0')},
          {at - 50000, QByteArray(50000, '\0')}, // ends where the data starts
          {at, data},
          tail}},
        {"data inside written zeros", 0, {{at - (1 << 20), wrapped}, tail}},
        {"moved by a block", 1, {{at + (64 << 10), data}, tail}},
        {"moved by a byte", 2, {{at + 1, data}, tail}},
        {"one byte differs", 3, {{at, oneByteOff}, tail}},
        {"tail only", 4, {tail}},
        {"only a hole", 5, {}},
        {"a hole, written zeros at the end", 5, {{size - 100, QByteArray(100, '\0')}}},
    };

    FixtureBuilder fx;
    std::vector<QString> paths;
    std::vector<ContentHash> whole;
    std::vector<ContentHash> edges;
    std::vector<std::uint32_t> crcs;
    for (const Layout& l : layouts) {
        const QString path = fx.sparseFile(QString::fromLatin1(l.name), size);
        for (const auto& [offset, bytes] : l.writes)
            fx.writeAt(QString::fromLatin1(l.name), offset, bytes);
        paths.push_back(path);
        whole.push_back(hashOf(path, size, ContentHasher::Pass::Whole));
        edges.push_back(hashOf(path, size, ContentHasher::Pass::Edges));
        crcs.push_back(crcOfFile(path));
    }
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        for (std::size_t j = i + 1; j < layouts.size(); ++j) {
            const bool same = layouts[i].group == layouts[j].group;
            const std::string pair = std::string(layouts[i].name) + " / " + layouts[j].name;
            EXPECT_EQ(whole[i] == whole[j], same) << pair;
            EXPECT_EQ(crcs[i] == crcs[j], same) << pair;
            EXPECT_EQ(sameFiles(paths[i], paths[j]), same) << pair;
            if (same) {
                EXPECT_TRUE(edges[i] == edges[j]) << pair;
            }
        }
    }
}

TEST(SparseContents, ZerosEnterTheCrcAsIfRead)
{
    for (const std::int64_t n : {std::int64_t(0), std::int64_t(1), std::int64_t(4095),
                                 std::int64_t(65536), std::int64_t(3 << 20) + 5}) {
        const QByteArray zeros(n, '\0');
        const std::uint32_t start = 0x1234ABCDu;
        EXPECT_EQ(AdvanceCRCOverZeros(start, n),
                  UpdateCRC(start, zeros.constData(), std::size_t(zeros.size())))
            << n;
    }

    // A sparse file of a few megabytes read plainly gives the same CRC.
    FixtureBuilder fx;
    const QString path = fx.sparseFile("small.img", (3 << 20) + 7);
    fx.writeAt("small.img", (1 << 20) + 3, "data amid holes");
    fx.writeAt("small.img", (3 << 20) + 2, "tail!");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(crcOfFile(path),
              UpdateCRC(0xFFFFFFFFu, bytes.constData(), std::size_t(bytes.size())) ^ 0xFFFFFFFFu);

    // And a terabyte of holes around a few bytes: the CRC of the bytes after
    // that many zeros, worked out here from a plain CRC of the zeros before
    // the data (kept small: the data sits near the start).
    const QString big = fx.sparseFile("big.img", kTiB);
    fx.writeAt("big.img", (2 << 20) + 1, "x");
    const std::uint32_t head = crcAfterZeros((2 << 20) + 1, "x") ^ 0xFFFFFFFFu;
    EXPECT_EQ(crcOfFile(big), AdvanceCRCOverZeros(head, kTiB - (2 << 20) - 2) ^ 0xFFFFFFFFu);
}
