// The one rule for finding the file a tile set or map names.

#include "core/files/LinkedFiles.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessivar {
namespace {

namespace fs = std::filesystem;

TEST(ResolveLinkedPath, StoredPathFirstThenBesideTheNamingFile) {
    testing::TempDir dir;
    fs::create_directories(dir.path() / "work");
    fs::create_directories(dir.path() / "data" / "gfx");
    for (const char* name : {"work/both.vxt", "data/both.vxt", "data/gfx/t.vxt", "data/near.vxt"})
        testing::WriteBytes(dir.file(name), {1});
    const fs::path before = fs::current_path();
    fs::current_path(dir.path() / "work"); // the folder the program was started in
    const std::string naming = dir.file("data/m.vxm");
    const std::string absent = dir.file("absent.vxt");
    const struct {
        std::string stored, expected;
    } rows[] = {
        {"both.vxt", "both.vxt"}, // found as stored wins over the naming file's folder
        {"near.vxt", dir.file("data/near.vxt")},
        {"gfx/t.vxt", dir.file("data/gfx/t.vxt")},
        {"../data/near.vxt", "../data/near.vxt"},
        {"missing.vxt", "missing.vxt"},
        {absent, absent},
        {"", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, ResolveLinkedPath(row.stored, naming)) << row.stored;
    fs::current_path(before);
}

} // namespace
} // namespace tessivar
