// tessivar-cli: the headless front end for Makefiles and build pipelines.

#include "cli/CliCommands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: tessivar-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  info FILE [--json]       describe a tile set (.vxt) or map (.vxm) file\n"
    "  upgrade IN OUT           rewrite an older tile set or map in the current version\n"
    "  decode IN.jpg -o OUT.bmp decode a JPEG picture into a 24-bit bitmap\n"
    "  import PICTURE -o OUT.vxt cut a picture into Tiles (and a map with --map OUT.vxm)\n"
    "  optimize SET.vxt -o OUT.vxt  remove duplicate Tiles (renumbering --map into --map-out)\n"
    "\n"
    "Options:\n"
    "  --help                   show this text\n"
    "  --version                show the program's version\n";

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

constexpr Command kCommands[] = {
    {"info", tessivar::cli::RunInfo},         {"upgrade", tessivar::cli::RunUpgrade},
    {"decode", tessivar::cli::RunDecode},     {"import", tessivar::cli::RunImport},
    {"optimize", tessivar::cli::RunOptimize},
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == "--version") {
        std::puts("tessivar-cli 1.1");
        return 0;
    }
    for (const auto& command : kCommands) {
        if (first == command.name)
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "tessivar-cli: unknown command '%s'\n\n%s", first.c_str(), kUsage);
    return 2;
}
