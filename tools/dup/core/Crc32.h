#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

class QFileDevice;

namespace rw
{

// Folds `cbData` bytes at `pData` into a running CRC-32 register (the
// standard reflected CRC-32 of zlib and PKZIP, polynomial 0xEDB88320) and
// returns the new register. No inversion is done here: a whole CRC is
// UpdateCRC(0xFFFFFFFF, p, n) ^ 0xFFFFFFFF, which gives 0xCBF43926 for the
// nine digits "123456789". A null pointer or a count of 0 returns `crc`
// unchanged. Runs at memory speed (carry-less multiplication where the CPU
// has it).
std::uint32_t UpdateCRC(std::uint32_t crc, const void* pData, std::size_t cbData);

// The register UpdateCRC would give after `count` zero bytes, worked out in
// O(log count) steps instead of reading them: how a hole of a sparse file
// (which reads as zeros) enters the CRC without being read.
std::uint32_t AdvanceCRCOverZeros(std::uint32_t crc, std::int64_t count);

// Raised by TCRC32Calc ("CRC Calc is Busy").
class ECRC32CalcError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Hands out data to checksum: fills up to cbData bytes at pData and sets
// cbData to the count given (0 when there is no more).
using TGetDataEvent = std::function<void(void* pData, std::int32_t& cbData)>;
// Progress of CalcFileCRC: bytes done so far and the file size. Runs between
// slices of a large file (and once at the end), so a window can let its
// events run; such a handler must not start another calculation.
using TCRCProgressEvent = std::function<void(std::int64_t done, std::int64_t total)>;

// The CRC-32 of whole files, read through a read-only mapping in one pass.
// Holes of a sparse file are not read: they enter as zeros through
// AdvanceCRCOverZeros, so the result is the CRC of every byte all the same.
// Busy is true while CalcFileCRC runs; changing the calculator or starting
// another calculation from a handler that runs meanwhile raises
// ECRC32CalcError("CRC Calc is Busy").
class TCRC32Calc
{
public:
    TCRC32Calc();
    virtual ~TCRC32Calc();

    TCRC32Calc(const TCRC32Calc&) = delete;
    TCRC32Calc& operator=(const TCRC32Calc&) = delete;

    // Size of the working buffer for data supplied through OnGetData;
    // 4096 at the start. Values outside 4096..1048576 and the current value
    // are ignored without a message. Setting it allocates nothing unless a
    // buffer already exists (which is then replaced by one of the new size).
    std::int32_t BufferSize() const { return m_bufferSize; }
    void setBufferSize(std::int32_t value);
    static bool IsValidBufferSize(std::int32_t value);
    // True once a working buffer has been allocated (see ensureBuffer()).
    bool hasBuffer() const { return m_buffer != nullptr; }

    const TGetDataEvent& OnGetData() const { return m_onGetData; }
    void setOnGetData(TGetDataEvent handler);
    void setOnProgress(TCRCProgressEvent handler);

    bool Busy() const { return m_busy; }
    // Raises "CRC Calc is Busy" while a calculation runs.
    void CheckNotBusy() const;

    // CRC-32 of the whole content of the file open in `file` (not owned, left
    // open; its position is not used). An empty file gives 0. Raises
    // EFileMappingError when the file cannot be mapped or changes size while
    // it is read (a file cut short never ends the program) and
    // ECRC32CalcError when busy; Busy is false again on every way out.
    std::uint32_t CalcFileCRC(const QFileDevice* file);
    // The same for an open file descriptor (not owned).
    std::uint32_t CalcFileCRC(int fd);

protected:
    // Asks OnGetData for data; without a handler sets cbData to 0.
    virtual void DoGetData(void* pData, std::int32_t& cbData);
    // The working buffer of BufferSize bytes, allocated on first use.
    std::uint8_t* ensureBuffer();

private:
    template <class Source> std::uint32_t calc(const Source& source);

    std::int32_t m_bufferSize = 4096;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    TGetDataEvent m_onGetData;
    TCRCProgressEvent m_onProgress;
    bool m_busy = false;
};

} // namespace rw
