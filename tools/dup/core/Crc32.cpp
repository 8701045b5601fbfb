#include "tools/dup/core/Crc32.h"

#include "platform/DataExtents.h"
#include "platform/FileMapping.h"

#include <QFileDevice>

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>

namespace rw
{

namespace
{
// Large files are checksummed in slices so that a progress handler can
// keep a window responsive; a slice takes a few milliseconds.
constexpr std::size_t kSlice = std::size_t(64) << 20;

int descriptorOf(int fd)
{
    return fd;
}

int descriptorOf(const QFileDevice* file)
{
    return file && file->isOpen() ? file->handle() : -1;
}
} // namespace

std::uint32_t AdvanceCRCOverZeros(std::uint32_t crc, std::int64_t count)
{
    if (count <= 0)
        return crc;
    // Zero bytes only multiply the raw register by x^(8 * count) modulo the
    // polynomial; combining with the CRC 0 of an empty second part does
    // exactly that.
    return std::uint32_t(crc32_combine64(uLong(crc), 0, z_off64_t(count)));
}

std::uint32_t UpdateCRC(std::uint32_t crc, const void* pData, std::size_t cbData)
{
    if (!pData || cbData == 0)
        return crc;
    // libdeflate, like zlib, inverts on the way in and out; the register
    // kept here is the raw one.
    return ~libdeflate_crc32(~crc, pData, cbData);
}

TCRC32Calc::TCRC32Calc() = default;
TCRC32Calc::~TCRC32Calc() = default;

bool TCRC32Calc::IsValidBufferSize(std::int32_t value)
{
    return value >= 4096 && value <= 1048576;
}

void TCRC32Calc::CheckNotBusy() const
{
    if (m_busy)
        throw ECRC32CalcError("CRC Calc is Busy");
}

void TCRC32Calc::setBufferSize(std::int32_t value)
{
    CheckNotBusy();
    if (value == m_bufferSize || !IsValidBufferSize(value))
        return;
    if (m_buffer) {
        m_buffer.reset();
        m_bufferSize = 0;
        m_buffer = std::make_unique<std::uint8_t[]>(std::size_t(value));
    }
    m_bufferSize = value;
}

std::uint8_t* TCRC32Calc::ensureBuffer()
{
    if (!m_buffer)
        m_buffer = std::make_unique<std::uint8_t[]>(std::size_t(m_bufferSize));
    return m_buffer.get();
}

void TCRC32Calc::setOnGetData(TGetDataEvent handler)
{
    CheckNotBusy();
    m_onGetData = std::move(handler);
}

void TCRC32Calc::setOnProgress(TCRCProgressEvent handler)
{
    CheckNotBusy();
    m_onProgress = std::move(handler);
}

void TCRC32Calc::DoGetData(void* pData, std::int32_t& cbData)
{
    if (m_onGetData)
        m_onGetData(pData, cbData);
    else
        cbData = 0;
}

template <class Source> std::uint32_t TCRC32Calc::calc(const Source& source)
{
    CheckNotBusy();
    struct BusyGuard {
        bool& flag;
        explicit BusyGuard(bool& f) : flag(f) { flag = true; }
        ~BusyGuard() { flag = false; }
    } guard(m_busy);

    TFileMapping mapping(source);
    const std::uint8_t* p = mapping.BaseAddress();
    const std::size_t size = mapping.size();
    DataExtents extents(descriptorOf(source), std::int64_t(size));
    std::uint32_t crc = 0xFFFFFFFFu;
    std::size_t done = 0;
    const auto report = [this, &done, size] {
        if (m_onProgress)
            m_onProgress(std::int64_t(done), std::int64_t(size));
    };
    if (size == 0)
        report();
    while (done < size) {
        std::int64_t dataStart = std::int64_t(size);
        std::int64_t dataEnd = std::int64_t(size);
        extents.next(std::int64_t(done), &dataStart, &dataEnd);
        // A hole: zeros, never read; in slices like the data, so progress
        // and the check for a file changing size keep their pace.
        while (done < std::size_t(dataStart)) {
            const std::size_t n = std::min(kSlice, std::size_t(dataStart) - done);
            crc = AdvanceCRCOverZeros(crc, std::int64_t(n));
            done += n;
            mapping.checkIntact(); // a hole past a new, shorter end is no zeros
            report();
        }
        while (done < std::size_t(dataEnd)) {
            const std::size_t n = std::min(kSlice, std::size_t(dataEnd) - done);
            crc = UpdateCRC(crc, p + done, n);
            done += n;
            // A file cut short meanwhile read as zeros past its end: that is
            // no checksum of it.
            mapping.checkIntact();
            report();
        }
    }
    mapping.close(); // reports an unmap failure instead of hiding it
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t TCRC32Calc::CalcFileCRC(const QFileDevice* file)
{
    return calc(file);
}

std::uint32_t TCRC32Calc::CalcFileCRC(int fd)
{
    return calc(fd);
}

} // namespace rw
