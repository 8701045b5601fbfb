#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>

#include <fcntl.h>
#include <utility>
#include <vector>

#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"
#include "viewer/core/ExtractStrings.h"

using rwtest::FixtureBuilder;

namespace
{

// Runs the extraction with the viewer's limits (5, 100) on `content` and
// returns the target file's bytes.
QByteArray extract(const QByteArray& content)
{
    FixtureBuilder fx;
    const QString source = fx.fileWithContent(QStringLiteral("source.bin"), content);
    const QString target = fx.path(QStringLiteral("strings.txt"));
    EXPECT_TRUE(rw::ExtractStrings(QFile::encodeName(source), target, 5, 100,
                                   rwtest::ScriptedResponder::instance()));
    QFile f(target);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

QByteArray z(int n = 1)
{
    return QByteArray(n, '\0');
}

} // namespace

struct ExtractCase {
    const char* name;
    QByteArray input;
    QByteArray expected;
};

TEST(ExtractStrings, RunRules)
{
    const QByteArray run150(150, 'q');
    const ExtractCase cases[] = {
        {"five letters are too short", z() + "abcde" + z(), ""},
        {"six letters make a line", z() + "abcdef" + z(), "abcdef\r\n"},
        {"digits and blanks are readable", "12 ab 34" + z(), "12 ab 34\r\n"},
        {"a long run keeps 101 characters", run150 + z(), QByteArray(101, 'q') + "\r\n"},
        {"a repeat of the last line is dropped", "string" + z() + "string" + z(), "string\r\n"},
        {"a repeat after another string is written",
         "string" + z() + "other1" + z() + "string" + z(), "string\r\nother1\r\nstring\r\n"},
        {"punctuation breaks a string", "abc-defghi" + z(), "defghi\r\n"},
        {"a run open at the end of the file is dropped", z() + "trailing", ""},
        {"a line feed ends a run", "line one\nline two\n", "line one\r\nline two\r\n"},
    };
    for (const ExtractCase& c : cases)
        EXPECT_EQ(extract(c.input), c.expected) << c.name;
}

TEST(ExtractStrings, BlockBoundaries)
{
    // A string across the 2048-byte boundary is not written; the whole
    // strings on either side are.
    QByteArray data(2048 - 4, '\0');
    data.replace(10, 7, "before1");
    data += "abcdefgh"; // four letters in each block
    data += z();
    data += "after12";
    data += z();
    EXPECT_EQ(extract(data), "before1\r\nafter12\r\n");

    // A string ending right at the end of a block is dropped too; one that
    // starts exactly at a block start is whole.
    QByteArray exact(2048 - 8, '\0');
    exact += "endblock";
    exact += "startsblock";
    exact += z();
    EXPECT_EQ(extract(exact), "startsblock\r\n");
}

TEST(ExtractStrings, MissingSourceReportsAndLeavesTargetEmpty)
{
    FixtureBuilder fx;
    const QString missing = fx.path(QStringLiteral("no such file"));
    const QString target = fx.file(QStringLiteral("target.txt"), 0);
    EXPECT_FALSE(rw::ExtractStrings(QFile::encodeName(missing), target, 5, 100,
                                    rwtest::ScriptedResponder::instance()));
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
              QStringList{QStringLiteral("Could not open file ") + missing});
    EXPECT_EQ(QFile(target).size(), 0);
}

TEST(ExtractStrings, SourceIsOpenedByItsBytes)
{
    FixtureBuilder fx;
    const QByteArray folder = QFile::encodeName(fx.base());
    const QByteArray bad = folder + "/src\xff.bin";
    const QByteArray lookAlike = folder + "/src\xef\xbf\xbd.bin";
    for (const auto& [path, text] : {std::pair{bad, QByteArray("right file")},
                                     std::pair{lookAlike, QByteArray("wrong file")}}) {
        QFile f;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        f.write(z() + text + z());
    }
    const QString target = fx.path(QStringLiteral("strings.txt"));
    EXPECT_TRUE(rw::ExtractStrings(bad, target, 5, 100, rwtest::ScriptedResponder::instance()));
    QFile out(target);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), "right file\r\n");

    // A missing source is named as displayName shows it.
    EXPECT_FALSE(rw::ExtractStrings(folder + "/gone\xfe", target, 5, 100,
                                    rwtest::ScriptedResponder::instance()));
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
              QStringList{"Could not open file " + fx.base() + "/gone\\xFE"});
}

