#include "core/files/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace tessivar {

namespace {

constexpr std::size_t kBufferBytes = 1 << 20;
constexpr const char* kTempPrefix = "/.tessivar-";

std::string ReasonFromErrno(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Named temporary files that a terminating signal removes. The handler only reads
// armed slots, and a slot's path is written before it is armed.
struct TempSlot {
    bool Claimed = false; // under gTempMutex
    std::atomic<bool> Armed{false};
    char Path[PATH_MAX]{};
};
constexpr int kTempSlots = 64;
TempSlot gTempSlots[kTempSlots];
std::mutex gTempMutex;
constexpr int kCleanedSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void RemoveTempsAndDie(int signal) {
    for (auto& slot : gTempSlots)
        if (slot.Armed.load())
            ::unlink(slot.Path);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Installs the clean-up handler where the program has not chosen one of its own.
void InstallHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : kCleanedSignals) {
            struct sigaction old {};
            if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = RemoveTempsAndDie;
            sigemptyset(&action.sa_mask);
            ::sigaction(signal, &action, nullptr);
        }
        struct sigaction old {};
        if (::sigaction(SIGXFSZ, nullptr, &old) == 0 && old.sa_handler == SIG_DFL)
            std::signal(SIGXFSZ, SIG_IGN);
    });
}

void RegisterTemp(const std::string& path) {
    if (path.size() >= PATH_MAX)
        return;
    const std::lock_guard lock(gTempMutex);
    for (auto& slot : gTempSlots) {
        if (slot.Claimed)
            continue;
        slot.Claimed = true;
        std::memcpy(slot.Path, path.c_str(), path.size() + 1);
        slot.Armed.store(true);
        return;
    }
}

void UnregisterTemp(const std::string& path) {
    const std::lock_guard lock(gTempMutex);
    for (auto& slot : gTempSlots)
        if (slot.Claimed && path == slot.Path) {
            slot.Armed.store(false);
            slot.Claimed = false;
            return;
        }
}

// A name for linking an unnamed file into the folder: ".tessivar-" and six letters.
std::string FreshTempName(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned seed = static_cast<unsigned>(::getpid()) * 2654435761u +
                    counter.fetch_add(1) * 40503u + static_cast<unsigned>(std::rand());
    std::string name = folder + kTempPrefix;
    for (int i = 0; i < 6; ++i, seed = seed * 1103515245u + 12345u)
        name += kLetters[(seed >> 16) % 36];
    return name;
}

// A new file keeps the permissions an existing target had, or the usual ones.
mode_t PermissionsFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Whether an existing target may be replaced (a missing one may be made).
Status CheckTarget(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return Ok();
    if (S_ISDIR(info.st_mode))
        return Fail("It is a folder");
    if (!S_ISREG(info.st_mode))
        return Fail("It is not a regular file");
    if ((info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
        return Fail("It is write-protected");
    return Ok();
}

} // namespace

Result<std::string> FollowLinks(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t length = ::readlink(path.c_str(), target.data(), PATH_MAX);
        if (length <= 0)
            return Fail(ReasonFromErrno("Cannot read the symbolic link"));
        std::string next(target.data(), static_cast<std::size_t>(length));
        path = (next.front() == '/') ? next : FolderOf(path) + "/" + next;
    }
    return Fail("Too many levels of symbolic links");
}

Result<AtomicFile> AtomicFile::Open(const std::string& path) {
    if (path.empty())
        return Fail("No file name was given");
    auto target = FollowLinks(path);
    if (!target)
        return Fail(target.error());
    if (Status replaceable = CheckTarget(*target); !replaceable)
        return Fail(replaceable.error());
    InstallHandlers();
    const std::string folder = FolderOf(*target);
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) == 0) {
        const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0)
            return AtomicFile(fd, std::move(*target), {});
    }
#endif
    // A short fixed name, so that a target name of any legal length still has room.
    std::string temp = folder + kTempPrefix + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(ReasonFromErrno("Cannot create a file beside it"));
    RegisterTemp(temp);
    return AtomicFile(fd, std::move(*target), std::move(temp));
}

