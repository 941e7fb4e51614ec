// Command lines for opening a link through the open command that a file type
// registers. Window-free, so it is unit-tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The longest command line Windows starts (32767 characters). Wine 8's WinExec
// truncates longer ones silently, so they are refused rather than handed on.
constexpr std::size_t LAUNCH_LONGEST_COMMAND_LINE = 32767;

// The longest target handed to the shell's open. Wine 8's ShellExecute overruns a
// stack buffer from 997 characters on and takes the process down; longer targets go
// straight to the registered handler, which has no such limit.
constexpr std::size_t LAUNCH_LONGEST_SHELL_TARGET = 900;

// The key below the classes root that holds a file type's open command.
std::string OpenCommandKey(std::string_view fileType);

// Where a command template is cut for the target: at the opening quote of a quoted
// "%1", else at a bare %1, else at its end.
std::size_t PlaceholderCut(std::string_view commandTemplate);

// The template up to its cut, one space and the target, unquoted; nothing when the
// result would be longer than LAUNCH_LONGEST_COMMAND_LINE.
std::optional<std::string> AssembleLaunchCommand(std::string_view commandTemplate,
                                                 std::string_view target);
