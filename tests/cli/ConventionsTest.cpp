// The command-line conventions every command follows, as one table over the commands,
// run against the built tool: help, --name=value, -- before file names that start with
// '-', and the assembler number forms.

#include "CliRunner.h"

#include <filesystem>
#include <map>
#include <sstream>

namespace tessivar {
namespace {

struct CommandRow {
    std::vector<std::string> options; // "-o" and "--name" each followed by a value
    std::vector<std::string> operands;
};

// Every command, run on inputs whose names start with '-'; "OUT" is the output.
const std::map<std::string, CommandRow> kCommands = {
    {"info", {{"--kind", "tileset", "--json"}, {"-set.vxt"}}},
    {"upgrade", {{"-o", "OUT"}, {"-set.vxt"}}},
    {"decode", {{"-o", "OUT"}, {"-grey.jpg"}}},
    {"render-map", {{"-o", "OUT", "--tileset", "-set.vxt"}, {"-level.vxm"}}},
    {"export-tiles", {{"-o", "OUT", "--dialect", "68k", "--blocks", "2-5"}, {"-set.vxt"}}},
    {"export-map", {{"-o", "OUT", "--offset", "3", "--block", "8x16"}, {"-level.vxm"}}},
    {"export-binary", {{"-o", "OUT", "--block", "16x16"}, {"-set.vxt"}}},
    {"import-binary", {{"-o", "OUT", "--at", "4"}, {"-set.vxt", "-tiles.bin"}}},
    {"import", {{"-o", "OUT", "--map-out", "-map.vxm", "--size", "24x16"}, {"-grey.jpg"}}},
    {"optimize", {{"-o", "OUT", "--map", "-level.vxm", "--map-out", "-map.vxm"}, {"-set.vxt"}}},
    {"export-tmx", {{"-o", "OUT", "--tileset", "-set.vxt", "--depfile", "OUT.d"}, {"-level.vxm"}}},
};

class Conventions : public Cli {
protected:
    void SetUp() override {
        write("-set.vxt", BuildTileSetImage("VX03", SampleTileSet(32)));
        write("-level.vxm", BuildMapImage("VX02", SampleGrid(6, 4, false), "-set.vxt"));
        write("-tiles.bin", std::vector<std::uint8_t>(3 * 16, 0x5A));
        std::filesystem::copy_file(std::string(TESSIVAR_SOURCE_DIR) +
                                       "/fuzz/corpus/jpeg_fuzzer/grey.jpg",
                                   dir.file("-grey.jpg"));
    }

    // The command's standard output followed by what it wrote to OUT, or the error
    // output when it failed.
    std::string result(const std::string& command, const std::vector<std::string>& options,
                       const std::vector<std::string>& tail) {
        std::filesystem::remove(dir.file("OUT"));
        std::vector<std::string> args = {command};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), tail.begin(), tail.end());
        const CliRun r = run(args);
        if (r.status != 0)
            return "status " + std::to_string(r.status) + ": " + r.err;
        const auto written = ReadBytes(dir.file("OUT"));
        return r.out + std::string(written.begin(), written.end());
    }
};

