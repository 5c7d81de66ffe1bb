#include "core/files/OutputSet.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tessivar {

namespace {

std::pair<std::string, std::string> splitFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The same text for two names of one file: its device and inode, or for a file that
// does not exist yet its folder's resolved path and its name.
std::string identityOf(const std::string& path) {
    if (path == "-")
        return "-";
    const auto target = FollowLinks(path);
    const std::string file = target ? *target : path;
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0)
        return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    const auto [folder, name] = splitFolder(file);
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved))
        return std::string(resolved) + "/" + name;
    return file;
}

const char* describe(std::optional<FileKind> kind) {
    return kind ? FileKindName(*kind) : "neither a tile set nor a map";
}

// An open folder, locked until it is closed.
struct LockedFolder {
    dev_t device;
    ino_t inode;
    int fd;
};

} // namespace

void OutputSet::AddInput(const std::string& path, std::optional<FileKind> kind) {
    if (path.empty())
        return;
    inputs_.push_back({path, identityOf(path), kind});
}

Result<AtomicFile*> OutputSet::Add(const std::string& path, const OutputRules& rules) {
    namesClash_ = true;
    const std::string identity = identityOf(path);
    for (const Named& output : outputs_)
        if (output.identity == identity)
            return Fail(path + " is named for two outputs (" + output.path + ")");
    for (const Named& input : inputs_)
        if (input.identity == identity && !(rules.rewritesInput && input.kind == rules.kind))
            return Fail(path + " is the input " + input.path +
                        "; writing it would replace what this command reads");
    if (path == "-") {
        if (!rules.toStandardOutput)
            return Fail("this output cannot go to the standard output (-)");
        if (rules.binary && ::isatty(STDOUT_FILENO))
            return Fail("binary output is not written to a terminal: redirect the standard "
                        "output or name a file");
        namesClash_ = false;
        outputs_.push_back({path, identity, rules.kind});
        return &files_.emplace_back(AtomicFile::StandardOutput());
    }
    if (const auto named = FileKindFromExtension(path); named && named != rules.kind)
        return Fail(path + " is named as a " + FileKindName(*named) + ", but the output is " +
                    (rules.kind ? std::string("a ") : std::string()) + describe(rules.kind));
    namesClash_ = false;
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail("cannot write " + path + ": " + file.error());
    outputs_.push_back({path, identity, rules.kind});
    return &files_.emplace_back(std::move(*file));
}

Status OutputSet::Commit() {
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (const Status finished = files_[i].Finish(); !finished) {
            for (AtomicFile& file : files_)
                file.Abandon();
            return Fail("cannot write " + outputs_[i].path + ": " + finished.error());
        }
    // Folders in one order for every run, so that two runs never wait for each other.
    std::vector<LockedFolder> folders;
    for (const AtomicFile& file : files_) {
        if (file.targetPath() == "-")
            continue;
        const int fd = ::open(splitFolder(file.targetPath()).first.c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0) {
            if (fd >= 0)
                ::close(fd);
            continue;
        }
        const bool seen = std::any_of(folders.begin(), folders.end(), [&](const LockedFolder& f) {
            return f.device == info.st_dev && f.inode == info.st_ino;
        });
        if (seen)
            ::close(fd);
        else
            folders.push_back({info.st_dev, info.st_ino, fd});
    }
    std::sort(folders.begin(), folders.end(), [](const LockedFolder& a, const LockedFolder& b) {
        return std::pair(a.device, a.inode) < std::pair(b.device, b.inode);
    });
    for (const LockedFolder& folder : folders)
        ::flock(folder.fd, LOCK_EX);
    Status result;
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (const Status replaced = files_[i].Replace(); !replaced && result)
            result = Fail("cannot write " + outputs_[i].path + ": " + replaced.error());
    for (const LockedFolder& folder : folders)
        ::close(folder.fd);
    return result;
}

std::vector<std::string> OutputSet::targets() const {
    std::vector<std::string> paths;
    for (const Named& output : outputs_)
        paths.push_back(output.path);
    return paths;
}

} // namespace tessivar
