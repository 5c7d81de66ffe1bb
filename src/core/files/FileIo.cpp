#include "core/files/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tessivar {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return std::nullopt;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> data;
    std::uint8_t buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        data.insert(data.end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return data;
}

namespace {

std::string describeErrno(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
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

// A symbolic link stays a link: the file it points at is the one replaced.
std::string resolveLinks(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    const auto target = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : target.string();
}

} // namespace

std::string SaveFileAtomically(const std::string& requestedPath,
                               const std::vector<std::uint8_t>& bytes) {
    if (requestedPath.empty())
        return "No file name was given";
    const std::string path = resolveLinks(requestedPath);
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return describeErrno("Cannot create a file beside it");
    temp = name.data();
    std::string error;
    if (!writeAll(fd, bytes))
        error = describeErrno("Cannot write the file");
    else if (::fchmod(fd, permissionsFor(path)) != 0)
        error = describeErrno("Cannot set the file's permissions");
    else if (::fsync(fd) != 0)
        error = describeErrno("Cannot flush the file to disk");
    if (::close(fd) != 0 && error.empty())
        error = describeErrno("Cannot close the file");
    if (error.empty() && std::rename(temp.c_str(), path.c_str()) != 0)
        error = describeErrno("Cannot replace the file");
    if (!error.empty())
        ::unlink(temp.c_str());
    return error;
}

std::string BaseNameWithoutExtension(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

std::string ExtensionOf(const std::string& path) {
    return std::filesystem::path(path).extension().string();
}

} // namespace tessivar
