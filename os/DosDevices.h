#pragma once
// The DOS device name space as the drive engine sees it: the three kernel calls it
// makes, with the buffer contracts of the Win32 functions. Names and targets are
// UTF-8 text and capacities count bytes; the wide calls sit behind them.
#include <cstdint>

namespace os {

// DefineDosDevice flags.
constexpr std::uint32_t DEFINE_RAW_TARGET = 0x1;
constexpr std::uint32_t DEFINE_REMOVE = 0x2;
constexpr std::uint32_t DEFINE_EXACT_MATCH = 0x4;
constexpr std::uint32_t DEFINE_NO_BROADCAST = 0x8;

// Errors a call may report.
constexpr std::uint32_t ERROR_CODE_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_CODE_ACCESS_DENIED = 5;
constexpr std::uint32_t ERROR_CODE_INSUFFICIENT_BUFFER = 122;

class DosDevices {
public:
    virtual ~DosDevices() = default;

    // DefineDosDeviceW. A null target is an absent target, not an empty one.
    virtual bool Define(std::uint32_t flags, const char* deviceName, const char* target) = 0;

    // QueryDosDeviceW: writes NUL-terminated strings and a final NUL into buffer,
    // never more than capacity characters. Returns the count stored, 0 on failure.
    virtual std::uint32_t Query(const char* deviceName, char* buffer, std::uint32_t capacity) = 0;

    // GetLastError after a failed call: tells a reply too large for its buffer
    // (ERROR_INSUFFICIENT_BUFFER) from a name that is not defined.
    virtual std::uint32_t LastError() const = 0;

    // GetLogicalDriveStringsW: "X:\" NUL per drive, then a NUL. Returns the count
    // stored without the final NUL, or the size needed when length is too small
    // (the buffer is then left alone), or 0 on failure.
    virtual std::uint32_t LogicalDriveStrings(std::uint32_t length, char* buffer) = 0;
};

}  // namespace os
