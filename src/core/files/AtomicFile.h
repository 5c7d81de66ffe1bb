#pragma once

// The one way the program writes a file: the data goes to a temporary file beside the
// target, in as many pieces as the caller likes, and replaces the target only when every
// piece was written and flushed to disk. Any failure, or dropping the object without
// Commit, removes the temporary file and leaves the target as it was.
//
// Where the file system allows it the temporary file has no name until it replaces the
// target, so not even a killed process leaves one behind; elsewhere it is named
// ".tessivar-XXXXXX" and removed on SIGTERM, SIGINT and SIGHUP. SIGXFSZ is ignored, so
// a file-size limit shows as a write failure.

#include "core/util/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessivar {

class AtomicFile {
public:
    // Opens the temporary file for `path`. A symbolic link, even one whose target does
    // not exist yet, is followed: the file it names is the one written. A target that
    // exists must be a regular file the user may write.
    static Result<AtomicFile> Open(const std::string& path);
    // Writes straight to the standard output (named "-"); Commit flushes it.
    static AtomicFile StandardOutput();

    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&& other) noexcept;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Appends bytes. A failure is kept: later writes do nothing and Commit reports it.
    void Write(std::span<const std::uint8_t> bytes);
    void Write(std::string_view text);

    // Drops everything written so far; the standard output cannot start over, which
    // counts as a write failure.
    void Rewind();

    // The first write failure so far (ok while every write succeeded).
    const Status& Outcome() const { return status_; }

    // Finish, then Replace.
    Status Commit();
    // Flushes, gives the file the target's permissions and syncs it to disk; the target
    // is not touched yet. On failure nothing of the new file is left.
    Status Finish();
    // Puts the finished file in the target's place.
    Status Replace();

    // Drops the temporary file; the target stays as it was.
    void Abandon();

    // The file that Commit replaces (after following links); "-" for the standard output.
    const std::string& TargetPath() const { return target_; }

private:
    AtomicFile(int fd, std::string target, std::string temp);
    void WriteAll(std::span<const std::uint8_t> bytes);
    void FlushBuffer();
    void NoteFailure(const char* what);
    void Close();

    int fd_ = -1;
    std::string target_;
    std::string temp_; // empty while the temporary file has no name
    std::vector<std::uint8_t> buffer_;
    Status status_;
    bool finished_ = false;
    bool standardOutput_ = false;
};

// Writes `bytes` as the whole new contents of `path` through an AtomicFile.
Status SaveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Follows a chain of symbolic links to the file they name, which need not exist yet.
Result<std::string> FollowLinks(std::string path);

} // namespace tessivar
