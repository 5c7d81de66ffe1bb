#pragma once

// The one table of tessivar-cli's commands and options. The dispatch in main, the
// argument reading, the help texts, the manual page and the bash completion all come
// from it: a command or option added here appears in each of them.

#include "cli/CliArgs.h"

#include <string>
#include <vector>

namespace tessivar::cli {

// Every command, in the order the help lists them.
const std::vector<CommandSpec>& Commands();

// The command of that name; null when there is none.
const CommandSpec* FindCommand(const std::string& name);

// The options every command takes besides its own (--help), and those of the tool
// itself (--version).
const std::vector<OptionSpec>& ProgramOptions();

// Paragraphs on how every command reads its arguments, for the help and the manual.
const std::vector<std::string>& ConventionNotes();

// What "tessivar-cli --help" prints: every command with its summary.
std::string ProgramHelp();

// What "tessivar-cli help COMMAND" and "tessivar-cli COMMAND --help" print.
std::string CommandHelp(const CommandSpec& command);

// "tessivar-cli VERSION", for --version.
std::string VersionLine();

} // namespace tessivar::cli
