#pragma once

#include "core/util/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessivar {

// A regular file opened for reading, by position or byte by byte through a small buffer,
// so a reader takes memory for what it looks at, not for the whole file. A pipe, a device
// or a folder is refused when it is opened, before anything is read.
class InputFile {
public:
    static Result<InputFile> Open(const std::string& path);

    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // The size when the file was opened.
    std::uint64_t size() const { return size_; }

    // Fills `out` from `offset`; false when the file ends first or cannot be read.
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out);

    // Byte-by-byte reading from Position(), which Seek moves.
    void Seek(std::uint64_t offset);
    std::uint64_t Position() const { return position_; }
    // The next byte, or -1 at the end of the file or on a read error.
    int NextByte() {
        if (position_ - bufferStart_ >= bufferLength_ && !Fill())
            return -1;
        return buffer_[static_cast<std::size_t>(position_++ - bufferStart_)];
    }
    // Up to out.size() bytes from Position(); the number read.
    std::size_t Read(std::span<std::uint8_t> out);

    // The text of the last read error; empty while none happened.
    const std::string& ReadError() const { return readError_; }

private:
    InputFile(int fd, std::uint64_t size);
    bool Fill();
    std::size_t ReadSome(std::uint64_t offset, std::span<std::uint8_t> out);

    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t bufferStart_ = 0;
    std::size_t bufferLength_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::string readError_;
};

} // namespace tessivar
