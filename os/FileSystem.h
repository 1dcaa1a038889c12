#pragma once
// Files and paths as the engine needs them. Paths are UTF-8 text, read only up
// to their first NUL, as the Win32 calls read them, and may be longer than
// MAX_PATH; buffer sizes count bytes. File contents are bytes as they lie on disk.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace os {

// File attributes; a directory lookup may ask for the last three besides plain files.
constexpr std::uint32_t ATTR_READONLY = 0x1;
constexpr std::uint32_t ATTR_HIDDEN = 0x2;
constexpr std::uint32_t ATTR_SYSTEM = 0x4;
constexpr std::uint32_t ATTR_DIRECTORY = 0x10;

struct LookupResult {
    std::string name;     // the entry's name as stored (its long name); empty when none matches
    bool error = false;   // the lookup itself failed (bad name, device not ready, ...)
};

// Held while a list file is read and written back: the lock of one file,
// across every copy of the program the user runs. Released when destroyed.
class FileLock {
public:
    virtual ~FileLock() = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // GetShortPathNameW: on success the length stored (without the NUL); when the
    // buffer is too small, the size needed; 0 when the path does not exist.
    virtual std::uint32_t ShortPathName(const char* path, char* buffer, std::uint32_t capacity) = 0;

    // PathIsDirectoryW.
    virtual bool IsDirectoryPath(const char* path) = 0;

    // The first entry matching path: plain files always, plus entries carrying any
    // of the attributes asked for (hidden, system, directory).
    virtual LookupResult Lookup(const char* path, std::uint32_t attributes) = 0;

    // Every line of a text file without its line end (CR LF, CR or LF).
    // nullopt when the file cannot be opened or read, or holds more than maxBytes.
    virtual std::optional<std::vector<std::string>> ReadLines(const std::string& path, std::size_t maxBytes) = 0;

    // Appends text and CR LF, creating the file when missing. A last line left
    // without its line end is ended first, so the new line never joins it. A
    // write that does not reach the file whole (a full disk) is taken back: the
    // file keeps the length it had, and the result is false.
    virtual bool AppendLine(const std::string& path, const std::string& text) = 0;

    // Creates or truncates the file and writes every line followed by CR LF.
    // True only when everything reached the file.
    virtual bool WriteLines(const std::string& path, const std::vector<std::string>& lines) = 0;

    // Moves from over to, replacing to when it exists.
    virtual bool MoveOver(const std::string& from, const std::string& to) = 0;

    virtual bool RemoveFile(const std::string& path) = 0;

    // Copies a file over to, replacing it: whole or not at all.
    virtual bool CopyOver(const std::string& from, const std::string& to) = 0;
    // Creates a folder whose parent exists; true when it is there.
    virtual bool MakeFolder(const std::string& path) = 0;
    // Removes an empty folder.
    virtual bool RemoveFolder(const std::string& path) = 0;

    // GetFileAttributesW: nullopt when nothing of that name can be found.
    virtual std::optional<std::uint32_t> ReadAttributes(const std::string& path) = 0;
    // SetFileAttributesW (read-only, hidden, system).
    virtual bool WriteAttributes(const std::string& path, std::uint32_t attributes) = 0;

    // Where the file's content lives: the target of a symbolic link, followed
    // to its end; the path itself for a plain file or nothing of that name.
    virtual std::string FinalPath(const std::string& path) = 0;

    // GetFullPathNameW: the path made absolute against the current folder,
    // its "." and ".." resolved. Empty when the system cannot tell.
    virtual std::string FullPath(const std::string& path) = 0;

    // The lock of one file for the time a caller reads it and writes it back,
    // waiting a little while another copy of the program holds it. Null when
    // it could not be had.
    virtual std::unique_ptr<FileLock> Lock(const std::string& path) = 0;
};

}  // namespace os
