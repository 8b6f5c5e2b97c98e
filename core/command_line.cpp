#include "core/command_line.h"

namespace lumidor {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> tokens;
    std::size_t at = 0;
    while (at < commandLine.size()) {
        if (commandLine[at] == ' ') {
            ++at;
            continue;
        }
        if (commandLine[at] == '"') {
            const std::size_t close = commandLine.find('"', at + 1);
            const std::size_t end = close == std::string_view::npos ? commandLine.size() : close;
            tokens.emplace_back(commandLine.substr(at + 1, end - at - 1));
            at = close == std::string_view::npos ? end : close + 1;
            continue;
        }
        const std::size_t space = commandLine.find(' ', at);
        const std::size_t end = space == std::string_view::npos ? commandLine.size() : space;
        tokens.emplace_back(commandLine.substr(at, end - at));
        at = end;
    }
    return tokens;
}

std::string FirstArgument(std::string_view commandLine) {
    std::vector<std::string> tokens = SplitCommandLine(commandLine);
    return tokens.size() >= 2 ? tokens[1] : std::string();
}

bool IsRecordingCommandLine(std::string_view commandLine) {
    return FirstArgument(commandLine) == AutorunArgument;
}

} // namespace lumidor
