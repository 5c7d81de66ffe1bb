// tessivar-cli: the headless front end for Makefiles and build pipelines.

#include "cli/CliCommands.h"

#include <cerrno>
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
    "    --tiles --json         also list each Tile's palettes and information values\n"
    "  upgrade IN OUT           rewrite an older tile set or map in the current version\n"
    "  decode IN.jpg -o OUT.bmp decode a JPEG picture into a 24-bit bitmap\n"
    "  render-map MAP.vxm -o OUT.bmp [--tileset SET.vxt] [--kind map]\n"
    "                           write the map as a picture, 8 x 8 pixels a cell\n"
    "                           (OUT.png writes a PNG picture)\n"
    "  export-tiles SET.vxt -o OUT.asm [--dialect z80|68k] [--preset bw|gray|bw-anim|gray-anim]\n"
    "               [--format FORMAT.json] [--block WxH] [--blocks FROM-TO]\n"
    "                           write the Blocks of a tile set as assembler source\n"
    "  export-map MAP.vxm -o OUT.asm [--dialect z80|68k] [--format FORMAT.json] [--offset N]\n"
    "               [--block WxH] [--tileset SET.vxt]\n"
    "                           write a map as assembler source\n"
    "  export-binary SET.vxt -o OUT.bin [--block WxH]\n"
    "                           write the Blocks as raw bit planes\n"
    "  import-binary SET.vxt IN.bin -o OUT.vxt [--at TILE]\n"
    "                           read 16-byte Tiles into a copy of a tile set\n"
    "  import PICTURE -o OUT.vxt cut a picture into Tiles (and a map with --map OUT.vxm)\n"
    "  optimize SET.vxt -o OUT.vxt  remove duplicate Tiles (renumbering --map into --map-out)\n"
    "\n"
    "Every command that reads a tile set or map takes --kind tileset|map for its input\n"
    "file; without it a .vxt or .vxm name decides, else the contents do.\n"
    "\n"
    "Options:\n"
    "  --help                   show this text\n"
    "  --version                show the program's version\n";

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

constexpr Command kCommands[] = {
    {"info", tessivar::cli::RunInfo},
    {"upgrade", tessivar::cli::RunUpgrade},
    {"decode", tessivar::cli::RunDecode},
    {"render-map", tessivar::cli::RunRenderMap},
    {"export-tiles", tessivar::cli::RunExportTiles},
    {"export-map", tessivar::cli::RunExportMap},
    {"export-binary", tessivar::cli::RunExportBinary},
    {"import-binary", tessivar::cli::RunImportBinary},
    {"import", tessivar::cli::RunImport},
    {"optimize", tessivar::cli::RunOptimize},
};

// Every byte for the standard output and error has to arrive: a failed write (a full
// disk, a closed file) turns a success into status 1.
int checkedExit(int status) {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tessivar-cli: cannot write the standard output: %s\n",
                     errno ? std::strerror(errno) : "write error");
        status = 1;
    }
    if (std::fflush(stderr) != 0 || std::ferror(stderr))
        status = 1;
    return status;
}

int run(int argc, char** argv);

} // namespace

int main(int argc, char** argv) {
    return checkedExit(run(argc, argv));
}

namespace {

int run(int argc, char** argv) {
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

} // namespace
