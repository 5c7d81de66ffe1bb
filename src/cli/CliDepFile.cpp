#include "cli/CliDepFile.h"

#include "core/interchange/DepFile.h"

namespace tessivar::cli {

namespace {

Dependencies& noted() {
    static Dependencies dependencies;
    return dependencies;
}

} // namespace

Result<std::optional<DepFileRequest>> TakeDepFileOptions(std::vector<std::string>& args) {
    const std::string option = "--depfile";
    std::optional<std::string> path;
    bool phony = false;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") { // everything after it is a name, never an option
            rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        if (arg == option + "-phony") {
            if (phony)
                return Fail(arg + " given twice");
            phony = true;
            continue;
        }
        const bool joined = arg.starts_with(option + "=");
        if (arg != option && !joined) {
            rest.push_back(arg);
            continue;
        }
        if (path)
            return Fail(option + " given twice");
        if (!joined && i + 1 >= args.size())
            return Fail(option + " needs a value");
        path = joined ? arg.substr(option.size() + 1) : args[++i];
        if (path->empty())
            return Fail(option + " needs a value");
    }
    if (phony && !path)
        return Fail("--depfile-phony needs --depfile FILE");
    args = std::move(rest);
    if (!path)
        return std::optional<DepFileRequest>();
    return std::optional(DepFileRequest{*path, phony});
}

void NoteInputFile(const std::string& path) {
    noted().inputs.push_back(path);
}

void NoteOutputFile(const std::string& path) {
    noted().targets.push_back(path);
}

int Written(const std::string& path) {
    NoteOutputFile(path);
    return 0;
}

Status WriteDepFileOfRun(const DepFileRequest& request) {
    const Status written = WriteDepFile(request.path, noted(), request.phony);
    return written ? written : Fail("cannot write " + request.path + ": " + written.error());
}

} // namespace tessivar::cli
