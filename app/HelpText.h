#pragma once
#include <string>

// The help window's text: fourteen lines, each ended by CR LF; run as
// administrator in a session of its own, four more say what that means for
// its drives.
std::string HelpText(bool runAsAdministrator = false);
