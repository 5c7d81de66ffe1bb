#include "core/workspace/StartupPath.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

TEST(StartupPath, TheExtensionAloneDecidesWhatIsOpened) {
    using Kind = StartupKind;
    const std::pair<const char*, Kind> cases[] = {
        {"level.vxm", Kind::Map},
        {"C:\\Games\\LEVEL.VXM", Kind::Map},
        {"dir.vxm/level.vxt", Kind::TileSet}, // a dot in a folder is no extension
        {"dir.bmp/tiles", Kind::TileSet},
        {"/pics/Photo.Bmp", Kind::Bitmap},
        {"my pictures/a.b.bmp", Kind::Bitmap},
        {"tiles.vxt", Kind::TileSet},
        {"picture.jpg", Kind::Bitmap},
        {"scan.PNG", Kind::Bitmap},
        {"photo.jpeg", Kind::TileSet},
        {"level.vxm.bak", Kind::TileSet},
        {"vxm", Kind::TileSet},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(ClassifyStartupPath(path), kind) << path;
}

} // namespace
} // namespace tessivar
