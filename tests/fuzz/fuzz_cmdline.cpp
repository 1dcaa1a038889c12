// The command line, any bytes: the mode is the command line's alone, only the
// unmount mode removes anything, only on the letter it names, and a disk is never
// removed.
#include "FuzzCheck.h"
#include "app/modMain.h"
#include "os/Text.h"
#include "engine/mod_Subst.h"
#include "tests/support/SimMachine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sim::SimMachine machine;
    sim::ScopedMachine scope(machine);
    // D: a disk plugged in after start-up, which a normal user may stack a binding on.
    machine.files.AddVolume("\\Device\\HarddiskVolume2");
    FUZZ_CHECK(machine.dos.Define(os::DEFINE_RAW_TARGET, "D:", "\\Device\\HarddiskVolume2"));
    for (const char* folder : {"C:\\Data", "C:\\Program Files\\Common Files"})
        FUZZ_CHECK(machine.files.MakeDirectory(folder));
    // M: one binding; N: two stacked; D: a binding over the disk.
    FUZZ_CHECK(machine.dos.Define(0, "M:", "C:\\Data"));
    FUZZ_CHECK(machine.dos.Define(0, "N:", "C:\\PROGRA~1"));
    FUZZ_CHECK(machine.dos.Define(0, "N:", "C:\\PROGRA~1\\COMMON~1"));
    FUZZ_CHECK(machine.dos.Define(0, "D:", "C:\\Data"));
    machine.dos.ClearCalls();

    const std::string commandLine = BytesText(data, size);
    const auto mode = modMain::Start("C:\\Tools\\Tavrik", commandLine);
    FUZZ_CHECK(modMain::AppDir == "C:\\Tools\\Tavrik\\");
    // The mode is the text's as given; a folder is the whole path the text
    // names (as the simulated Windows makes it whole), bare or from inside the
    // quotes around it, and a text with a quote left in it stays as given.
    FUZZ_CHECK(mode == modMain::ModeOf(commandLine));
    const std::string& used = modMain::CommandLine;
    if (mode != modMain::StartMode::MainWindow)
        FUZZ_CHECK(used == commandLine);
    if (used != commandLine) {
        FUZZ_CHECK(used.find('"') == std::string::npos);
        const auto first = commandLine.find('"');
        const std::string named =
            first == std::string::npos ? commandLine : commandLine.substr(first + 1, commandLine.rfind('"') - first - 1);
        const std::string whole = machine.files.FullPath(named);
        FUZZ_CHECK(used == (whole.empty() ? named : whole));
    }

    // As the start takes it: the text as given (a quoted "-M" is a folder).
    const auto outcome = modMain::UnmountBranch(commandLine);
    const bool unmount = outcome.has_value();
    FUZZ_CHECK(unmount == (mode == modMain::StartMode::Unmount));
    const std::string letter = unmount ? modMain::UnmountLetter(commandLine) : std::string();
    const auto& calls = machine.dos.Calls();
    if (!unmount)
        FUZZ_CHECK(calls.empty());
    for (const auto& call : calls)
        FUZZ_CHECK(call.flags == os::DEFINE_REMOVE && call.deviceName == mod_Subst::DeviceName(letter, false));

    FUZZ_CHECK(machine.dos.Mappings("C:") == std::vector<std::string>{"\\Device\\HarddiskVolume1"});
    FUZZ_CHECK(machine.dos.Mappings("D:").back() == "\\Device\\HarddiskVolume2");
    // The named letter loses every folder binding; the others keep theirs.
    const char named = letter.empty() ? '\0' : text::UpperChar(letter[0]);
    // The exit code, from the letter alone: 0 for a letter that had folder
    // bindings, 1 for a free letter, 2 for no letter or the bare disk C:.
    if (unmount) {
        const bool isLetter = (named >= 'A' && named <= 'Z');
        const int expected = !isLetter ? 2 : (named == 'M' || named == 'N' || named == 'D') ? 0 : named == 'C' ? 2 : 1;
        FUZZ_CHECK(outcome->exitCode == expected);
        FUZZ_CHECK(!outcome->message.empty() && outcome->message.find('\n') == std::string::npos);
    }
    for (const char drive : {'M', 'N', 'D'}) {
        const std::string name = std::string(1, drive) + ":";
        const auto left = machine.dos.Mappings(name).size();
        if (drive == named)
            FUZZ_CHECK(!mod_Subst::IsSubstDrive(name));
        else
            FUZZ_CHECK(left == (drive == 'N' ? 2u : drive == 'D' ? 2u : 1u));
    }
    return 0;
}
