#pragma once
// The usage text of veltrane-admin: the whole of it for --help, and the part about one
// command for "COMMAND --help" and "help COMMAND".

#include <optional>
#include <string>

std::string Usage();
// The synopsis and description of `command` with the notes that apply to every command, or
// nothing when there is no such command.
std::optional<std::string> CommandUsage(const std::string& command);
