#include "core/files/FileIo.h"

#include "core/util/HugePages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tessivar {

Result<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return Fail(std::strerror(errno));
    std::vector<std::uint8_t> data;
    std::string problem;
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        problem = std::strerror(errno);
    else if (!S_ISREG(info.st_mode))
        problem = "It is not a regular file";
    else if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        problem = "The file is too large (" + std::to_string(info.st_size) +
                  " bytes; the largest such file has " + std::to_string(maxBytes) + ")";
    else {
        // The size is a hint: the read stops at the real end and never passes the limit.
        data.reserve(static_cast<std::size_t>(info.st_size) + 1);
        AdviseHugePages(data.data(), data.capacity());
        data.resize(static_cast<std::size_t>(info.st_size) + 1);
        std::size_t got = 0;
        while (problem.empty()) {
            if (got == data.size()) {
                if (got > maxBytes)
                    break;
                data.resize(std::min<std::uint64_t>(maxBytes + 1, got * 2 + 4096));
            }
            const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                problem = std::strerror(errno);
            else if (n == 0)
                break;
            else
                got += static_cast<std::size_t>(n);
        }
        if (problem.empty() && got > maxBytes)
            problem = "The file grew past " + std::to_string(maxBytes) + " bytes while it was read";
        data.resize(got);
    }
    ::close(fd);
    if (!problem.empty())
        return Fail(problem);
    return data;
}

std::string BaseNameWithoutExtension(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

std::string ExtensionOf(const std::string& path) {
    return std::filesystem::path(path).extension().string();
}

std::string LowerExtensionOf(const std::string& path) {
    std::string extension = ExtensionOf(path);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

} // namespace tessivar
