#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QScrollBar>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/FileViewer.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"

using rw::FileViewer;
using rw::TextPos;

// Readable failure output.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
namespace rw
{
inline void PrintTo(const TextPos& p, std::ostream* os)
{
    *os << p.line << ':' << p.column;
}
} // namespace rw
using rwtest::FixtureBuilder;

namespace
{

struct OpenViewer {
    FileViewer viewer;
    explicit OpenViewer(const QString& path)
    {
        viewer.resize(400, 300);
        viewer.setFileName(path);
        EXPECT_TRUE(viewer.open());
    }
};

QString fileOf(const QByteArray& content)
{
    return FixtureBuilder().fileWithContent(QStringLiteral("view.txt"), content);
}

} // namespace

TEST(FileViewer, TextLines)
{
    OpenViewer v(fileOf(QByteArray("a\rb\nc\r\nd\0e\n\tx\n", 14) + QByteArray(1030, 'L')));
    EXPECT_EQ(v.viewer.countLines(), 7);
    const QStringList expected = {
        "a", "b", "c", "d e", "        x", QString(1023, 'L'), QString(7, 'L')};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(v.viewer.lineText(i), expected[i]) << i;
    v.viewer.setTabSize(4);
    EXPECT_EQ(v.viewer.lineText(4), QStringLiteral("    x"));
    v.viewer.setExpandTabs(false);
    EXPECT_EQ(v.viewer.lineText(4), QStringLiteral(" x"));
    EXPECT_EQ(v.viewer.fileSize(), 14 + 1030);
}

TEST(FileViewer, HexModeKeepsTheCaretOnItsByte)
{
    OpenViewer v(fileOf(QByteArray("line one\nline two\nthird line here\n")));
    v.viewer.setCaret({2, 3});
    v.viewer.setHexMode(true);
    EXPECT_TRUE(v.viewer.isLineCountKnown());
    EXPECT_EQ(v.viewer.lineCount(), 3); // 34 bytes
    EXPECT_EQ(v.viewer.lineText(0),
              QStringLiteral("00000000  6C 69 6E 65 20 6F 6E 65 0A 6C 69 6E 65 20 74 77  "
                             "line one.line tw"));
    // Byte 21 ("r" of "third") is in row 1, byte 5.
    EXPECT_EQ(v.viewer.caret().line, 1);
    EXPECT_EQ(v.viewer.caret().column, 59 + 5);
    v.viewer.setHexMode(false);
    EXPECT_EQ(v.viewer.caret(), (TextPos{2, 3}));
}

TEST(FileViewer, SearchForwardBackwardAndCase)
{
    OpenViewer v(fileOf("Find me\nfind ME again\nlast find\n"));
    struct Step {
        bool backward, matchCase, global;
        bool found;
        TextPos start;
    } steps[] = {
        {false, false, true, true, {0, 0}},  // global: from the top
        {false, false, false, true, {1, 0}}, // next
        {false, false, false, true, {2, 5}},
        {false, false, false, false, {2, 5}}, // no more: selection stays
        {true, false, false, true, {1, 0}},
        {true, true, false, false, {1, 0}}, // only "Find" before it
        {true, true, true, true, {2, 5}},   // global backward: from the end
    };
    int i = 0;
    for (const Step& s : steps) {
        EXPECT_EQ(v.viewer.search(QStringLiteral("find"), s.backward, s.matchCase, s.global),
                  s.found)
            << "step " << i;
        EXPECT_EQ(v.viewer.selectionStart(), s.start) << "step " << i;
        ++i;
    }
    EXPECT_EQ(v.viewer.selectedText(), QStringLiteral("find"));
    EXPECT_FALSE(v.viewer.search(QStringLiteral("absent"), false, false, true));
}

TEST(FileViewer, SearchDoesNotMatchAcrossLineBreaks)
{
    OpenViewer v(fileOf("ab\ncd\nab cd\n"));
    EXPECT_TRUE(v.viewer.search(QStringLiteral("b cd"), false, true, true));
    EXPECT_EQ(v.viewer.selectionStart(), (TextPos{2, 1}));
    EXPECT_FALSE(v.viewer.search(QStringLiteral("b\ncd"), false, true, true));
}

TEST(FileViewer, CopyRefusesMoreThan65520Bytes)
{
    // 1000 lines of 64 characters plus a break: 65,000 bytes.
    QByteArray data;
    for (int i = 0; i < 1100; ++i)
        data += QByteArray(64, char('a' + i % 26)) + '\n';
    OpenViewer v(fileOf(data));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    v.viewer.setSelection({0, 0}, {1000, 0}); // 1000 * 65 = 65,000
    EXPECT_TRUE(v.viewer.copyToClipboard());
    EXPECT_EQ(QApplication::clipboard()->text().size(), 65000);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QString(64, 'a') + '\n'));

    v.viewer.setSelection({0, 0}, {1008, 0}); // 65,520
    EXPECT_TRUE(v.viewer.copyToClipboard());
    v.viewer.setSelection({0, 0}, {1008, 1}); // 65,521
    QApplication::clipboard()->setText(QStringLiteral("before"));
    EXPECT_FALSE(v.viewer.copyToClipboard());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_EQ(rwtest::ScriptedResponder::instance().texts(),
              QStringList{QStringLiteral("Region is too large (> 64K)")});
}

