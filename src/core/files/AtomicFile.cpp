#include "core/files/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tessivar {

namespace {

constexpr std::size_t kBufferBytes = 1 << 20;

std::string reasonFromErrno(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows a chain of symbolic links to the file they name, which need not exist yet.
Result<std::string> followLinks(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t length = ::readlink(path.c_str(), target.data(), PATH_MAX);
        if (length < 0)
            return Fail(reasonFromErrno("Cannot read the symbolic link"));
        std::string next(target.data(), static_cast<std::size_t>(length));
        path = (next.front() == '/') ? next : folderOf(path) + "/" + next;
    }
    return Fail("Too many levels of symbolic links");
}

// A new file keeps the permissions an existing target had, or the usual ones.
mode_t permissionsFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

Result<AtomicFile> AtomicFile::Open(const std::string& path) {
    if (path.empty())
        return Fail("No file name was given");
    auto target = followLinks(path);
    if (!target)
        return Fail(target.error());
    struct stat info {};
    if (::stat(target->c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return Fail("It is a folder");
    // A short fixed name, so that a target name of any legal length still has room.
    std::string temp = folderOf(*target) + "/.tessivar-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Fail(reasonFromErrno("Cannot create a file beside it"));
    return AtomicFile(fd, std::move(*target), std::move(temp));
}

AtomicFile::AtomicFile(int fd, std::string target, std::string temp)
    : fd_(fd)
    , target_(std::move(target))
    , temp_(std::move(temp)) {
    buffer_.reserve(kBufferBytes);
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , target_(std::move(other.target_))
    , temp_(std::move(other.temp_))
    , buffer_(std::move(other.buffer_))
    , status_(std::move(other.status_)) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
    if (this != &other) {
        Abandon();
        fd_ = std::exchange(other.fd_, -1);
        target_ = std::move(other.target_);
        temp_ = std::move(other.temp_);
        buffer_ = std::move(other.buffer_);
        status_ = std::move(other.status_);
    }
    return *this;
}

AtomicFile::~AtomicFile() {
    Abandon();
}

void AtomicFile::fail(const char* what) {
    if (status_.ok())
        status_ = Fail(reasonFromErrno(what));
}

void AtomicFile::flushBuffer() {
    std::size_t done = 0;
    while (status_.ok() && done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            fail("Cannot write the file");
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    buffer_.clear();
}

void AtomicFile::Write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0 || !status_.ok())
        return;
    while (!bytes.empty() && status_.ok()) {
        const std::size_t room = kBufferBytes - buffer_.size();
        const std::size_t take = std::min(room, bytes.size());
        buffer_.insert(buffer_.end(), bytes.begin(),
                       bytes.begin() + static_cast<std::ptrdiff_t>(take));
        bytes = bytes.subspan(take);
        if (buffer_.size() == kBufferBytes)
            flushBuffer();
    }
}

void AtomicFile::Write(std::string_view text) {
    Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Status AtomicFile::Commit() {
    if (fd_ < 0)
        return status_.ok() ? Fail("The file was already closed") : status_;
    flushBuffer();
    if (status_.ok() && ::fchmod(fd_, permissionsFor(target_)) != 0)
        fail("Cannot set the file's permissions");
    if (status_.ok() && ::fsync(fd_) != 0)
        fail("Cannot flush the file to disk");
    if (::close(std::exchange(fd_, -1)) != 0)
        fail("Cannot close the file");
    if (status_.ok() && std::rename(temp_.c_str(), target_.c_str()) != 0)
        fail("Cannot replace the file");
    if (!status_.ok())
        ::unlink(temp_.c_str());
    return status_;
}

void AtomicFile::Abandon() {
    if (fd_ < 0)
        return;
    ::close(std::exchange(fd_, -1));
    ::unlink(temp_.c_str());
    buffer_.clear();
}

Status SaveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail(file.error());
    file->Write(bytes);
    return file->Commit();
}

} // namespace tessivar