TEST_F(Conventions, EveryCommandFollowsThem) {
    const std::string programHelp = run({"--help"}).out;
    for (const auto& [command, row] : kCommands) {
        SCOPED_TRACE(command);
        std::vector<std::string> operands = {"--"};
        operands.insert(operands.end(), row.operands.begin(), row.operands.end());
        const std::string expected = result(command, row.options, operands);
        EXPECT_EQ(std::string::npos, expected.find("status ")) << expected;

        // --name=value and --output for -o.
        std::vector<std::string> joined;
        for (std::size_t i = 0; i < row.options.size(); ++i) {
            const bool valued = i + 1 < row.options.size() && row.options[i + 1][0] != '-';
            const std::string name = row.options[i] == "-o" ? "--output" : row.options[i];
            joined.push_back(valued ? name + "=" + row.options[++i] : name);
        }
        EXPECT_EQ(expected, result(command, joined, operands));

        // Without --, a name starting with '-' is taken for an option.
        const std::string refused = result(command, row.options, row.operands);
        EXPECT_EQ(0u, refused.find("status 2: tessivar-cli: unknown option " + row.operands[0]))
            << refused;

        // Without its output (or its one operand) a command is a usage error.
        const bool writes = row.options[0] == "-o";
        const std::vector<std::string> noOutput(row.options.begin() + 2, row.options.end());
        EXPECT_EQ(0u, result(command, writes ? noOutput : row.options,
                             writes ? operands : std::vector<std::string>{"--"})
                          .find("status 2: tessivar-cli: "));

        const CliRun help = run({"help", command});
        EXPECT_EQ(0, help.status);
        EXPECT_EQ(0u, help.out.find("usage: tessivar-cli " + command + " ")) << help.out;
        for (const std::string& option : row.options)
            EXPECT_TRUE(!(option.starts_with("--") || option == "-o") ||
                        help.out.find(option + " ") != std::string::npos)
                << option;
        EXPECT_EQ(help.out, result(command, {"--help"}, {}));
        EXPECT_EQ(help.out, result(command, row.options, {"-h", "--frobnicate"}));
        EXPECT_NE(std::string::npos, programHelp.find("\n  " + command + " ")) << programHelp;
    }
}

TEST_F(Conventions, NumbersTakeTheAssemblerForms) {
    const std::pair<std::string, std::vector<std::string>> uses[] = {
        {"export-map", {"-o", "OUT", "--offset", "N", "--", "-level.vxm"}},
        {"export-tiles", {"-o", "OUT", "--blocks", "1-N", "--", "-set.vxt"}},
        {"import-binary", {"-o", "OUT", "--at", "N", "--", "-set.vxt", "-tiles.bin"}},
        {"import", {"-o", "OUT", "--at", "N", "--", "-grey.jpg"}},
    };
    for (const auto& [command, pattern] : uses) {
        SCOPED_TRACE(command);
        const auto with = [&](const std::string& number) {
            auto args = pattern;
            for (auto& arg : args)
                if (arg.ends_with("N"))
                    arg = arg.substr(0, arg.size() - 1) + number;
            return result(command, args, {});
        };
        const std::string decimal = with("10");
        EXPECT_EQ(std::string::npos, decimal.find("status ")) << decimal;
        EXPECT_NE(decimal, with("11"));
        for (const char* same : {"0xA", "0X0a", "$a", "%1010", "%01010"})
            EXPECT_EQ(decimal, with(same)) << same;
        for (const char* bad : {"0x", "$", "%", "%102", "0xG", "+10", "$-1", "10h", "0b1010"})
            EXPECT_EQ("status 2", with(bad).substr(0, 8)) << bad;
    }
}

// The manual page is written from the same table as the help: every command and every
// option the help shows is in it.
TEST_F(Conventions, TheManualPageHasEveryCommandAndOption) {
    const auto bytes = ReadBytes(TESSIVAR_CLI_MAN);
    const std::string page(bytes.begin(), bytes.end());
    const auto roff = [](const std::string& text) {
        std::string escaped;
        for (char c : text)
            escaped += c == '-' ? std::string("\\-") : std::string(1, c);
        return escaped;
    };
    for (const auto& [command, row] : kCommands) {
        EXPECT_NE(std::string::npos, page.find(".SS \"" + roff(command) + " ")) << command;
        std::istringstream help(run({"help", command}).out);
        for (std::string line; std::getline(help, line);) {
            if (!line.starts_with("  -"))
                continue;
            const std::string option = line.substr(2, line.find_first_of(", ", 2) - 2);
            EXPECT_NE(std::string::npos, page.find("\\fB" + roff(option))) << option;
        }
    }
    EXPECT_EQ(testing::ReadDataText("cli/help-import-binary.txt"),
              run({"help", "import-binary"}).out);
}

} // namespace
} // namespace tessivar