TEST(FileViewer, HugeFileOpensLazily)
{
    // 4 GiB of zeros: lines of 1023 blanks, counted only when asked.
    const std::int64_t size = std::int64_t(4) << 30;
    OpenViewer v(FixtureBuilder().sparseFile(QStringLiteral("huge.bin"), size));
    v.viewer.show();
    QApplication::processEvents();
    EXPECT_FALSE(v.viewer.isLineCountKnown());
    EXPECT_EQ(v.viewer.lineCount(), FileViewer::kNotCounted);
    EXPECT_EQ(v.viewer.lineText(3), QString(1023, ' '));
    EXPECT_LT(v.viewer.indexMemoryBytes(), 1024u);

    // Hex mode knows its lines at once and scrolls to the last one.
    v.viewer.setHexMode(true);
    EXPECT_EQ(v.viewer.lineCount(), size / 16);
    QTest::keyClick(&v.viewer, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(v.viewer.caret().line, size / 16 - 1);
    EXPECT_EQ(v.viewer.topLine(), size / 16 - v.viewer.visibleLines());
    EXPECT_TRUE(v.viewer.lineText(size / 16 - 1).startsWith(QStringLiteral("FFFFFFF0  00 00")));
}

TEST(FileViewer, JumpToEndCountsTheLines)
{
    // 64 MiB of zeros: 65,600 lines of at most 1023 bytes.
    const std::int64_t size = std::int64_t(64) << 20;
    OpenViewer v(FixtureBuilder().sparseFile(QStringLiteral("big.bin"), size));
    EXPECT_FALSE(v.viewer.isLineCountKnown());
    v.viewer.moveToLine(FileViewer::kNotCounted);
    EXPECT_TRUE(v.viewer.isLineCountKnown());
    const std::int64_t lines = (size + 1022) / 1023;
    EXPECT_EQ(v.viewer.lineCount(), lines);
    EXPECT_EQ(v.viewer.caret().line, lines - 1);
    EXPECT_EQ(v.viewer.lineText(lines - 1).size(), size - (lines - 1) * 1023);
}

TEST(FileViewer, ScrollBarScalesForBillionsOfLines)
{
    // 32 GiB in hex: 2^31 lines, more than an int holds.
    const std::int64_t size = std::int64_t(32) << 30;
    OpenViewer v(FixtureBuilder().sparseFile(QStringLiteral("huge.bin"), size));
    v.viewer.show();
    v.viewer.setHexMode(true);
    const std::int64_t maxTop = size / 16 - v.viewer.visibleLines();
    QScrollBar* bar = v.viewer.verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum() / 2);
    EXPECT_NEAR(double(v.viewer.topLine()), double(maxTop / 2), 4.0);
    bar->setValue(bar->maximum());
    EXPECT_EQ(v.viewer.topLine(), maxTop);
    // Offsets past 4 GiB take a ninth digit instead of wrapping.
    EXPECT_TRUE(v.viewer.lineText(maxTop).startsWith(
        QStringLiteral("%1  00").arg(maxTop * 16, 9, 16, QLatin1Char('0')).toUpper()));
}

TEST(FileViewer, OpensTheFileNamedByItsBytes)
{
    const QByteArray folder = QFile::encodeName(FixtureBuilder().base());
    const struct {
        QByteArray name;
        QByteArray content;
    } files[] = {{"v\xff.txt", "bad byte\n"}, {"v\xef\xbf\xbd.txt", "look-alike\n"}};
    for (const auto& f : files) {
        QFile out;
        const QByteArray path = folder + '/' + f.name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        out.write(f.content);
    }
    for (const auto& f : files) {
        FileViewer viewer;
        viewer.setFilePath(folder + '/' + f.name);
        ASSERT_TRUE(viewer.open());
        EXPECT_EQ(viewer.fileSize(), f.content.size());
        EXPECT_EQ(viewer.lineText(0), QString::fromLatin1(f.content.chopped(1)));
    }
    // A FIFO in a file's place is refused without blocking.
    const QByteArray fifo = folder + "/pipe\xff";
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    FileViewer viewer;
    viewer.setFilePath(fifo);
    EXPECT_FALSE(viewer.open());
    EXPECT_EQ(viewer.fileSize(), 0);
    for (const QByteArray& name : {files[0].name, files[1].name, QByteArray("pipe\xff")})
        ::unlink((folder + '/' + name).constData());
}
