#pragma once
// Path helpers: short and long forms, file and directory tests.
#include <cstdint>
#include <string>

namespace modFiles {

constexpr std::uint32_t kShortPathCapacity = 1024;
// The longest path Windows takes (32767 UTF-16 units), in UTF-8 bytes and its NUL.
constexpr std::uint32_t kLongestPathBytes = 32767 * 3 + 1;

// The platform's short (8.3) form of path, which is the path itself where the
// volume makes no short names; empty when it does not exist.
std::string GetShortPath(const std::string& path);

// The long form of path, each folder by the name it is stored under, for
// example C:\PROGRA~1\DATA -> C:\Program Files\Data. Empty when any folder on
// the way is missing. Reads path up to its first NUL.
std::string GetLongPath(const std::string& path);

// True when a plain file of that name exists (hidden, system files and
// directories count as missing).
bool FileExists(const std::string& path);

bool IsDirectory(const std::string& path);

// The path made absolute against the current folder, as Windows takes it;
// empty when the system cannot tell.
std::string GetFullPath(const std::string& path);

// Whether a path names its place whatever the current folder: a drive and a
// root ("C:\...") or a network or device path ("\\server\share", "\\?\...").
// "..", "Data", "\Data" and "C:Data" depend on where one stands.
bool IsAbsolutePath(const std::string& path);

}  // namespace modFiles
