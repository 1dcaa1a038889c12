#pragma once
// The DOS device name space as the drive engine sees it: the three kernel calls it
// makes, with the same buffer contracts as the ANSI Win32 functions.
#include <cstdint>

namespace platform {

// DefineDosDevice flags.
constexpr std::uint32_t DDD_RAW_TARGET_PATH = 0x1;
constexpr std::uint32_t DDD_REMOVE_DEFINITION = 0x2;
constexpr std::uint32_t DDD_EXACT_MATCH_ON_REMOVE = 0x4;
constexpr std::uint32_t DDD_NO_BROADCAST_SYSTEM = 0x8;

class DosDevices {
public:
    virtual ~DosDevices() = default;

    // DefineDosDeviceA. A null target is an absent target, not an empty one.
    virtual bool Define(std::uint32_t flags, const char* deviceName, const char* target) = 0;

    // QueryDosDeviceA: writes NUL-terminated strings and a final NUL into buffer,
    // never more than capacity characters. Returns the count stored, 0 on failure.
    virtual std::uint32_t Query(const char* deviceName, char* buffer, std::uint32_t capacity) = 0;

    // GetLogicalDriveStringsA: "X:\" NUL per drive, then a NUL. Returns the count
    // stored without the final NUL, or the size needed when length is too small
    // (the buffer is then left alone), or 0 on failure.
    virtual std::uint32_t LogicalDriveStrings(std::uint32_t length, char* buffer) = 0;
};

}  // namespace platform
