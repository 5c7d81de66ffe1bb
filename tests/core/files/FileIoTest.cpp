#include "core/files/FileIo.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(SaveFileAtomically, ReplacesTheTargetAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string target = dir.file("set.vxt");
    WriteBytes(target, {1, 2, 3});
    const std::vector<std::uint8_t> data{9, 8, 7, 6};
    EXPECT_EQ("", SaveFileAtomically(target, data));
    EXPECT_EQ(data, ReadBytes(target));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(1, entries);
}

TEST(SaveFileAtomically, ReplacedFileKeepsItsPermissions) {
    TempDir dir;
    const std::string target = dir.file("private.vxm");
    WriteBytes(target, {1});
    namespace fs = std::filesystem;
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ("", SaveFileAtomically(target, {2, 3}));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write,
              fs::status(target).permissions() & fs::perms::all);
}

TEST(SaveFileAtomically, SavingThroughALinkReplacesTheFileItPointsAt) {
    TempDir dir;
    const std::string real = dir.file("real.vxt");
    const std::string link = dir.file("link.vxt");
    WriteBytes(real, {1});
    std::filesystem::create_symlink(real, link);
    ASSERT_EQ("", SaveFileAtomically(link, {4, 5}));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ((std::vector<std::uint8_t>{4, 5}), ReadBytes(real));
}

TEST(SaveFileAtomically, FailuresNameTheReasonAndKeepTheOldFile) {
    TempDir dir;
    WriteBytes(dir.file("plain"), {5});
    struct Case {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"missing folder", dir.file("no/such/folder/set.vxt")},
        {"parent is a file", dir.file("plain/set.vxt")},
        {"target is a folder", dir.path().string()},
        {"empty path", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NE("", SaveFileAtomically(c.path, {1, 2}));
    }
    EXPECT_EQ(std::vector<std::uint8_t>{5}, ReadBytes(dir.file("plain")));
}

TEST(ReadWholeFile, MissingFilesAndFoldersReadAsNothing) {
    TempDir dir;
    EXPECT_FALSE(ReadWholeFile(dir.file("absent")).has_value());
    EXPECT_FALSE(ReadWholeFile(dir.path().string()).has_value());
    WriteBytes(dir.file("empty"), {});
    ASSERT_TRUE(ReadWholeFile(dir.file("empty")).has_value());
    EXPECT_TRUE(ReadWholeFile(dir.file("empty"))->empty());
}

TEST(BaseNameWithoutExtension, DropsFolderAndExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/any/dir/level1.vxt", "level1"},
        {"level1.vxt", "level1"},
        {"a/b.c.vxm", "b.c"},
        {"noext", "noext"},
        {"dir.d/file", "file"},
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(name, BaseNameWithoutExtension(path)) << path;
}

} // namespace
} // namespace tessivar
