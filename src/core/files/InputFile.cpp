#include "core/files/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tessivar {

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

} // namespace

Result<InputFile> InputFile::Open(const std::string& path) {
    // Non-blocking, so that opening a FIFO without a writer does not wait for one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Fail(std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const std::string reason = std::strerror(errno);
        ::close(fd);
        return Fail(reason);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Fail("It is not a regular file");
    }
    return InputFile(fd, static_cast<std::uint64_t>(info.st_size));
}

InputFile::InputFile(int fd, std::uint64_t size)
    : fd_(fd)
    , size_(size) {}

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , size_(other.size_)
    , position_(other.position_)
    , bufferStart_(other.bufferStart_)
    , bufferLength_(other.bufferLength_)
    , buffer_(std::move(other.buffer_))
    , readError_(std::move(other.readError_)) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        size_ = other.size_;
        position_ = other.position_;
        bufferStart_ = other.bufferStart_;
        bufferLength_ = other.bufferLength_;
        buffer_ = std::move(other.buffer_);
        readError_ = std::move(other.readError_);
    }
    return *this;
}

InputFile::~InputFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t InputFile::ReadSome(std::uint64_t offset, std::span<std::uint8_t> out) {
    std::size_t got = 0;
    while (got < out.size()) {
        const ssize_t n =
            ::pread(fd_, out.data() + got, out.size() - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            readError_ = std::strerror(errno);
            break;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

bool InputFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    return ReadSome(offset, out) == out.size();
}

void InputFile::Seek(std::uint64_t offset) {
    position_ = offset;
}

bool InputFile::Fill() {
    buffer_.resize(kBufferBytes);
    bufferStart_ = position_;
    bufferLength_ = ReadSome(position_, buffer_);
    return bufferLength_ > 0;
}

std::size_t InputFile::Read(std::span<std::uint8_t> out) {
    std::size_t got = 0;
    while (got < out.size()) {
        if (position_ - bufferStart_ >= bufferLength_) {
            if (out.size() - got >= kBufferBytes) {
                // Large reads go straight to the caller's memory.
                const std::size_t n = ReadSome(position_, out.subspan(got));
                position_ += n;
                return got + n;
            }
            if (!Fill())
                break;
        }
        const std::size_t offset = static_cast<std::size_t>(position_ - bufferStart_);
        const std::size_t n = std::min(out.size() - got, bufferLength_ - offset);
        std::memcpy(out.data() + got, buffer_.data() + offset, n);
        got += n;
        position_ += n;
    }
    return got;
}

} // namespace tessivar
