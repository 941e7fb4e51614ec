#include "controls/LaunchCommand.h"

namespace {

constexpr std::string_view LAUNCH_QUOTED_PLACEHOLDER = "\"%1\"";
constexpr std::string_view LAUNCH_BARE_PLACEHOLDER = "%1";

}  // namespace

std::string OpenCommandKey(std::string_view fileType) {
    std::string key(fileType);
    key += "\\shell\\open\\command";
    return key;
}

// A plain byte search finds what the C runtime's multi-byte search finds: trail bytes
// of the double-byte code pages are never below 0x40, so the placeholder's bytes
// (0x22, 0x25, 0x31) cannot be the second half of a character.
std::size_t PlaceholderCut(std::string_view commandTemplate) {
    std::size_t at = commandTemplate.find(LAUNCH_QUOTED_PLACEHOLDER);
    if (at == std::string_view::npos) at = commandTemplate.find(LAUNCH_BARE_PLACEHOLDER);
    return at == std::string_view::npos ? commandTemplate.size() : at;
}

std::optional<std::string> AssembleLaunchCommand(std::string_view commandTemplate,
                                                 std::string_view target) {
    const std::string_view head = commandTemplate.substr(0, PlaceholderCut(commandTemplate));
    if (head.size() + 1 + target.size() > LAUNCH_LONGEST_COMMAND_LINE) return std::nullopt;
    std::string command;
    command.reserve(head.size() + 1 + target.size());
    command += head;
    command += ' ';
    command += target;
    return command;
}
