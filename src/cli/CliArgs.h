#pragma once

// The command-line tool's one way to read a command's arguments and to report its
// failures: every command's arguments are split here against the options the command
// table lists for it, and a command exits through ReportError (a failure, status 1) or
// ReportUsage (arguments it cannot run with, status 2).

#include "core/util/Result.h"

#include <limits>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tessivar::cli {

// One option of a command as the help, the manual page and the completion show it.
struct OptionSpec {
    const char* Name;            // the spelling commands look up: "-o", "--dialect"
    const char* Value = nullptr; // what its value looks like ("OUT.asm", "z80|68k"); null: a flag
    const char* Help = "";
    const char* Alias = nullptr; // another spelling of the same option ("--output")
    bool Required = false;       // shown without brackets in the usage line
};

struct Arguments;

// One command of the tool: its operands, its options and what runs it.
struct CommandSpec {
    const char* Name;
    const char* Operands; // "SET.vxt IN.bin"
    const char* Summary;
    const char* OperandFiles; // extensions its operands complete to: "vxt vxm"
    std::vector<OptionSpec> Options;
    int (*Run)(const Arguments&);
};

// The arguments of one command: positional ones in order, and the options given.
struct Arguments {
    const CommandSpec* Command = nullptr;
    std::vector<std::string> Positional;
    std::vector<std::pair<std::string, std::string>> Options;
    bool Help = false; // --help or -h came before any operand it could be the value of

    // The value of an option (empty for a flag); null when it was not given. Options
    // are found by their main spelling, whichever spelling was typed.
    const std::string* Find(const std::string& name) const;
    bool Has(const std::string& name) const { return Find(name) != nullptr; }
    // The value, or an empty text when the option was not given.
    std::string Value(const std::string& name) const;
};

// Prints "tessivar-cli: MESSAGE" on the error output and returns exit status 1.
int ReportError(const std::string& message);

// Prints "tessivar-cli: PROBLEM" and the usage line of the command that read `args`;
// returns exit status 2.
int ReportUsage(const std::string& problem, const Arguments& args);
int ReportUsage(const std::string& problem, const CommandSpec& command);

// "usage: tessivar-cli NAME OPERANDS [OPTIONS...]" with every option of the command,
// wrapped to 80 columns.
std::string UsageLine(const CommandSpec& command);

// The words joined by spaces, starting at `column`, each line after the first starting
// with `indent` spaces, no line longer than 80 columns unless one word is.
std::string WrapWords(const std::vector<std::string>& words, std::size_t column,
                      std::size_t indent);

// Splits `args` against the command's options. "--name=value" is the same as "--name
// value"; "--" ends the options, so every later argument is an operand; "-" alone is
// an operand (standard input or output). Any other argument starting with '-' that the
// command does not know is refused, as are a missing value, a value given to a flag
// and an option given twice (under either spelling). --help and -h stop the reading.
Result<Arguments> ParseArguments(const std::vector<std::string>& args, const CommandSpec& command);

// A whole integer in [least, most], written as assemblers do: decimal ("16"),
// hexadecimal ("0x10", "$10") or binary ("%10000"), after an optional '-'. Nothing else
// is accepted (no '+', no spaces, no trailing text).
std::optional<int> ParseInteger(const std::string& text,
                                int least = std::numeric_limits<int>::min(),
                                int most = std::numeric_limits<int>::max());

// "WIDTHxHEIGHT", each part a decimal ParseInteger number.
std::optional<std::pair<int, int>> ParseWxH(const std::string& text,
                                            int least = std::numeric_limits<int>::min());

} // namespace tessivar::cli
