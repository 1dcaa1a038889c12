#pragma once
// An in-memory DOS device name space that answers as Windows does (Wine does not:
// it neither stacks definitions nor honours a removal's target).
//
// Each name holds a stack of mappings, newest first. A define pushes "\??\" + the
// absolute target (raw targets as given); a removal with a target drops the newest
// mapping the target matches (as a prefix, or whole with the exact-match flag); a
// removal without a target (null or empty) pops the newest; when the last mapping
// goes the name is free. Names compare without regard to case. A name defined at
// boot (a disk's letter) is protected from a normal user.
#include "os/DosDevices.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

class SimDosDevices : public os::DosDevices {
public:
    bool Define(std::uint32_t flags, const char* deviceName, const char* target) override;
    std::uint32_t Query(const char* deviceName, char* buffer, std::uint32_t capacity) override;
    std::uint32_t LogicalDriveStrings(std::uint32_t length, char* buffer) override;

    // A real disk: its letter answers with the device path, e.g. "\Device\HarddiskVolume1".
    // Its name is defined at boot, so only an administrator may redefine or remove it.
    void AddDisk(char letter, const std::string& devicePath);

    // The user runs as an administrator (off: a normal user, as the program runs).
    bool administrator = false;

    // The mappings of a name, newest first, as the query would list them.
    std::vector<std::string> Mappings(const std::string& deviceName) const;

    // The error code of the last failing call (2, 87, 122, 123 as Windows sets them).
    std::uint32_t LastError() const override { return m_LastError; }

    // Every Define call in order, for tests that check which calls the engine made.
    struct Call {
        std::uint32_t flags;
        std::string deviceName;  // as passed, case kept
        bool hasTarget;
        std::string target;
    };
    const std::vector<Call>& Calls() const { return m_Calls; }
    void ClearCalls() { m_Calls.clear(); }
    int QueryCount() const { return m_QueryCount; }

private:
    bool Fail(std::uint32_t error);

    std::map<std::string, std::vector<std::string>> m_Names;  // upper-cased name -> newest first
    std::set<std::string> m_BootNames;                        // upper-cased, defined at boot
    std::vector<Call> m_Calls;
    std::uint32_t m_LastError = 0;
    int m_QueryCount = 0;
};

}  // namespace sim
