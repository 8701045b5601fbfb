#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include "framework/core/FileDetails.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;

namespace
{

std::int64_t clusterSizeAt(const QString& path)
{
    DriveGeometry g;
    EXPECT_TRUE(pathGeometry(path, &g));
    return g.clusterSize;
}

} // namespace

TEST(FileDetails, ClusterLineCountsStartedClusters)
{
    const struct {
        std::int64_t size;
        std::int64_t cluster;
        const char* line;
    } cases[] = {
        {0, 4096, "Cluster size: 4,096  Clusters used : 0"},
        {1, 4096, "Cluster size: 4,096  Clusters used : 1"},
        {4096, 4096, "Cluster size: 4,096  Clusters used : 1"},
        {4097, 4096, "Cluster size: 4,096  Clusters used : 2"},
        {5000000000LL, 65536, "Cluster size: 65,536  Clusters used : 76,294"},
        {100, 0, ""}, // geometry unknown
    };
    for (const auto& c : cases)
        EXPECT_EQ(wastedClusterSpace(c.size, c.cluster), c.line) << c.size;
}

TEST(FileDetails, ReadsSizesAndClustersOfRealFiles)
{
    rwtest::FixtureBuilder fx;
    const std::int64_t cluster = clusterSizeAt(fx.base());
    ASSERT_GT(cluster, 0);
    const struct {
        const char* name;
        std::int64_t size;
        std::int64_t clusters;
    } cases[] = {{"empty", 0, 0}, {"one", cluster, 1}, {"more", cluster + 1, 2}};
    for (const auto& c : cases) {
        const FileDetails d = readFileDetails(QFile::encodeName(fx.file(c.name, c.size)));
        ASSERT_TRUE(d.found);
        EXPECT_EQ(d.size, c.size);
        EXPECT_EQ(d.sizeBytes, QString("%1 bytes").arg(QLocale().toString(qint64(c.size))));
        EXPECT_TRUE(d.clusterLine.endsWith(QString("Clusters used : %1").arg(c.clusters)))
            << qPrintable(d.clusterLine);
        EXPECT_EQ(d.attributeText, "");
    }
    EXPECT_EQ(readFileDetails(QFile::encodeName(fx.file("empty", 0))).sizeBytes, "0 bytes");
}

TEST(FileDetails, AttributesOfFoldersHiddenReadOnlyAndSpecialFiles)
{
    rwtest::FixtureBuilder fx;
    fx.file(".profile", 3);
    fx.setMode(".profile", 0444);
    const struct {
        QString path;
        const char* words;
    } cases[] = {
        {fx.folder("folder"), " Directory"},       {fx.folder(".cache"), " Hidden Directory"},
        {fx.path(".profile"), " ReadOnly Hidden"}, {fx.fifo("pipe"), " System"},
        {fx.symlink("link", "folder"), ""}, // a link is shown as itself
    };
    for (const auto& c : cases)
        EXPECT_EQ(readFileDetails(QFile::encodeName(c.path)).attributeText, c.words)
            << qPrintable(c.path);
    EXPECT_EQ(attributeWords(0x3F), " ReadOnly Hidden System VolumeID Directory Archive");
    EXPECT_TRUE(readFileDetails(QFile::encodeName(fx.folder("folder"))).isDirectory);
    EXPECT_FALSE(readFileDetails(QFile::encodeName(fx.path("gone.txt"))).found);
}

TEST(FileDetails, DatesShowTheDayAndItsAge)
{
    rwtest::FixtureBuilder fx;
    const QDateTime now(QDate(2024, 5, 15), QTime(12, 0));
    const QString path = fx.file("old.txt", 1);
    fx.setTimes("old.txt", QDateTime(QDate(2024, 5, 14), QTime(9, 30)),
                QDateTime(QDate(2024, 5, 15), QTime(8, 0)));
    const FileDetails d = readFileDetails(QFile::encodeName(path), now);
    EXPECT_EQ(d.modification, "5/14/2024  Yesterday");
    EXPECT_EQ(d.access, "5/15/2024  Today");
    // Creation is either recorded (a date and an age) or "???".
    EXPECT_TRUE(d.creation == "???" || d.creation.contains("  ")) << qPrintable(d.creation);
    EXPECT_EQ(dateLabel(0, now), "???");
}

TEST(FileDetails, TypeFromTheExtension)
{
    const struct {
        const char* path;
        const char* extension;
    } cases[] = {{"/a/b/report.txt", ".txt"},
                 {"/a/b/archive.tar.gz", ".gz"},
                 {"/a/b.d/Makefile", ""},
                 {"/a/.bashrc", ".bashrc"}};
    for (const auto& c : cases)
        EXPECT_EQ(fileExtension(c.path), c.extension) << c.path;

    EXPECT_EQ(describeFileType(".zzqx"), "ZZQX File");
    EXPECT_EQ(describeFileType(""), "");
    setFileTypeDescriber([](const QString& ext) { return "kind of " + ext; });
    rwtest::FixtureBuilder fx;
    EXPECT_EQ(readFileDetails(QFile::encodeName(fx.file("notes.md", 1))).fileType, "kind of .md");
    setFileTypeDescriber({});
    EXPECT_EQ(describeFileType(".zzqx"), "ZZQX File");
}

TEST(FileDetails, OddNamesAreReadByTheirBytesAndShownEscaped)
{
    rwtest::FixtureBuilder fx;
    const QByteArray dir = QFile::encodeName(fx.folder("odd"));
    const struct {
        QByteArray name;
        int size;
        QString shownName;
        QString type;
    } cases[] = {
        {"x\xff.txt", 300, "x\\xFF.txt", "kind of .txt"},
        {"x\xef\xbf\xbd.txt", 400, QString::fromUtf8("x\xef\xbf\xbd.txt"), "kind of .txt"},
        {"t\tab.txt", 7, "t\\tab.txt", "kind of .txt"},
        // The dot is found in the bytes: the escape of the tab never holds one.
        {"a.b\tc", 3, "a.b\\tc", "kind of .b\\tc"},
        {QByteArray(255, 'N'), 1, QString(255, 'N'), "kind of "},
    };
    setFileTypeDescriber([](const QString& ext) { return "kind of " + ext; });
    for (const auto& c : cases) {
        const QByteArray path = dir + '/' + c.name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, c.size), 0);
        ::close(fd);
        const FileDetails d = readFileDetails(path);
        ASSERT_TRUE(d.found) << c.shownName.toStdString();
        EXPECT_EQ(d.size, c.size) << c.shownName.toStdString();
        EXPECT_EQ(d.name, c.shownName);
        EXPECT_EQ(d.folderName, QFile::decodeName(dir));
        EXPECT_EQ(d.fileName, QFile::decodeName(dir) + '/' + c.shownName);
        EXPECT_EQ(d.fileType, c.type) << c.shownName.toStdString();
    }
    setFileTypeDescriber({});
}
