// The English explanation of a failed link opening. Window-free.
#pragma once

#include <string>

// "Can't open link:", an empty line, and the reason for a shell or WinExec result.
std::string LaunchErrorMessage(int code);
