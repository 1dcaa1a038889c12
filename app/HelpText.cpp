#include "HelpText.h"

std::string HelpText(bool runAsAdministrator)
{
    static const char* const lines[] = {
        "     :                          :",
        "   ..: OMBRILO HELP :..",
        "   ................................",
        "",
        "1. Right-Click on folder in explorer",
        "   and select mount. Select the drive",
        "   letter and mount.",
        "   ",
        "2. Mount on win startup will mount a",
        "   selected folder to a drive letter",
        "   when run from the startup menu",
        "   with the switch /ini.",
        "   ",
        "   Tavrik is made by its developers.",
    };
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    if (runAsAdministrator)
        text += "   \r\n"
                "   Run as administrator, Tavrik binds\r\n"
                "   drives that only programs run as\r\n"
                "   administrator see.\r\n";
    return text;
}
