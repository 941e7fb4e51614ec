// Fuzzing the command assembly of link launching: for any template and target the
// command is the template cut at its placeholder, one space and the target, checked
// against a plain search written independently; it is refused exactly when it would
// pass the longest command line; error texts exist for every code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/LaunchCommand.h"
#include "controls/LaunchError.h"

namespace {

// First index where `part` starts in `text`, by a plain double loop.
size_t FirstAt(const std::string& text, const std::string& part) {
    for (size_t i = 0; i + part.size() <= text.size(); ++i) {
        size_t j = 0;
        while (j < part.size() && text[i + j] == part[j]) ++j;
        if (j == part.size()) return i;
    }
    return std::string::npos;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    // Two bytes choose how the rest splits into template and target; targets may be
    // stretched by repetition to reach the length limit.
    const size_t split = (static_cast<size_t>(data[0]) * 256 + data[1]) % (size - 2 + 1);
    const std::string rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string commandTemplate = rest.substr(0, split);
    std::string target = rest.substr(split);
    if (!target.empty() && (data[0] & 1)) {
        while (target.size() < 33000) target += target;
    }

    size_t cut = FirstAt(commandTemplate, "\"%1\"");
    if (cut == std::string::npos) cut = FirstAt(commandTemplate, "%1");
    if (cut == std::string::npos) cut = commandTemplate.size();
    Check(PlaceholderCut(commandTemplate) == cut);

    const std::string expected = commandTemplate.substr(0, cut) + " " + target;
    const std::optional<std::string> command = AssembleLaunchCommand(commandTemplate, target);
    if (expected.size() > LAUNCH_LONGEST_COMMAND_LINE) {
        Check(!command.has_value());
    } else {
        Check(command.has_value() && *command == expected);
    }

    uint32_t bits = 0;
    for (size_t i = 0; i < 4 && i < size; ++i) bits = bits << 8 | data[i];
    const std::string message = LaunchErrorMessage(static_cast<int>(bits));
    Check(message.rfind("Can't open link:\n\n", 0) == 0 && message.size() > 18);
    return 0;
}
