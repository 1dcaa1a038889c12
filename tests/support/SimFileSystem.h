#pragma once
// An in-memory file tree that answers as Windows does: drive letters reach their
// volume through the DOS device name space (so a letter bound to a folder is that
// folder), names compare without case in every script, every entry has a long and a short (8.3)
// name, and entries carry hidden/system attributes.
#include "os/FileSystem.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace sim {

class SimDosDevices;

class SimFileSystem : public os::FileSystem {
public:
    explicit SimFileSystem(SimDosDevices& devices);
    ~SimFileSystem() override;

    std::uint32_t ShortPathName(const char* path, char* buffer, std::uint32_t capacity) override;
    bool IsDirectoryPath(const char* path) override;
    os::LookupResult Lookup(const char* path, std::uint32_t attributes) override;
    // Lines are cut and joined by os/Text.h, as on Win32.
    std::optional<std::vector<std::string>> ReadLines(const std::string& path, std::size_t maxBytes) override;
    bool AppendLine(const std::string& path, const std::string& text) override;
    bool WriteLines(const std::string& path, const std::vector<std::string>& lines) override;
    bool MoveOver(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool CopyOver(const std::string& from, const std::string& to) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    std::optional<std::uint32_t> ReadAttributes(const std::string& path) override;
    bool WriteAttributes(const std::string& path, std::uint32_t attributes) override;
    // The sim has no links: every path is final.
    std::string FinalPath(const std::string& path) override;
    // Against currentFolder, as GetFullPathNameW takes a relative path; "/"
    // reads as "\".
    std::string FullPath(const std::string& path) override;
    std::string currentFolder = "C:\\";
    // A lock not given back counts as held by another copy for too long: a
    // test holds one to play that copy.
    std::unique_ptr<os::FileLock> Lock(const std::string& path) override;

    // A volume reached through a device path such as "\Device\HarddiskVolume1";
    // SimDosDevices::AddDisk maps a letter to it.
    void AddVolume(const std::string& devicePath);
    // Entries made on the volume from now on get no 8.3 name, as when the
    // volume's short names are turned off: their short form is their long one.
    void TurnOffShortNames(const std::string& devicePath);
    // A network share, e.g. "\\\\server\\share", reached by its UNC path.
    void AddShare(const std::string& uncRoot) { AddVolume(uncRoot); }

    // Builders. Missing parent folders are created. The short name is made the
    // way Windows makes it (PROGRA~1, PROGRA~2, ...) unless the name is already 8.3.
    bool MakeDirectory(const std::string& path, std::uint32_t attributes = 0);
    bool MakeFile(const std::string& path, const std::string& content = {}, std::uint32_t attributes = 0);
    bool Remove(const std::string& path);  // a file or a whole folder
    bool SetAttributes(const std::string& path, std::uint32_t attributes);

    // Raw content of a file, nullopt when missing.
    std::optional<std::string> Content(const std::string& path) const;
    bool Exists(const std::string& path) const;

    // Failure injection: the next operations on a path behave as if the disk refused them,
    // until taken back (deny = false) or ClearFailures.
    void DenyRead(const std::string& path, bool deny = true);    // ReadLines fails; of a folder, Lookup inside it
    void DenyWrite(const std::string& path, bool deny = true);   // AppendLine/WriteLines/MoveOver/RemoveFile on it fail
    void FailWritesAfter(const std::string& path, std::size_t bytes);  // a write stops after so many bytes: disk full
    void ClearFailures();

    struct Node;

private:
    struct Resolved;
    Resolved Resolve(const std::string& path, int depth = 0) const;
    std::string Absolute(const std::string& path) const;
    Node* DriveRoot(char letter, int depth) const;
    std::string FailureKey(const std::string& path) const;
    bool WriteDenied(const std::string& path) const;
    bool Write(Node& file, const std::string& path, std::string data, bool append);
    Node* CreateChild(Node& folder, const std::string& name, bool directory);

    friend class SimFileView;
    SimDosDevices* m_Devices;
    std::map<std::string, std::unique_ptr<Node>> m_Volumes;  // device path (upper) -> root
    std::set<std::string> m_DenyRead;                         // failure keys
    std::set<std::string> m_DenyWrite;
    std::map<std::string, std::size_t> m_WriteLimit;
    std::set<std::string> m_Locked;
};

// The same file tree as seen from another logon session: a drive letter leads
// where that session's name space says.
class SimFileView : public os::FileSystem {
public:
    SimFileView(SimFileSystem& files, SimDosDevices& devices) : m_Files(files), m_Devices(devices) {}
    std::uint32_t ShortPathName(const char* path, char* buffer, std::uint32_t capacity) override;
    bool IsDirectoryPath(const char* path) override;
    os::LookupResult Lookup(const char* path, std::uint32_t attributes) override;
    std::optional<std::vector<std::string>> ReadLines(const std::string& path, std::size_t maxBytes) override;
    bool AppendLine(const std::string& path, const std::string& text) override;
    bool WriteLines(const std::string& path, const std::vector<std::string>& lines) override;
    bool MoveOver(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool CopyOver(const std::string& from, const std::string& to) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    std::optional<std::uint32_t> ReadAttributes(const std::string& path) override;
    bool WriteAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string FinalPath(const std::string& path) override;
    std::string FullPath(const std::string& path) override;
    std::unique_ptr<os::FileLock> Lock(const std::string& path) override;

private:
    // Runs one call of the tree with this session's letters.
    template <typename Call>
    auto Seen(Call call);
    SimFileSystem& m_Files;
    SimDosDevices& m_Devices;
};

}  // namespace sim
