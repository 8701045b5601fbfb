#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/FileViewer.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "viewer/core/HexFormatter.h"

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
                             "line one line tw"));
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

namespace
{

// The lines a file of `content` shows in text mode.
QStringList textLines(const QByteArray& content)
{
    QStringList lines = QString::fromLatin1(content).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList shownLines(FileViewer& viewer)
{
    QStringList lines;
    const std::int64_t count = viewer.countLines();
    for (std::int64_t i = 0; i < count; ++i)
        lines << viewer.lineText(i);
    return lines;
}

QByteArray numberedLines(int from, int to)
{
    QByteArray data;
    for (int i = from; i < to; ++i)
        data += "line " + QByteArray::number(i) + " of the log\n";
    return data;
}

} // namespace

TEST(FileViewer, FollowsAFileCutShortOrGrownWhileShown)
{
    // Some 150 KiB of lines: the pages at its end lie far past a cut.
    const QByteArray log = numberedLines(0, 6000);
    const struct {
        const char* what;
        QByteArray now; // the file's content after the change
        bool hex;
    } cases[] = {
        {"emptied", QByteArray(), false},
        {"cut short", numberedLines(0, 3), false},
        {"grown", log + numberedLines(6000, 6100), false},
        {"emptied, hex", QByteArray(), true},
        {"cut short, hex", numberedLines(0, 3), true},
        {"grown, hex", log + numberedLines(6000, 6100), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = fileOf(log);
        OpenViewer v(path);
        v.viewer.show();
        v.viewer.setHexMode(c.hex);
        QTest::keyClick(&v.viewer, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&v.viewer, Qt::Key_PageUp);
        QApplication::processEvents();

        // A log rotation cuts the file short, a writer adds lines to it.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(0));
        ASSERT_EQ(file.write(c.now), c.now.size());
        file.close();

        QTest::keyClick(&v.viewer, Qt::Key_End, Qt::ControlModifier);
        QApplication::processEvents(); // paints the end
        EXPECT_EQ(v.viewer.fileSize(), c.now.size());
        const std::int64_t lines = c.hex ? (c.now.size() + 15) / 16 : textLines(c.now).size();
        EXPECT_EQ(v.viewer.caret().line, std::max<std::int64_t>(0, lines - 1));
        QTest::keyClick(&v.viewer, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(v.viewer.caret(), TextPos());
        if (c.hex) {
            EXPECT_EQ(v.viewer.countLines(), lines);
            if (lines > 0) {
                const std::int64_t at = (lines - 1) * 16;
                EXPECT_EQ(v.viewer.lineText(lines - 1),
                          rw::HexFormatter::formatLine(
                              reinterpret_cast<const unsigned char*>(c.now.constData()) + at,
                              static_cast<int>(c.now.size() - at), at));
            }
        } else {
            EXPECT_EQ(shownLines(v.viewer), textLines(c.now));
        }
    }
}

namespace
{

// The x at which a viewer draws column `n` of `text`: its margin plus the
// advance of the text before the column, as the font lays it out.
qreal drawnX(const FileViewer& viewer, const QString& text, int n)
{
    return 2 + QFontMetricsF(viewer.fixedFont()).horizontalAdvance(text.left(n));
}

// The first pixel column, from the left, of the viewport row `y` that has
// colour `colour` (-1 when none).
int firstPixel(const QImage& image, int y, QRgb colour)
{
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == colour)
            return x;
    return -1;
}

} // namespace

TEST(FileViewer, ColumnsAreHitAndHighlightedWhereTheyAreDrawn)
{
    const QString text = QStringLiteral("The quick brown fox jumps over the lazy dog");
    OpenViewer v(fileOf(text.toLatin1() + "\n" + QByteArray(40, 'x') + "\n"));
    v.viewer.resize(700, 300); // a whole hex line in view
    v.viewer.show();
    QApplication::processEvents();
    const int dog = static_cast<int>(text.indexOf(QStringLiteral("dog")));
    for (int n : {0, 1, 10, dog, static_cast<int>(text.size())})
        EXPECT_NEAR(v.viewer.cellRect({0, n}).left(), drawnX(v.viewer, text, n), 0.01) << n;

    // A press at the drawn start of "d", a drag to the drawn end of "g".
    const int y = static_cast<int>(v.viewer.cellRect({0, 0}).center().y());
    const int from = static_cast<int>(std::ceil(drawnX(v.viewer, text, dog))) + 1;
    const int to = static_cast<int>(std::floor(drawnX(v.viewer, text, dog + 3))) - 1;
    QTest::mousePress(v.viewer.viewport(), Qt::LeftButton, {}, QPoint(from, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(to, y),
                     v.viewer.viewport()->mapToGlobal(QPointF(to, y)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(v.viewer.viewport(), &move);
    QTest::mouseRelease(v.viewer.viewport(), Qt::LeftButton, {}, QPoint(to, y));
    EXPECT_EQ(v.viewer.selectionStart(), (TextPos{0, dog}));
    EXPECT_EQ(v.viewer.selectedText(), QStringLiteral("dog"));

    // The highlight starts where "d" is drawn (looked for below the glyphs'
    // descent, where only the highlight and the caret are drawn).
    const int below = static_cast<int>(v.viewer.cellRect({0, 0}).bottom()) - 1;
    const QImage shot = v.viewer.viewport()->grab().toImage();
    const QRgb highlight = v.viewer.viewport()->palette().color(QPalette::Highlight).rgb();
    EXPECT_NEAR(firstPixel(shot, below, highlight), drawnX(v.viewer, text, dog), 1.0);

    // The caret stands where the glyph of its column is drawn, in hex mode too.
    v.viewer.setHexMode(true);
    v.viewer.setCaret({0, 59});
    const QString hex = v.viewer.lineText(0);
    EXPECT_NEAR(v.viewer.cellRect({0, 59}).left(), drawnX(v.viewer, hex, 59), 0.01);
    const QImage caret = v.viewer.viewport()->grab().toImage();
    const QRgb ink = v.viewer.viewport()->palette().color(QPalette::Text).rgb();
    EXPECT_NEAR(firstPixel(caret, below, ink), drawnX(v.viewer, hex, 59), 1.0);
}

TEST(FileViewer, HexModeShowsAnExpandedTabAsAFullStop)
{
    OpenViewer v(fileOf(QByteArray("a\tb\0c\r\n", 7)));
    v.viewer.setHexMode(true);
    EXPECT_TRUE(v.viewer.lineText(0).endsWith(QStringLiteral("a.b.c  ")));
    v.viewer.setExpandTabs(false);
    EXPECT_TRUE(v.viewer.lineText(0).endsWith(QStringLiteral("a b.c  ")));
}

TEST(FileViewer, JumpToEndOfATerabyteSparseFileCountsTheHolesWithoutReadingThem)
{
    // A preallocated image: a few lines, a terabyte of hole, a last line.
    const std::int64_t size = std::int64_t(1) << 40;
    FixtureBuilder fx;
    const QString path = fx.sparseFile(QStringLiteral("vm.img"), size);
    fx.writeAt(QStringLiteral("vm.img"), 0, "a\nb\n");
    fx.writeAt(QStringLiteral("vm.img"), size - 4, "\nend");
    OpenViewer v(path);
    v.viewer.show();
    QTest::keyClick(&v.viewer, Qt::Key_End, Qt::ControlModifier);
    // The hole between the breaks wraps into lines of 1023 bytes.
    const std::int64_t holeLines = (size - 8 + 1022) / 1023;
    const std::int64_t lines = 2 + holeLines + 1;
    ASSERT_TRUE(v.viewer.isLineCountKnown());
    EXPECT_EQ(v.viewer.lineCount(), lines);
    EXPECT_EQ(v.viewer.caret(), (TextPos{lines - 1, 3}));
    EXPECT_EQ(v.viewer.lineText(lines - 1), QStringLiteral("end"));
    EXPECT_EQ(v.viewer.lineText(1), QStringLiteral("b"));
    EXPECT_EQ(v.viewer.lineText(2 + holeLines / 2), QString(1023, ' '));
    EXPECT_EQ(v.viewer.lineText(lines - 2).size(), (size - 8) - (holeLines - 1) * 1023);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
}

TEST(FileViewer, Utf8TextShowsOneColumnPerCharacter)
{
    const QByteArray utf8("caf\xc3\xa9\tna\xc3\xafve\n\xe2\x82\xac 5\n\xf0\x9f\x98\x80!\n");
    OpenViewer v(fileOf(utf8));
    EXPECT_TRUE(v.viewer.decodesUtf8());
    EXPECT_EQ(v.viewer.lineText(0), QStringLiteral("caf\u00e9    na\u00efve"));
    EXPECT_EQ(v.viewer.lineText(1), QStringLiteral("\u20ac 5"));
    EXPECT_EQ(v.viewer.lineText(2), QStringLiteral("\U0001F600!"));
    // Columns are characters: the caret at the end of "café" is at column 4,
    // and moving right steps over a character of any length.
    v.viewer.setCaret({0, 0});
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&v.viewer, Qt::Key_Right);
    EXPECT_EQ(v.viewer.caret(), (TextPos{0, 4}));
    v.viewer.setCaret({2, 0});
    QTest::keyClick(&v.viewer, Qt::Key_Right);
    EXPECT_EQ(v.viewer.caret(), (TextPos{2, 2})) << "never between the halves of one character";
    QTest::keyClick(&v.viewer, Qt::Key_Left);
    EXPECT_EQ(v.viewer.caret(), (TextPos{2, 0}));
    // A selection copies characters, and hex mode keeps the caret's byte.
    v.viewer.setSelection({0, 2}, {0, 4});
    EXPECT_EQ(v.viewer.selectedText(), QStringLiteral("f\u00e9"));
    v.viewer.setCaret({1, 1});
    v.viewer.setHexMode(true);
    EXPECT_EQ(v.viewer.caret(), (TextPos{1, 59})) << "byte 16: the blank after the euro sign";
    EXPECT_TRUE(v.viewer.lineText(0).endsWith(
        QStringLiteral("caf\u00c3\u00a9.na\u00c3\u00afve \u00e2\u201a\u00ac")))
        << "hex mode shows bytes, as before";
    v.viewer.setHexMode(false);
    EXPECT_EQ(v.viewer.caret(), (TextPos{1, 1}));
}

TEST(FileViewer, CodePageTextAndStrayLinesShowByteForByte)
{
    // A file in the Windows code page shows as it always did.
    OpenViewer latin(fileOf("caf\xe9 na\xefve\n"));
    EXPECT_FALSE(latin.viewer.decodesUtf8());
    EXPECT_EQ(latin.viewer.lineText(0), QStringLiteral("caf\u00e9 na\u00efve"));
    EXPECT_TRUE(latin.viewer.search(QStringLiteral("NA\u00cfVE"), false, false, true));
    EXPECT_EQ(latin.viewer.selectedText(), QStringLiteral("na\u00efve"));

    // A UTF-8 file with one stray byte far past the sample: that line alone
    // shows its bytes, the others stay decoded.
    // (Past the first 64 KiB and away from the quarters and the end.)
    QByteArray text = "caf\xc3\xa9\n";
    while (text.size() < 120000)
        text += "plain line of text\n";
    text += "stray \xe9 byte \xc3\xa9\n";
    while (text.size() < 200000)
        text += "plain line of text\n";
    text += "last \xc3\xa9\n";
    OpenViewer mixed(fileOf(text));
    EXPECT_TRUE(mixed.viewer.decodesUtf8());
    const std::int64_t lines = mixed.viewer.countLines();
    EXPECT_EQ(mixed.viewer.lineText(0), QStringLiteral("caf\u00e9"));
    ASSERT_TRUE(mixed.viewer.search(QStringLiteral("stray"), false, true, true));
    const std::int64_t stray = mixed.viewer.caret().line;
    EXPECT_EQ(mixed.viewer.lineText(stray), QStringLiteral("stray \u00e9 byte \u00c3\u00a9"));
    EXPECT_EQ(mixed.viewer.lineText(lines - 1), QStringLiteral("last \u00e9"));
    mixed.viewer.setCaret({stray, 0});
    QTest::keyClick(&mixed.viewer, Qt::Key_End);
    EXPECT_EQ(mixed.viewer.caret().column, 15);
}

TEST(FileViewer, FindMatchesDecodedText)
{
    OpenViewer v(fileOf("Na\xc3\xafve start\nthe na\xc3\xafve one\nNA\xc3\x8fVE\n"));
    struct Step {
        const char16_t* text;
        bool backward, matchCase, global;
        bool found;
        TextPos start;
        TextPos end;
    } steps[] = {
        {u"na\u00efve", false, false, true, true, {0, 0}, {0, 5}},
        {u"na\u00efve", false, false, false, true, {1, 4}, {1, 9}},
        {u"na\u00efve", false, false, false, true, {2, 0}, {2, 5}}, // Ï folds to ï
        {u"na\u00efve", false, true, true, true, {1, 4}, {1, 9}},   // match case
        {u"NA\u00cfVE", true, true, true, true, {2, 0}, {2, 5}},
        {u"naive", false, false, true, false, {2, 0}, {2, 5}},
    };
    int i = 0;
    for (const Step& s : steps) {
        const QString text = QString::fromUtf16(s.text);
        EXPECT_EQ(v.viewer.search(text, s.backward, s.matchCase, s.global), s.found) << i;
        EXPECT_EQ(v.viewer.selectionStart(), s.start) << i;
        EXPECT_EQ(v.viewer.selectionEnd(), s.end) << i;
        ++i;
    }
    v.viewer.search(QStringLiteral("NA\u00cfVE"), false, false, true);
    EXPECT_EQ(v.viewer.selectedText(), QStringLiteral("Na\u00efve"));
}
