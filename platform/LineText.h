#pragma once
// How the list files are cut into lines and written back, shared by every platform.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Lines without their ends; CR LF, a lone CR and a lone LF each end a line. A
// last line end does not start another line.
std::vector<std::string> SplitLines(std::string_view content);

// The lines, each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace platform
