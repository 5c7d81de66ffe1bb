#pragma once

// The command-line tool's one way to read a command's arguments and to report its
// failures: every command splits its arguments here and exits through ReportError
// (a failure, status 1) or ReportUsage (arguments it cannot run with, status 2).

#include "core/util/Result.h"

#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessivar::cli {

// Prints "tessivar-cli: MESSAGE" on the error output and returns exit status 1.
int ReportError(const std::string& message);

// Prints "tessivar-cli: PROBLEM" and the command's usage text; returns exit status 2.
int ReportUsage(const std::string& problem, const std::string& usage);

// The arguments of one command: positional ones in order, and the options given.
struct Arguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;

    // The value of an option (empty for a flag); null when it was not given.
    const std::string* find(const std::string& name) const;
    bool has(const std::string& name) const { return find(name) != nullptr; }
    // The value, or an empty text when the option was not given.
    std::string value(const std::string& name) const;
};

// Splits `args` against the options a command knows: `valued` ones take the next
// argument, `flags` stand alone. Any other argument starting with '-' (except "-"
// itself) is refused, as is a missing value or an option given twice.
Result<Arguments> ParseArguments(const std::vector<std::string>& args,
                                 const std::vector<std::string>& valued,
                                 const std::vector<std::string>& flags = {});

// A whole decimal integer in [least, most]; nothing else is accepted (no sign '+',
// no spaces, no trailing text).
std::optional<int> ParseInteger(const std::string& text,
                                int least = std::numeric_limits<int>::min(),
                                int most = std::numeric_limits<int>::max());

// "WIDTHxHEIGHT", each part as ParseInteger takes it.
std::optional<std::pair<int, int>> ParseWxH(const std::string& text,
                                            int least = std::numeric_limits<int>::min());

} // namespace tessivar::cli
