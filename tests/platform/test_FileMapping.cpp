#include <gtest/gtest.h>

#include <QFile>

#include <cstring>
#include <functional>

#include <fcntl.h>
#include <unistd.h>

#include "platform/FileMapping.h"
#include "tests/support/FixtureBuilder.h"

using namespace rw;

namespace
{

QString errorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EFileMappingError& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace

TEST(FileMapping, MapsTheWholeFileIndependentlyOfTheStream)
{
    rwtest::FixtureBuilder fx;
    const QByteArray content = QByteArray("mapped content ") + QByteArray(70000, 'z');
    QFile file(fx.fileWithContent("data.bin", content));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    file.seek(100); // the stream's position does not matter

    TFileMapping mapping(&file);
    file.close(); // the mapping holds its own handle
    ASSERT_NE(mapping.BaseAddress(), nullptr);
    ASSERT_EQ(mapping.size(), std::size_t(content.size()));
    EXPECT_GE(mapping.MappingHandle(), 0);
    EXPECT_EQ(std::memcmp(mapping.BaseAddress(), content.constData(), content.size()), 0);

    mapping.close();
    EXPECT_EQ(mapping.BaseAddress(), nullptr);
    EXPECT_EQ(mapping.MappingHandle(), -1);
    mapping.close(); // a second close has nothing left to do
}

TEST(FileMapping, EmptyFileIsAnEmptyView)
{
    rwtest::FixtureBuilder fx;
    QFile file(fx.file("empty.txt", 0));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TFileMapping mapping(&file);
    EXPECT_EQ(mapping.BaseAddress(), nullptr);
    EXPECT_EQ(mapping.size(), 0u);
}

TEST(FileMapping, FailuresRaiseTheirTexts)
{
    rwtest::FixtureBuilder fx;
    QFile closed(fx.file("closed.txt", 10));
    fx.folder("sub");
    const int dirFd = ::open(QFile::encodeName(fx.path("sub")).constData(), O_RDONLY);
    ASSERT_GE(dirFd, 0);

    EXPECT_EQ(errorText([] { TFileMapping m(static_cast<const QFileDevice*>(nullptr)); }),
              "Invalid parameters. Could not create file mapping object");
    EXPECT_EQ(errorText([&] { TFileMapping m(&closed); }),
              "Invalid parameters. Could not create file mapping object");
    EXPECT_EQ(errorText([] { TFileMapping m(-1); }),
              "Invalid parameters. Could not create file mapping object");
    // Folders and other non-regular files have no content to map.
    EXPECT_EQ(errorText([&] { TFileMapping m(dirFd); }), "Could not create file mapping object");
    ::close(dirFd);
}

TEST(FileMapping, AFileCutShortWhileMappedReadsZerosAndIsReported)
{
    // Three pages, then cut to 100 bytes: the last two pages lie past the
    // end, where a plain mapping would end the program on the first read.
    rwtest::FixtureBuilder fx;
    const long page = ::sysconf(_SC_PAGESIZE);
    const QString path = fx.file("cut.bin", 3 * page, 'c');
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TFileMapping mapping(&file);
    ASSERT_NE(mapping.BaseAddress(), nullptr);
    EXPECT_NO_THROW(mapping.checkIntact());
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 100), 0);

    const volatile std::uint8_t* bytes = mapping.BaseAddress();
    EXPECT_EQ(bytes[0], 'c');      // inside the file
    EXPECT_EQ(bytes[page + 5], 0); // past its end: zeros, no crash
    EXPECT_EQ(bytes[3 * page - 1], 0);
    EXPECT_EQ(errorText([&] { mapping.checkIntact(); }),
              "Could not read file: its size changed while it was read");
    mapping.close();
    EXPECT_EQ(mapping.BaseAddress(), nullptr);

    // A new mapping of the shorter file is whole again.
    TFileMapping again(&file);
    EXPECT_EQ(again.size(), 100u);
    EXPECT_NO_THROW(again.checkIntact());
}
