#include <gtest/gtest.h>

#include <QFile>

#include <functional>

#include <unistd.h>

#include "platform/FileMapping.h"
#include "tests/support/FixtureBuilder.h"
#include "tools/dup/core/Crc32.h"

using namespace rw;

namespace
{

std::uint32_t crcOf(const QByteArray& bytes)
{
    return UpdateCRC(0xFFFFFFFFu, bytes.constData(), std::size_t(bytes.size())) ^ 0xFFFFFFFFu;
}

std::uint32_t fileCrc(TCRC32Calc& calc, const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(path);
    return calc.CalcFileCRC(&f);
}

// The CRC-32 of `n` zero bytes.
std::uint32_t zerosCrc(std::int64_t n)
{
    const QByteArray zeros(1 << 20, '\0');
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::int64_t done = 0; done < n; done += zeros.size())
        crc = UpdateCRC(crc, zeros.constData(),
                        std::size_t(std::min<std::int64_t>(zeros.size(), n - done)));
    return crc ^ 0xFFFFFFFFu;
}

template <class E> QString errorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace

TEST(UpdateCRC, GivesTheStandardCrc32)
{
    EXPECT_EQ(crcOf("123456789"), 0xCBF43926u);
    EXPECT_EQ(crcOf(QByteArray(1, '\0')), 0xD202EF8Du);
    EXPECT_EQ(crcOf(QByteArray()), 0u);
    // Null data or a count of 0 leave the register as it was.
    EXPECT_EQ(UpdateCRC(0x12345678u, nullptr, 10), 0x12345678u);
    EXPECT_EQ(UpdateCRC(0x12345678u, "abc", 0), 0x12345678u);
    // Folding in pieces gives the same as one pass.
    const QByteArray text = QByteArray("The quick brown fox jumps over the lazy dog").repeated(97);
    std::uint32_t crc = 0xFFFFFFFFu;
    for (qsizetype at = 0; at < text.size(); at += 13)
        crc = UpdateCRC(crc, text.constData() + at,
                        std::size_t(qMin<qsizetype>(13, text.size() - at)));
    EXPECT_EQ(crc ^ 0xFFFFFFFFu, crcOf(text));
    EXPECT_EQ(crcOf("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
}

TEST(TCRC32Calc, ChecksumsWholeFilesIncludingEmptyOnes)
{
    rwtest::FixtureBuilder fx;
    TCRC32Calc calc;
    EXPECT_EQ(fileCrc(calc, fx.fileWithContent("digits.txt", "123456789")), 0xCBF43926u);
    const QString a = fx.file("a.empty", 0);
    const QString b = fx.file("b.empty", 0);
    EXPECT_EQ(fileCrc(calc, a), 0u);
    EXPECT_EQ(fileCrc(calc, a), fileCrc(calc, b));
    // Two files that differ in their last byte only.
    QByteArray big(3 * 1024 * 1024 + 5, 'q');
    const std::uint32_t first = fileCrc(calc, fx.fileWithContent("big1", big));
    big[big.size() - 1] = 'r';
    const std::uint32_t second = fileCrc(calc, fx.fileWithContent("big2", big));
    EXPECT_NE(first, second);
    EXPECT_EQ(second, crcOf(big));
}

TEST(TCRC32Calc, BufferSizeAcceptsOnlyItsRange)
{
    TCRC32Calc calc;
    EXPECT_EQ(calc.BufferSize(), 4096);
    const struct {
        std::int32_t value;
        std::int32_t after;
    } steps[] = {{4095, 4096},       {1048577, 4096},    {0, 4096},    {-1, 4096},
                 {1048576, 1048576}, {1048576, 1048576}, {4096, 4096}, {8192, 8192}};
    for (const auto& s : steps) {
        calc.setBufferSize(s.value);
        EXPECT_EQ(calc.BufferSize(), s.after) << s.value;
    }
    // Nothing of it allocates a buffer.
    EXPECT_FALSE(calc.hasBuffer());
}

TEST(TCRC32Calc, GetDataWithoutAHandlerGivesNothing)
{
    struct Probe : TCRC32Calc {
        std::int32_t ask(std::int32_t n)
        {
            DoGetData(ensureBuffer(), n);
            return n;
        }
    } calc;
    EXPECT_EQ(calc.ask(100), 0);
    calc.setOnGetData([](void*, std::int32_t& n) { n = 7; });
    EXPECT_EQ(calc.ask(100), 7);
    // Once a buffer exists a new size replaces it.
    calc.setBufferSize(65536);
    EXPECT_TRUE(calc.hasBuffer());
    EXPECT_EQ(calc.BufferSize(), 65536);
}

TEST(TCRC32Calc, IsBusyDuringACalculationAndRefusesReentry)
{
    rwtest::FixtureBuilder fx;
    const QString path = fx.fileWithContent("digits.txt", "123456789");
    TCRC32Calc calc;
    QStringList refusals;
    bool sawBusy = false;
    calc.setOnProgress([&](std::int64_t, std::int64_t) {
        sawBusy = calc.Busy();
        auto busy = [&](const std::function<void()>& f) {
            refusals << errorText<ECRC32CalcError>(f);
        };
        busy([&] { fileCrc(calc, path); });
        busy([&] { calc.setBufferSize(8192); });
        busy([&] { calc.setOnGetData({}); });
    });
    // The refused calls leave the running one to finish.
    EXPECT_EQ(fileCrc(calc, path), 0xCBF43926u);
    EXPECT_TRUE(sawBusy);
    EXPECT_EQ(refusals, QStringList({"CRC Calc is Busy", "CRC Calc is Busy", "CRC Calc is Busy"}));
    EXPECT_FALSE(calc.Busy());
    EXPECT_EQ(calc.BufferSize(), 4096);
}

TEST(TCRC32Calc, IsNotBusyAfterAnError)
{
    rwtest::FixtureBuilder fx;
    TCRC32Calc calc;
    QFile notOpen(fx.file("x.txt", 3));
    EXPECT_EQ(errorText<EFileMappingError>([&] { calc.CalcFileCRC(&notOpen); }),
              "Invalid parameters. Could not create file mapping object");
    EXPECT_FALSE(calc.Busy());

    calc.setOnProgress([](std::int64_t, std::int64_t) { throw std::runtime_error("stop"); });
    EXPECT_THROW(fileCrc(calc, fx.path("x.txt")), std::runtime_error);
    EXPECT_FALSE(calc.Busy());
    calc.setOnProgress({});
    EXPECT_EQ(fileCrc(calc, fx.fileWithContent("d.txt", "123456789")), 0xCBF43926u);
}

TEST(TCRC32Calc, AFileThatChangesSizeDuringTheCalculationIsReported)
{
    // 128 MiB: two slices. After the first one the file is cut short (a
    // log rotated) or grown; the checksum would be of no state of the file.
    const std::int64_t size = std::int64_t(128) << 20;
    const struct {
        const char* what;
        std::int64_t newSize;
    } cases[] = {{"cut short", 1 << 20}, {"emptied", 0}, {"grown", size + 4096}};
    for (const auto& c : cases) {
        rwtest::FixtureBuilder fx;
        const QString path = fx.sparseFile(QStringLiteral("log.bin"), size);
        TCRC32Calc calc;
        calc.setOnProgress([&](std::int64_t done, std::int64_t) {
            if (done < size) {
                ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), c.newSize), 0);
            }
        });
        EXPECT_EQ(errorText<EFileMappingError>([&] { fileCrc(calc, path); }),
                  "Could not read file: its size changed while it was read")
            << c.what;
        EXPECT_FALSE(calc.Busy());
        // The calculator goes on working, on the file as it now is.
        calc.setOnProgress({});
        QFile now(path);
        ASSERT_TRUE(now.open(QIODevice::ReadOnly));
        EXPECT_EQ(calc.CalcFileCRC(&now), zerosCrc(c.newSize)) << c.what;
    }
}
