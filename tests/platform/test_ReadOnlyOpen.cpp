#include "platform/ReadOnlyOpen.h"

#include "tests/support/FixtureBuilder.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cerrno>
#include <string>

namespace
{

TEST(ReadOnlyOpen, OpensOnlyRegularFilesRelativeToAFolder)
{
    rwtest::FixtureBuilder fx;
    fx.fileWithContent("data.txt", "hello");
    fx.symlink("link", "data.txt");
    fx.fifo("pipe");
    fx.folder("sub");
    rw::DirListing folder;
    ASSERT_TRUE(folder.open(QFile::encodeName(fx.base())));

    const struct {
        const char* name;
        bool opens;
        int error;
    } cases[] = {
        {"data.txt", true, 0},  {"link", false, ELOOP},     {"pipe", false, EINVAL},
        {"sub", false, EINVAL}, {"missing", false, ENOENT},
    };
    for (const auto& c : cases) {
        int error = -1;
        const rw::FileDescriptor fd = rw::openRegularFileAt(folder.fd(), c.name, &error);
        EXPECT_EQ(fd.isValid(), c.opens) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
}

TEST(ReadOnlyOpen, ReadsWholeRangesAndStopsAtTheEnd)
{
    rwtest::FixtureBuilder fx;
    const QByteArray content = "0123456789abcdef";
    const QByteArray path = QFile::encodeName(fx.fileWithContent("data.bin", content));
    const rw::FileDescriptor fd = rw::openRegularFileForReading(path);
    ASSERT_TRUE(fd.isValid());

    char buffer[32] = {};
    std::size_t got = 0;
    ASSERT_TRUE(rw::readFullyAt(fd.get(), buffer, 4, 10, &got));
    EXPECT_EQ(std::string(buffer, got), "abcd");
    // A range past the end gives what there is.
    ASSERT_TRUE(rw::readFullyAt(fd.get(), buffer, 10, 12, &got));
    EXPECT_EQ(std::string(buffer, got), "cdef");
    ASSERT_TRUE(rw::readFullyAt(fd.get(), buffer, 4, 100, &got));
    EXPECT_EQ(got, 0u);

    // The position-free reads leave the sequential position at the start.
    rw::adviseSequentialRead(fd.get());
    std::string all;
    for (std::int64_t n; (n = rw::readNext(fd.get(), buffer, 5)) > 0;)
        all.append(buffer, std::size_t(n));
    EXPECT_EQ(all, content.toStdString());
    EXPECT_EQ(rw::readNext(-1, buffer, 5), -1);
}

} // namespace
