#include "CommandLine.h"

namespace ui {

std::string CommandTail(std::string_view line)
{
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const auto close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return std::string(line.substr(i));
}

}  // namespace ui