TEST(ExtractStrings, OnlyARegularFileIsRead)
{
    // A FIFO or a link in the place of the file is refused at once, like a
    // file that cannot be opened; the listing stays empty.
    FixtureBuilder fx;
    const QString real = fx.fileWithContent(QStringLiteral("real.bin"), "readable string" + z());
    const struct {
        const char* what;
        QString path;
    } cases[] = {
        {"a FIFO", fx.fifo(QStringLiteral("pipe"))},
        {"a link", fx.symlink(QStringLiteral("link.bin"), real)},
    };
    for (const auto& c : cases) {
        rwtest::ScriptedResponder::instance().clear();
        const QString target = fx.file(QStringLiteral("target.txt"), 0);
        EXPECT_FALSE(rw::ExtractStrings(QFile::encodeName(c.path), target, 5, 100,
                                        rwtest::ScriptedResponder::instance()))
            << c.what;
        EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
                  QStringList{QStringLiteral("Could not open file ") + c.path})
            << c.what;
        EXPECT_EQ(QFile(target).size(), 0) << c.what;
    }
}

TEST(ExtractStrings, HolesAreSkippedAndListTheSameAsWrittenZeros)
{
    // The same bytes as a sparse file and as a fully written one; the
    // strings sit beside block and hole edges, and one straddles a block.
    constexpr std::int64_t size = (4 << 20) + 100;
    const std::vector<std::pair<std::int64_t, QByteArray>> writes = {
        {0, "first string"},
        {(1 << 20) - 6, "straddles the block edge"},
        {(2 << 20) + 2048 * 3 + 5, "after a hole"},
        {(2 << 20) + 2048 * 3 + 40, "after a hole"}, // the same line again
        {size - 9, "the tail"},
    };
    FixtureBuilder fx;
    fx.sparseFile(QStringLiteral("sparse.img"), size);
    QByteArray plain(size, '\0');
    for (const auto& [at, bytes] : writes) {
        fx.writeAt(QStringLiteral("sparse.img"), at, bytes);
        plain.replace(at, bytes.size(), bytes);
    }
    const QString target = fx.path(QStringLiteral("sparse.txt"));
    std::int64_t lastDone = -1;
    EXPECT_TRUE(rw::ExtractStrings(QFile::encodeName(fx.path(QStringLiteral("sparse.img"))), target,
                                   5, 100, rwtest::ScriptedResponder::instance(),
                                   [&](std::int64_t done, std::int64_t total) {
                                       EXPECT_EQ(total, size);
                                       EXPECT_GE(done, lastDone);
                                       lastDone = done;
                                       return true;
                                   }));
    EXPECT_EQ(lastDone, size);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), extract(plain));
}

TEST(ExtractStrings, ATerabyteImageIsListedFromItsDataAndCanBeStopped)
{
    constexpr std::int64_t size = std::int64_t(1) << 40;
    FixtureBuilder fx;
    const QString image = fx.sparseFile(QStringLiteral("vm.img"), size);
    fx.writeAt(QStringLiteral("vm.img"), std::int64_t(700) << 30,
               QByteArray("\x01GRUB loader\x01"));
    fx.writeAt(QStringLiteral("vm.img"), size - 20, QByteArray("\x01last words\x01"));
    const QString target = fx.path(QStringLiteral("vm.txt"));
    EXPECT_TRUE(rw::ExtractStrings(QFile::encodeName(image), target, 5, 100,
                                   rwtest::ScriptedResponder::instance()));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "GRUB loader\r\nlast words\r\n");

    // Stopped at the first report: false, and no message.
    int calls = 0;
    EXPECT_FALSE(rw::ExtractStrings(QFile::encodeName(image), target, 5, 100,
                                    rwtest::ScriptedResponder::instance(),
                                    [&](std::int64_t, std::int64_t) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}
