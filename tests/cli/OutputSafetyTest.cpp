// What every command that writes does with outputs it must not write: the command line
// is refused (status 2) or the write fails (status 1), and every file stays as it was.

#include "CliRunner.h"

#include "core/files/MapFile.h"
#include "core/files/TileBinary.h"
#include "core/files/TileSetFile.h"
#include "core/picture/BitmapWriter.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <thread>

namespace tessivar {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A command with its inputs; "OUT" and "OUT2" stand for its outputs.
struct Command {
    std::vector<std::string> args;
    bool tileSetOutput;  // the first output is a tile set file
    std::string foreign; // an input the first output may not replace
    bool twoOutputs;     // OUT2 is a map output
};

const Command kCommands[] = {
    {{"upgrade", "set.vxt", "OUT"}, true, "", false},
    {{"decode", "photo.jpg", "-o", "OUT"}, false, "photo.jpg", false},
    {{"render-map", "level.vxm", "-o", "OUT", "--tileset", "set.vxt"}, false, "level.vxm", false},
    {{"export-tiles", "set.vxt", "-o", "OUT"}, false, "set.vxt", false},
    {{"export-map", "level.vxm", "-o", "OUT"}, false, "level.vxm", false},
    {{"export-binary", "set.vxt", "-o", "OUT"}, false, "set.vxt", false},
    {{"export-sheet", "set.vxt", "-o", "OUT"}, false, "set.vxt", false},
    {{"export-tmx", "level.vxm", "-o", "OUT", "--tileset", "set.vxt"}, false, "level.vxm", false},
    {{"import-binary", "set.vxt", "tiles.bin", "-o", "OUT"}, true, "tiles.bin", false},
    {{"import", "photo.bmp", "-o", "OUT", "--map", "OUT2"}, true, "photo.bmp", true},
    {{"optimize", "set.vxt", "-o", "OUT", "--map", "level.vxm", "--map-out", "OUT2"},
     true,
     "level.vxm",
     true},
};

enum class Target { Link, Twin, OtherKind, Fifo, ReadOnly, SizeLimit, LongMapPath };

struct Case {
    const char* name;
    Target target;
    int status;
    const char* message;
};

const Case kCases[] = {
    {"an input through a link", Target::Link, 2, "is the input"},
    {"both outputs, spelt apart", Target::Twin, 2, "named for two outputs"},
    {"a name of the other kind", Target::OtherKind, 2, "is named as a"},
    {"a FIFO", Target::Fifo, 1, "not a regular file"},
    {"a write-protected file", Target::ReadOnly, 1, "write-protected"},
    {"a full disk", Target::SizeLimit, 1, "File too large"},
    {"a map path too long to store", Target::LongMapPath, 1, "can store at most 255"},
};

class OutputSafety : public Cli {
protected:
    void SetUp() override {
        // Every output is larger than the 8 blocks of the file-size limit below.
        const TileSet set = SampleTileSet(kMaxTiles, 1);
        write("set.vxt", SerializeTileSet(set, "").value());
        write("level.vxm", BuildMapImage("VX02", SampleGrid(40, 30)));
        write("tiles.bin", SerializeTileBinary(set));
        write("photo.bmp", *EncodeBitmap24(96, 64, [](int row, std::span<std::uint8_t> bgr) {
                  for (std::size_t i = 0; i < bgr.size(); ++i)
                      bgr[i] = static_cast<std::uint8_t>(
                          (i * 40 + static_cast<std::size_t>(row) * 90) ^ (i * i / 7));
              }));
        haveJpeg_ = std::system(("cjpeg -outfile " + quoted(dir.file("photo.jpg")) + " " +
                                 quoted(dir.file("photo.bmp")) + " 2>/dev/null")
                                    .c_str()) == 0;
        fs::create_directory(dir.file("sub"));
    }
    // Every file of the folder with its mode and a digest of its contents, but the
    // runner's own.
    std::map<std::string, std::string> snapshot() {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            if (name == "stderr.txt")
                continue;
            struct stat info {};
            ::lstat(entry.path().c_str(), &info);
            std::string digest = std::to_string(info.st_mode);
            if (S_ISREG(info.st_mode)) {
                const Bytes bytes = ReadBytes(entry.path().string());
                digest += " " + std::to_string(bytes.size()) + " " +
                          std::to_string(std::hash<std::string_view>()(std::string_view(
                              reinterpret_cast<const char*>(bytes.data()), bytes.size())));
            }
            files[name] = digest;
        }
        return files;
    }

    bool haveJpeg_ = false;
};

