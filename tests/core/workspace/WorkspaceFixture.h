#pragma once

// A Workspace wired to scripted prompts, with a temporary folder to keep files in.

#include "core/workspace/WindowTitles.h"
#include "core/workspace/Workspace.h"

#include "../../common/ScriptedPrompts.h"
#include "../files/TestFiles.h"

#include <gtest/gtest.h>

namespace tessivar::testing {

inline constexpr const char* kTileSetQuestion = "Tile set has been modified.  Do you want to save?";
inline constexpr const char* kMapQuestion = "Map has been modified.  Do you want to save?";

class WorkspaceTest : public ::testing::Test {
protected:
    std::string writeTileSet(const std::string& name, const TileSet& set,
                             const std::string& mapPath = {}, std::string_view magic = "VX03") {
        const std::string path = dir.file(name);
        WriteBytes(path, BuildTileSetImage(magic, set, mapPath));
        return path;
    }
    std::string writeMap(const std::string& name, const MapGrid& grid,
                         const std::string& tileSetPath = {}, std::string_view magic = "VX02") {
        const std::string path = dir.file(name);
        WriteBytes(path, BuildMapImage(magic, grid, tileSetPath));
        return path;
    }

    void TearDown() override {
        EXPECT_TRUE(prompts.allAnswersUsed()) << "answers left unused";
        EXPECT_EQ(std::vector<std::string>{}, prompts.unscripted);
    }

    TempDir dir;
    ScriptedPrompts prompts;
    Workspace workspace{prompts};
};

} // namespace tessivar::testing
