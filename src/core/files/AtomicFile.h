#pragma once

// The one way the program writes a file: the data goes to a temporary file beside the
// target, in as many pieces as the caller likes, and replaces the target only when every
// piece was written and flushed to disk. Any failure, or dropping the object without
// Commit, removes the temporary file and leaves the target as it was.

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
    // not exist yet, is followed: the file it names is the one written.
    static Result<AtomicFile> Open(const std::string& path);

    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&& other) noexcept;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Appends bytes. A failure is kept: later writes do nothing and Commit reports it.
    void Write(std::span<const std::uint8_t> bytes);
    void Write(std::string_view text);

    // The first write failure so far (ok while every write succeeded).
    const Status& status() const { return status_; }

    // Flushes, keeps the target's permissions, syncs to disk and renames over the
    // target. On failure nothing of the new file is left.
    Status Commit();

    // Drops the temporary file; the target stays as it was.
    void Abandon();

private:
    AtomicFile(int fd, std::string target, std::string temp);
    void flushBuffer();
    void fail(const char* what);

    int fd_ = -1;
    std::string target_;
    std::string temp_;
    std::vector<std::uint8_t> buffer_;
    Status status_;
};

// Writes `bytes` as the whole new contents of `path` through an AtomicFile.
Status SaveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace tessivar
