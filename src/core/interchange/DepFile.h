#pragma once

// Dependency files for Make and Ninja: one rule "OUT: IN1 IN2 ..." naming every file a
// command wrote and every file it read, so that a build reruns the command when any of
// them changes. With phony rules each input also gets an empty rule of its own, so that
// deleting an input does not stop the build.

#include "core/util/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessivar {

struct Dependencies {
    std::vector<std::string> Targets; // the files written
    std::vector<std::string> Inputs;  // the files read, in the order they were read
};

// One file name as Make reads it: a space or tab is preceded by a backslash, as is '#',
// and '$' is doubled; backslashes just before a space, tab or '#' are doubled so that
// they stay part of the name. A name holding a line break (or no character at all)
// cannot be written and is refused.
Result<std::string> EscapeMakePath(std::string_view path);

// The text of the dependency file. Inputs that repeat, or that are also targets, are
// listed once and only as targets.
Result<std::string> FormatDepFile(const Dependencies& dependencies, bool phonyInputs);

// Writes the dependency file to `path` atomically.
Status WriteDepFile(const std::string& path, const Dependencies& dependencies, bool phonyInputs);

} // namespace tessivar
