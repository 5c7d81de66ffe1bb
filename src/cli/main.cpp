// tessivar-cli: the headless front end for Makefiles and build pipelines.

#include "cli/CliDepFile.h"
#include "cli/CommandTable.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using tessivar::cli::CommandSpec;
using tessivar::cli::FindCommand;

int UnknownCommand(const std::string& name) {
    std::fprintf(stderr, "tessivar-cli: unknown command '%s'\n\n%s", name.c_str(),
                 tessivar::cli::ProgramHelp().c_str());
    return 2;
}

int RunCommand(const CommandSpec& command, const std::vector<std::string>& args) {
    const auto parsed = tessivar::cli::ParseArguments(args, command);
    if (!parsed)
        return tessivar::cli::ReportUsage(parsed.error(), command);
    if (parsed->Help) {
        std::fputs(tessivar::cli::CommandHelp(command).c_str(), stdout);
        return 0;
    }
    if (parsed->Has("--depfile-phony") && !parsed->Has("--depfile"))
        return tessivar::cli::ReportUsage("--depfile-phony needs --depfile FILE", command);
    const int status = command.Run(*parsed);
    return status == 0 ? tessivar::cli::WriteRequestedDepFile(*parsed) : status;
}

// Every byte for the standard output and error has to arrive: a failed write (a full
// disk, a closed file) turns a success into status 1.
int CheckedExit(int status) {
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

int Run(const std::vector<std::string>& args);

} // namespace

int main(int argc, char** argv) {
    return CheckedExit(Run({argv + 1, argv + argc}));
}

namespace {

int Run(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fputs(tessivar::cli::ProgramHelp().c_str(), stderr);
        return 2;
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || (first == "help" && args.size() == 1)) {
        std::fputs(tessivar::cli::ProgramHelp().c_str(), stdout);
        return 0;
    }
    if (first == "--version") {
        std::puts(tessivar::cli::VersionLine().c_str());
        return 0;
    }
    if (first == "help") {
        const CommandSpec* command = FindCommand(args[1]);
        if (!command || args.size() > 2)
            return command ? tessivar::cli::ReportUsage("help takes one command", *command)
                           : UnknownCommand(args[1]);
        std::fputs(tessivar::cli::CommandHelp(*command).c_str(), stdout);
        return 0;
    }
    const CommandSpec* command = FindCommand(first);
    return command ? RunCommand(*command, {args.begin() + 1, args.end()}) : UnknownCommand(first);
}

} // namespace