AtomicFile AtomicFile::StandardOutput() {
    InstallHandlers();
    AtomicFile file(STDOUT_FILENO, "-", {});
    file.standardOutput_ = true;
    return file;
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
    , status_(std::move(other.status_))
    , finished_(other.finished_)
    , standardOutput_(other.standardOutput_) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
    if (this != &other) {
        Abandon();
        fd_ = std::exchange(other.fd_, -1);
        target_ = std::move(other.target_);
        temp_ = std::move(other.temp_);
        buffer_ = std::move(other.buffer_);
        status_ = std::move(other.status_);
        finished_ = other.finished_;
        standardOutput_ = other.standardOutput_;
    }
    return *this;
}

AtomicFile::~AtomicFile() {
    Abandon();
}

void AtomicFile::NoteFailure(const char* what) {
    if (status_.ok())
        status_ = Fail(ReasonFromErrno(what));
}

void AtomicFile::Close() {
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && !standardOutput_ && ::close(fd) != 0)
        NoteFailure("Cannot close the file");
}

void AtomicFile::WriteAll(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (status_.ok() && done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            NoteFailure("Cannot write the file");
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
}

void AtomicFile::FlushBuffer() {
    WriteAll(buffer_);
    buffer_.clear();
}

void AtomicFile::Write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0 || !status_.ok())
        return;
    // Large pieces skip the buffer.
    if (bytes.size() >= kBufferBytes / 16) {
        FlushBuffer();
        WriteAll(bytes);
        return;
    }
    const std::size_t take = std::min(kBufferBytes - buffer_.size(), bytes.size());
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
    if (buffer_.size() == kBufferBytes) {
        FlushBuffer();
        buffer_.insert(buffer_.end(), bytes.begin() + static_cast<std::ptrdiff_t>(take),
                       bytes.end());
    }
}

void AtomicFile::Write(std::string_view text) {
    Write(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void AtomicFile::Rewind() {
    buffer_.clear();
    if (fd_ < 0 || !status_.ok())
        return;
    if (standardOutput_)
        errno = ESPIPE;
    if (standardOutput_ || ::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0)
        NoteFailure("Cannot start the file over");
}

Status AtomicFile::Finish() {
    if (fd_ < 0)
        return status_.ok() ? Fail("The file was already closed") : status_;
    FlushBuffer();
    if (!standardOutput_) {
        if (status_.ok() && ::fchmod(fd_, PermissionsFor(target_)) != 0)
            NoteFailure("Cannot set the file's permissions");
        if (status_.ok() && ::fsync(fd_) != 0)
            NoteFailure("Cannot flush the file to disk");
    }
    if (!status_.ok())
        Abandon();
    finished_ = status_.ok();
    return status_;
}

Status AtomicFile::Replace() {
    if (!finished_)
        return status_.ok() ? Fail("The file was not finished") : status_;
    finished_ = false;
    if (standardOutput_) {
        fd_ = -1;
        return status_;
    }
    if (temp_.empty()) {
        // Give the unnamed file a name beside the target, then rename it over the target.
        const std::string folder = FolderOf(target_);
        const std::string procPath = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100 && temp_.empty(); ++attempt) {
            std::string name = FreshTempName(folder);
            RegisterTemp(name);
            if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) ==
                0) {
                temp_ = std::move(name);
                break;
            }
            const int error = errno;
            UnregisterTemp(name);
            if (error != EEXIST) {
                errno = error;
                NoteFailure("Cannot replace the file");
                break;
            }
        }
        if (temp_.empty() && status_.ok()) {
            errno = EEXIST;
            NoteFailure("Cannot replace the file");
        }
    }
    Close();
    if (status_.ok() && std::rename(temp_.c_str(), target_.c_str()) != 0)
        NoteFailure("Cannot replace the file");
    if (!status_.ok() && !temp_.empty())
        ::unlink(temp_.c_str());
    UnregisterTemp(temp_);
    temp_.clear();
    return status_;
}

Status AtomicFile::Commit() {
    if (const Status finished = Finish(); !finished)
        return finished;
    return Replace();
}

void AtomicFile::Abandon() {
    if (fd_ < 0)
        return;
    const int fd = std::exchange(fd_, -1);
    if (!standardOutput_)
        ::close(fd);
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        UnregisterTemp(temp_);
        temp_.clear();
    }
    buffer_.clear();
    finished_ = false;
}

Status SaveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail(file.error());
    file->Write(bytes);
    return file->Commit();
}

} // namespace tessivar
