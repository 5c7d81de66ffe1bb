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

std::pair<std::string, std::string> SplitFolder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The same text for two names of one file: its device and inode, or for a file that
// does not exist yet its folder's resolved path and its name.
std::string IdentityOf(const std::string& path) {
    if (path == "-")
        return "-";
    const auto target = FollowLinks(path);
    const std::string file = target ? *target : path;
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0)
        return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    const auto [folder, name] = SplitFolder(file);
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved))
        return std::string(resolved) + "/" + name;
    return file;
}

const char* Describe(std::optional<FileKind> kind) {
    return kind ? FileKindName(*kind) : "neither a tile set nor a map";
}

// An open folder, locked until it is closed.
struct LockedFolder {
    dev_t Device;
    ino_t Inode;
    int Fd;
};

} // namespace

void OutputSet::AddInput(const std::string& path, std::optional<FileKind> kind) {
    if (path.empty())
        return;
    inputs_.push_back({path, IdentityOf(path), kind});
}

Result<AtomicFile*> OutputSet::Add(const std::string& path, const OutputRules& rules) {
    namesClash_ = true;
    const std::string identity = IdentityOf(path);
    for (const Named& output : outputs_)
        if (output.Identity == identity)
            return Fail(path + " is named for two outputs (" + output.Path + ")");
    for (const Named& input : inputs_)
        if (input.Identity == identity && !(rules.RewritesInput && input.Kind == rules.Kind))
            return Fail(path + " is the input " + input.Path +
                        "; writing it would replace what this command reads");
    if (path == "-") {
        if (!rules.ToStandardOutput)
            return Fail("this output cannot go to the standard output (-)");
        if (rules.Binary && ::isatty(STDOUT_FILENO))
            return Fail("binary output is not written to a terminal: redirect the standard "
                        "output or name a file");
        namesClash_ = false;
        outputs_.push_back({path, identity, rules.Kind});
        return &files_.emplace_back(AtomicFile::StandardOutput());
    }
    if (const auto named = FileKindFromExtension(path); named && named != rules.Kind)
        return Fail(path + " is named as a " + FileKindName(*named) + ", but the output is " +
                    (rules.Kind ? std::string("a ") : std::string()) + Describe(rules.Kind));
    namesClash_ = false;
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail("cannot write " + path + ": " + file.error());
    outputs_.push_back({path, identity, rules.Kind});
    return &files_.emplace_back(std::move(*file));
}

Status OutputSet::Commit() {
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (const Status finished = files_[i].Finish(); !finished) {
            for (AtomicFile& file : files_)
                file.Abandon();
            return Fail("cannot write " + outputs_[i].Path + ": " + finished.error());
        }
    // Folders in one order for every run, so that two runs never wait for each other.
    std::vector<LockedFolder> folders;
    for (const AtomicFile& file : files_) {
        if (file.TargetPath() == "-")
            continue;
        const int fd = ::open(SplitFolder(file.TargetPath()).first.c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0) {
            if (fd >= 0)
                ::close(fd);
            continue;
        }
        const bool seen = std::any_of(folders.begin(), folders.end(), [&](const LockedFolder& f) {
            return f.Device == info.st_dev && f.Inode == info.st_ino;
        });
        if (seen)
            ::close(fd);
        else
            folders.push_back({info.st_dev, info.st_ino, fd});
    }
    std::sort(folders.begin(), folders.end(), [](const LockedFolder& a, const LockedFolder& b) {
        return std::pair(a.Device, a.Inode) < std::pair(b.Device, b.Inode);
    });
    for (const LockedFolder& folder : folders)
        ::flock(folder.Fd, LOCK_EX);
    Status result;
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (const Status replaced = files_[i].Replace(); !replaced && result)
            result = Fail("cannot write " + outputs_[i].Path + ": " + replaced.error());
    for (const LockedFolder& folder : folders)
        ::close(folder.Fd);
    return result;
}

std::vector<std::string> OutputSet::Targets() const {
    std::vector<std::string> paths;
    for (const Named& output : outputs_)
        paths.push_back(output.Path);
    return paths;
}

} // namespace tessivar
