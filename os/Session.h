#pragma once
// Where the program runs: its user, its token's place under UAC, the folders
// Windows keeps for it, and the one way up to administrator rights.
#include <optional>
#include <string>

namespace os {

// The token's elevation type. A user with UAC holds two linked tokens: the
// limited one of the normal programs and the full one of those run as
// administrator. Default: no split (UAC off, a standard user, the built-in
// administrator).
enum class Elevation { Default, Limited, Full };

// The two sides of a split token have name spaces of their own when the
// linked token's logon session is known and is another one.
inline bool InAnotherSession(const std::string& logonId, const std::string& linkedLogonId)
{
    return !logonId.empty() && !linkedLogonId.empty() && logonId != linkedLogonId;
}

class Session {
public:
    virtual ~Session() = default;
    virtual Elevation TokenElevation() = 0;
    // Whether the linked token belongs to another logon session: only then
    // the two sides have DOS device name spaces of their own.
    virtual bool LinkedTokenElsewhere() = 0;
    // The logon session of this token and of its linked one, as text; empty
    // when there is none.
    virtual std::string LogonId() = 0;
    virtual std::string LinkedLogonId() = 0;
    // The user, as a SID text such as "S-1-5-21-...".
    virtual std::string UserSid() = 0;
    // %LOCALAPPDATA%, %APPDATA%, %ProgramFiles% (the native one) and
    // %ProgramData%, as Windows keeps them, without a closing "\".
    virtual std::string LocalAppData() = 0;
    virtual std::string AppData() = 0;
    virtual std::string ProgramFiles() = 0;
    virtual std::string ProgramData() = 0;
    // Whether only administrators can change the file or folder at path:
    // its owner and everyone its access list lets write it, delete it or
    // change its rights are the Administrators group, the system, the
    // installer service, or this user when this user is an administrator.
    // False when it is not there or its rights cannot be read.
    virtual bool AdministratorsOnly(const std::string& path) = 0;
    // Makes the folder (its parent exists) one that only administrators can
    // change and everyone can read, with everything in it, whoever made it
    // before. Needs administrator rights; true when done.
    virtual bool MakeAdministratorsFolder(const std::string& path) = 0;
    // The drive letter Windows itself lives on.
    virtual char SystemDrive() = 0;
    // The letters the machine defines at boot for everyone (the Session
    // Manager's "DOS Devices"), upper-case.
    virtual std::string BootLetters() = 0;
    // The program's own exe.
    virtual std::string ExePath() = 0;
    // Runs exe as administrator and waits for it: the UAC prompt where the
    // token is limited, none where it is full already. Its exit code; nullopt
    // when the prompt was refused or the program could not start.
    virtual std::optional<int> RunElevated(const std::string& exe, const std::string& arguments) = 0;
};

}  // namespace os
