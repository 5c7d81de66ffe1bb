#include "cli/CliDepFile.h"

#include "cli/CliArgs.h"

#include "core/interchange/DepFile.h"

namespace tessivar::cli {

namespace {

Dependencies& Noted() {
    static Dependencies dependencies;
    return dependencies;
}

} // namespace

void NoteInputFile(const std::string& path) {
    Noted().Inputs.push_back(path);
}

void NoteOutputFile(const std::string& path) {
    Noted().Targets.push_back(path);
}

int Written(const std::string& path) {
    NoteOutputFile(path);
    return 0;
}

int WriteRequestedDepFile(const Arguments& args) {
    const std::string* path = args.Find("--depfile");
    if (!path)
        return 0;
    const Status written = WriteDepFile(*path, Noted(), args.Has("--depfile-phony"));
    return written ? 0 : ReportError("cannot write " + *path + ": " + written.error());
}

} // namespace tessivar::cli
