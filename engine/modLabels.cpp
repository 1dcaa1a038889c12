#include "modLabels.h"

#include "modFiles.h"
#include "mod_Subst.h"
#include "os/System.h"
#include "os/Text.h"

namespace modLabels {

namespace {

std::string LetterKey(char letter) { return std::string(kDrivesKey) + '\\' + text::UpperChar(letter); }
std::string LabelKey(char letter) { return LetterKey(letter) + "\\DefaultLabel"; }

bool Ours(const std::string& key) { return os::Current().registry.ReadString(key, kMarkValue).has_value(); }

}  // namespace

std::string CleanLabel(const std::string& label)
{
    std::string cleaned = label;
    for (char& c : cleaned)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text::TrimBlanks(cleaned);
}

std::string DefaultLabel(const std::string& folder)
{
    std::string whole = modFiles::GetLongPath(folder);
    if (whole.empty())
        whole = folder;
    while (whole.size() > 1 && whole.back() == '\\')
        whole.pop_back();
    // A drive's root has no name of its own: "D:" is shown as "D:\".
    if (whole.size() == 2 && whole[1] == ':')
        return whole + '\\';
    return whole.substr(whole.find_last_of('\\') + 1);
}

bool LabelDrive(char letter, const std::string& folder, const std::string& label)
{
    if (!mod_Subst::IsDriveLetter(std::string(1, letter)))
        return false;
    auto& registry = os::Current().registry;
    const std::string letterKey = LetterKey(letter), labelKey = LabelKey(letter);
    if (registry.KeyExists(labelKey) && !Ours(labelKey))
        return false;  // someone else names this letter
    // The letter's key is marked only where the program makes it, so that a
    // key someone else keeps there (a drive icon) stays when the label goes.
    if (!registry.KeyExists(letterKey) && !registry.WriteString(letterKey, kMarkValue, "1"))
        return false;
    return registry.WriteString(labelKey, kMarkValue, "1") &&
           registry.WriteString(labelKey, "", CleanLabel(label).empty() ? DefaultLabel(folder) : CleanLabel(label));
}

bool RelabelDrive(char letter, const std::string& folder, const std::string& label)
{
    if (!LabelDrive(letter, folder, label))
        return false;
    os::Current().shell.DriveChanged(text::UpperChar(letter));
    return true;
}

void UnlabelDrive(char letter)
{
    if (!mod_Subst::IsDriveLetter(std::string(1, letter)))
        return;
    auto& registry = os::Current().registry;
    const std::string letterKey = LetterKey(letter), labelKey = LabelKey(letter);
    if (registry.KeyExists(labelKey)) {
        if (!Ours(labelKey))
            return;
        registry.DeleteKey(labelKey);
    }
    // Left where something else has come to live below it.
    if (Ours(letterKey))
        registry.DeleteKey(letterKey);
}

void RemoveStaleLabels()
{
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if ((Ours(LabelKey(letter)) || Ours(LetterKey(letter))) && !mod_Subst::IsSubstDrive(std::string(1, letter)))
            UnlabelDrive(letter);
}

}  // namespace modLabels
