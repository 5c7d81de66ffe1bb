#pragma once

// Every file one run writes, replaced together: each output is checked against the
// run's inputs and other outputs and streamed into its own AtomicFile; Commit replaces
// the targets only when every file is complete, so a failure anywhere leaves every
// existing file as it was.

#include "core/files/AtomicFile.h"
#include "core/files/FileKind.h"
#include "core/util/Result.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tessivar {

// What an output holds and where it may go.
struct OutputRules {
    std::optional<FileKind> Kind; // a tile set or map file; nothing for any other content
    bool RewritesInput = false;   // may replace an input of the same kind in place
    bool ToStandardOutput = true; // "-" names the standard output
    bool Binary = true;           // never written to a terminal
};

class OutputSet {
public:
    // A file the run reads, of `kind` when it is a tile set or map file (an empty path,
    // an input the run does not have, is ignored).
    void AddInput(const std::string& path, std::optional<FileKind> kind = std::nullopt);

    // Checks `path` and opens its temporary file, which the caller then writes. Refused:
    // the same file as another output or as an input (after following links; one that
    // does not exist yet by its resolved folder), a tile set or map name for other
    // contents, a folder, a special file, a write-protected file.
    Result<AtomicFile*> Add(const std::string& path, const OutputRules& rules);
    // Whether the last refusal came from the names alone (the command line is at fault).
    bool NamesClash() const { return namesClash_; }
    // The outputs' paths as given, in the order they were added.
    std::vector<std::string> Targets() const;

    // Finishes every file; when all are complete, replaces every target while holding an
    // advisory lock on the targets' folders, so that runs writing the same files at once
    // replace them one run after the other.
    Status Commit();

private:
    struct Named {
        std::string Path;
        std::string Identity;
        std::optional<FileKind> Kind;
    };
    std::vector<Named> inputs_;
    std::vector<Named> outputs_;
    std::deque<AtomicFile> files_;
    bool namesClash_ = false;
};

} // namespace tessivar
