#pragma once

// Runs tessivar-cli as a separate process in a temporary folder, on files there.

#include "../core/files/TestFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace tessivar {

using testing::BuildMapImage;
using testing::BuildTileSetImage;
using testing::ReadBytes;
using testing::SampleGrid;
using testing::SampleTileSet;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

class Cli : public ::testing::Test {
protected:
    // `shell` runs first in the same shell (a file-size limit, say); the error output
    // then comes through the pipe with the standard output, as no file may grow.
    CliRun run(const std::vector<std::string>& args, const std::string& shell = "") {
        // Relative names are files of the temporary folder.
        std::string command = "cd " + quoted(dir.path().string()) + " && " + quoted(TESSIVAR_CLI);
        for (const auto& arg : args)
            command += " " + quoted(arg);
        const std::string errPath = dir.file("stderr.txt");
        command =
            shell.empty() ? command + " 2>" + quoted(errPath) : "{ " + shell + command + "; } 2>&1";
        CliRun result;
        std::FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe)
            return result;
        std::array<char, 4096> buffer{};
        std::size_t got;
        while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            result.out.append(buffer.data(), got);
        const int raw = ::pclose(pipe);
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        const auto err = testing::ReadBytes(errPath);
        result.err = shell.empty() ? std::string(err.begin(), err.end()) : result.out;
        return result;
    }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir.file(name);
        testing::WriteBytes(path, bytes);
        return path;
    }

    testing::TempDir dir;
};

} // namespace tessivar