TEST_F(OutputSafety, EveryCommandRefusesOutputsItMustNotWriteAndChangesNothing) {
    for (const Command& command : kCommands) {
        if (command.args[0] == "decode" && !haveJpeg_)
            continue;
        for (const Case& c : kCases) {
            // The sample set's sheet compresses to less than the file-size limit.
            if ((c.target == Target::Link && command.foreign.empty()) ||
                ((c.target == Target::Twin || c.target == Target::LongMapPath) &&
                 !command.twoOutputs) ||
                (c.target == Target::SizeLimit && command.args[0] == "export-sheet"))
                continue;
            SCOPED_TRACE(command.args[0] + ": " + c.name);
            std::string out = dir.file(command.tileSetOutput ? "out.vxt" : "out.dat");
            std::string out2 = dir.file("out.vxm");
            std::string shell;
            switch (c.target) {
            case Target::Link:
                out = dir.file("alias");
                fs::create_symlink(dir.file(command.foreign), out);
                break;
            case Target::Twin:
                out = dir.file("both");
                out2 = dir.file("sub/../both");
                break;
            case Target::OtherKind:
                out = dir.file(command.tileSetOutput ? "out.vxm" : "out.vxt");
                out2 = dir.file("out2.vxt");
                break;
            case Target::Fifo:
                ASSERT_EQ(0, ::mkfifo(out.c_str(), 0644));
                break;
            case Target::ReadOnly:
                write(fs::path(out).filename().string(), {1, 2, 3});
                fs::permissions(out, fs::perms::owner_read | fs::perms::group_read);
                break;
            case Target::SizeLimit:
                write(fs::path(out).filename().string(), {1, 2, 3});
                write("out.vxm", {4, 5, 6});
                shell = "ulimit -f 8; ";
                break;
            case Target::LongMapPath: {
                const std::string deep = std::string(150, 'd') + "/" + std::string(150, 'e');
                fs::create_directories(dir.file(deep));
                out2 = write(deep + "/long.vxm", {4, 5, 6});
                break;
            }
            }
            std::vector<std::string> args;
            for (const std::string& arg : command.args)
                args.push_back(arg == "OUT"                ? out
                               : arg == "OUT2"             ? out2
                               : fs::exists(dir.file(arg)) ? dir.file(arg)
                                                           : arg);
            const auto before = snapshot();
            const auto r = run(args, shell);
            EXPECT_EQ(c.status, r.status) << r.err;
            EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
            if (c.target == Target::OtherKind) { // the name's kind and the output's, told apart
                EXPECT_TRUE(r.err.find(".vxm is named as a map,") != std::string::npos ||
                            r.err.find(".vxt is named as a tile set,") != std::string::npos)
                    << r.err;
            }
            EXPECT_EQ(before, snapshot());
            for (const std::string& path : {out, out2, dir.file("alias"), dir.file("both")})
                fs::remove(path);
        }
    }
}

TEST_F(OutputSafety, RewritingTheInputInPlaceIsAllowed) {
    const auto set = dir.file("set.vxt");
    const auto map = dir.file("level.vxm");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"upgrade", set, set},
             {"optimize", set, "-o", set, "--map", map, "--map-out", map},
             {"import-binary", set, dir.file("tiles.bin"), "-o", set},
             {"import", dir.file("photo.bmp"), "--into", set, "-o", set}}) {
        const auto r = run(args);
        EXPECT_EQ(0, r.status) << args[0] << ": " << r.err;
    }
    EXPECT_EQ(7, testing::CountEntries(dir.path())); // nothing left beside the files
}

// A long picture interrupted by a signal leaves the target as it was and no file beside it.
TEST_F(OutputSafety, InterruptedRunsLeaveNoTemporaryFile) {
    write("big.vxm", BuildMapImage("VX02", SampleGrid(kMaxMapSide, kMaxMapSide)));
    // The bitmap of the largest map is 805 MB: far longer to write than the wait below.
    const std::string target = write("big.bmp", {9, 9, 9});
    const std::string command = quoted(TESSIVAR_CLI) + " render-map " +
                                quoted(dir.file("big.vxm")) + " -o " + quoted(target) +
                                " --tileset " + quoted(dir.file("set.vxt")) + " 2>/dev/null";
    // (A background job of a shell ignores SIGINT, and so does the tool then.)
    for (const int signal : {SIGTERM, SIGHUP, SIGKILL}) {
        SCOPED_TRACE(signal);
        const auto before = snapshot();
        const std::string shell =
            command + " & sleep 0.15; kill -" + std::to_string(signal) + " $!; wait $!; exit $?";
        const int raw = std::system(shell.c_str());
        EXPECT_EQ(128 + signal, WEXITSTATUS(raw));
        EXPECT_EQ(before, snapshot());
    }
}

// Two runs writing the same pair of files at once: the files are always one run's pair.
TEST_F(OutputSafety, ParallelRunsReplaceWholePairs) {
    std::vector<std::string> commands;
    std::vector<std::pair<Bytes, Bytes>> pairs;
    for (int run = 0; run < 2; ++run) {
        const std::string name = std::to_string(run);
        write(name + ".vxt", SerializeTileSet(SampleTileSet(6 + run, 1, run + 5), "").value());
        write(name + ".vxm", BuildMapImage("VX02", SampleGrid(60, 40 + run)));
        commands.push_back(quoted(TESSIVAR_CLI) + " optimize " + quoted(dir.file(name + ".vxt")) +
                           " -o " + quoted(dir.file("out.vxt")) + " --map " +
                           quoted(dir.file(name + ".vxm")) + " --map-out " +
                           quoted(dir.file("out.vxm")) + " >/dev/null");
        ASSERT_EQ(0, std::system(commands.back().c_str()));
        pairs.emplace_back(ReadBytes(dir.file("out.vxt")), ReadBytes(dir.file("out.vxm")));
    }
    ASSERT_NE(pairs[0], pairs[1]);
    const std::string both = commands[0] + " & " + commands[1] + " & wait";
    for (int round = 0; round < 25; ++round) {
        ASSERT_EQ(0, std::system(both.c_str()));
        const auto pair = std::pair(ReadBytes(dir.file("out.vxt")), ReadBytes(dir.file("out.vxm")));
        EXPECT_TRUE(pair == pairs[0] || pair == pairs[1]) << "round " << round;
    }
}

} // namespace
} // namespace tessivar
