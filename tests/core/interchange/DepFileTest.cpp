// Dependency files as Make reads them: names escaped, repeats dropped, phony rules.

#include "core/interchange/DepFile.h"

#include "../files/TestFiles.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

std::string golden(const std::string& name) {
    return testing::ReadDataText("depfile/" + name);
}

TEST(DepFile, NamesAreEscapedForMake) {
    const struct {
        const char* name;
        const char* escaped;
    } cases[] = {
        {"plain/level.vxm", "plain/level.vxm"},
        {"my level.vxm", "my\\ level.vxm"},
        {"tab\there", "tab\\\there"},
        {"#1.vxt", "\\#1.vxt"},
        {"$HOME.vxt", "$$HOME.vxt"},
        {"dir\\ x", "dir\\\\\\ x"},
        {"dir\\#", "dir\\\\\\#"},
        {"a\\b", "a\\b"},
        {"end\\", "end\\"},
    };
    for (const auto& c : cases) {
        const auto escaped = EscapeMakePath(c.name);
        ASSERT_TRUE(escaped.ok()) << c.name;
        EXPECT_EQ(*escaped, c.escaped) << c.name;
    }
    EXPECT_FALSE(EscapeMakePath("").ok());
    EXPECT_NE(EscapeMakePath("two\nlines").error().find("line break"), std::string::npos);
    EXPECT_FALSE(EscapeMakePath("cr\r").ok());
}

TEST(DepFile, RulesMatchTheGoldenFiles) {
    const Dependencies dependencies{
        {"out/level 1.tmx", "out/level 1-palette0.png"},
        {"maps/level 1.vxm", "tiles#2.vxt", "maps/level 1.vxm", "out/level 1.tmx", "$x.json"}};
    EXPECT_EQ(*FormatDepFile(dependencies, false), golden("level.d"));
    EXPECT_EQ(*FormatDepFile(dependencies, true), golden("level-phony.d"));
    EXPECT_EQ(*FormatDepFile({{"a.bin"}, {}}, true), "a.bin:\n");
    EXPECT_FALSE(FormatDepFile({{}, {"in.vxt"}}, false).ok());
    EXPECT_FALSE(FormatDepFile({{"out"}, {"bad\nname"}}, false).ok());
    EXPECT_FALSE(FormatDepFile({{"bad\nname"}, {"in"}}, false).ok());
}

TEST(DepFile, WrittenWholeOrNotAtAll) {
    testing::TempDir dir;
    const std::string path = dir.file("x.d");
    ASSERT_TRUE(WriteDepFile(path, {{"a b"}, {"c"}}, false).ok());
    const auto bytes = testing::ReadBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "a\\ b: c\n");
    EXPECT_FALSE(WriteDepFile(path, {{"a"}, {"b\nc"}}, false).ok());
    EXPECT_EQ(testing::ReadBytes(path), bytes);
    EXPECT_FALSE(WriteDepFile(dir.file("no/such/folder.d"), {{"a"}, {"b"}}, false).ok());
}

} // namespace
} // namespace tessivar
