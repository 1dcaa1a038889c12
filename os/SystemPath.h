#pragma once
// How a path goes to the wide file calls and how their answers come back:
// the marks that lift MAX_PATH, and a device query's reply fitted into the
// caller's bytes. Portable text work, so the host tests and fuzzes it;
// Win32System_win.cpp puts the system calls around it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace os::paths {

inline constexpr std::size_t kMaxPath = 260;  // MAX_PATH
inline constexpr std::u16string_view kLongMark = u"\\\\?\\";
inline constexpr std::u16string_view kLongUncMark = u"\\\\?\\UNC\\";
inline constexpr std::u16string_view kDeviceMark = u"\\\\.\\";

// The mark a long path was given, so that an answer goes back in the form
// the caller wrote: a drive path, a network path, or a "\\.\" device path.
enum class Mark { None, Drive, Network, Device };

struct MarkedPath {
    std::u16string path;
    Mark added = Mark::None;
};

// True when a path must be made full and marked to reach the system whole:
// MAX_PATH units or more, and not marked already.
bool NeedsLongForm(std::u16string_view path);

// The marked form of a full path (as GetFullPathNameW answers): "\\?\C:\..."
// for a drive path, "\\?\UNC\server\share\..." for a network path, and
// "\\?\..." for a "\\.\" device path, which names the same thing. Any other
// path goes as it is, with no mark.
MarkedPath LongForm(std::u16string_view full);

// A path the system answered for a marked question, in the caller's form:
// the mark taken off again, or "\\.\" put back for a device path.
std::u16string Unmarked(std::u16string_view answer, Mark added);

// A device query's reply as UTF-8, when it fits the caller's bytes; nullopt
// when it does not (UTF-8 may need up to three bytes per unit).
std::optional<std::string> FittedReply(std::u16string_view reply, std::uint32_t capacity);

}  // namespace os::paths
