#pragma once
#include <string>

// The help window's text: fourteen lines, each ended by CR LF.
std::string HelpText();
