#include "core/files/FileIo.h"
#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"
#include "core/files/TextWriter.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

TEST(AtomicFile, PiecesReplaceTheTargetOnlyAtCommitAndNoTemporaryFileStays) {
    TempDir dir;
    const std::string target = dir.file("set.vxt");
    WriteBytes(target, {1, 2, 3});
    const Bytes big(3 << 20, 7); // more than the write buffer holds
    {
        auto dropped = AtomicFile::Open(target);
        ASSERT_TRUE(dropped.ok());
        dropped->Write(big);
    }
    EXPECT_EQ((Bytes{1, 2, 3}), ReadBytes(target));
    EXPECT_EQ(1, testing::CountEntries(dir.path()));

    auto file = AtomicFile::Open(target);
    ASSERT_TRUE(file.ok()) << file.error();
    file->Write(std::string_view("ab"));
    file->Write(big);
    EXPECT_EQ((Bytes{1, 2, 3}), ReadBytes(target));
    // The temporary file has no name: even a killed run leaves nothing beside the target.
    EXPECT_EQ(1, testing::CountEntries(dir.path()));
    ASSERT_TRUE(file->Commit().ok());
    Bytes expected = big;
    expected.insert(expected.begin(), {'a', 'b'});
    EXPECT_EQ(expected, ReadBytes(target));
    EXPECT_EQ(1, testing::CountEntries(dir.path()));
}

TEST(AtomicFile, TextWriterEndsLinesWithCrLf) {
    TempDir dir;
    auto file = AtomicFile::Open(dir.file("out.asm"));
    ASSERT_TRUE(file.ok());
    TextWriter(*file).Line("a").Write(" .db ").Write("$00").EndLine();
    ASSERT_TRUE(file->Commit().ok());
    const std::string text = "a\r\n .db $00\r\n";
    EXPECT_EQ(Bytes(text.begin(), text.end()), ReadBytes(dir.file("out.asm")));
}

TEST(SaveFileAtomically, KeepsPermissionsAndWritesThroughLinksLiveOrDangling) {
    TempDir dir;
    const std::string target = dir.file("private.vxm");
    WriteBytes(target, {1});
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(SaveFileAtomically(target, Bytes{2, 3}).ok());
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write,
              fs::status(target).permissions() & fs::perms::all);

    fs::create_directory(dir.file("sub"));
    const std::pair<std::string, std::string> links[] = {
        {dir.file("live.vxt"), target},            // absolute, existing target
        {dir.file("dangling.vxt"), "sub/new.vxt"}, // relative, target not there yet
    };
    for (const auto& [link, pointsAt] : links) {
        SCOPED_TRACE(link);
        fs::create_symlink(pointsAt, link);
        ASSERT_TRUE(SaveFileAtomically(link, Bytes{4, 5}).ok());
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ((Bytes{4, 5}), ReadBytes(link));
    }
    EXPECT_TRUE(fs::is_regular_file(dir.file("sub/new.vxt")));
}

TEST(SaveFileAtomically, EveryLegalNameLengthCanBeSaved) {
    TempDir dir;
    for (std::size_t length : {5u, 249u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".vxt";
        EXPECT_TRUE(SaveFileAtomically(dir.file(name), Bytes{1}).ok()) << length;
    }
}

TEST(SaveFileAtomically, FailuresNameTheReasonAndKeepTheOldFile) {
    TempDir dir;
    WriteBytes(dir.file("plain"), {5});
    const std::pair<const char*, std::string> cases[] = {
        {"missing folder", dir.file("no/such/folder/set.vxt")},
        {"parent is a file", dir.file("plain/set.vxt")},
        {"target is a folder", dir.path().string()},
        {"empty path", ""},
        {"name too long", dir.file(std::string(256, 'n'))},
    };
    for (const auto& [what, path] : cases) {
        const Status saved = SaveFileAtomically(path, Bytes{1, 2});
        EXPECT_FALSE(saved.ok()) << what;
        EXPECT_NE("", saved.error()) << what;
    }
    EXPECT_EQ(Bytes{5}, ReadBytes(dir.file("plain")));
    EXPECT_EQ(1, testing::CountEntries(dir.path()));
}

TEST(ReadWholeFile, ReadsRegularFilesUpToTheLimitOnly) {
    TempDir dir;
    WriteBytes(dir.file("ten"), Bytes(10, 3));
    WriteBytes(dir.file("empty"), {});
    struct Case {
        std::string path;
        std::uint64_t limit;
        bool ok;
    };
    const Case cases[] = {
        {dir.file("ten"), 10, true},      {dir.file("ten"), 9, false},
        {dir.file("empty"), 0, true},     {dir.file("absent"), 10, false},
        {dir.path().string(), 10, false}, {"/dev/zero", 1 << 20, false},
    };
    for (const auto& c : cases) {
        const auto data = ReadWholeFile(c.path, c.limit);
        EXPECT_EQ(c.ok, data.ok()) << c.path << " " << c.limit;
        if (c.ok)
            EXPECT_EQ(ReadBytes(c.path), *data);
        else
            EXPECT_NE("", data.error());
    }
}

// Reads through the buffer and straight into the caller's memory give the file's bytes,
// and say how many they gave, to the end.
TEST(InputFile, ReadsSmallAndLargeSpansInOrder) {
    TempDir dir;
    Bytes bytes(300 * 1024);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    WriteBytes(dir.file("big"), bytes);
    auto file = InputFile::Open(dir.file("big"));
    ASSERT_TRUE(file.ok());
    Bytes read;
    for (const std::size_t piece : {std::size_t{3}, std::size_t{100000}, std::size_t{65536},
                                    std::size_t{10}, std::size_t{200000}}) {
        Bytes out(piece);
        const std::size_t got = file->Read(out);
        EXPECT_EQ(std::min(piece, bytes.size() - read.size()), got) << piece;
        read.insert(read.end(), out.begin(), out.begin() + static_cast<std::ptrdiff_t>(got));
        EXPECT_EQ(read.size(), file->Position());
    }
    EXPECT_TRUE(read == bytes);
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
