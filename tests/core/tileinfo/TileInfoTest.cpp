#include "../tileeditor/TileEditorTestSupport.h"
#include "core/tileinfo/TileInfoCommands.h"
#include "core/tileinfo/TileInfoTypes.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tessivar {
namespace {

using tileeditor_test::Fixture;

constexpr CategoryType kBoolean = CategoryType::Boolean, kByte = CategoryType::Byte,
                       kWord = CategoryType::Word, kTime = CategoryType::Time;
constexpr CategoryType kUnknown4 = static_cast<CategoryType>(4);

TEST(TileInfoTypes, ValuesShowByTheirType) {
    struct Case {
        CategoryType type;
        std::int32_t value;
        const char* shown;
    };
    for (const Case c :
         {Case{kBoolean, 0, "false"}, Case{kBoolean, 5, "true"}, Case{kBoolean, -1, "true"},
          Case{kByte, 300, "300"}, Case{kWord, -1, "4294967295"}, Case{kTime, -5, "-5 ms"},
          Case{kTime, INT_MIN, "-2147483648 ms"}, Case{kUnknown4, 7, ""},
          Case{static_cast<CategoryType>(-1), 7, ""}})
        EXPECT_EQ(FormatTileInfoValue(c.type, c.value), c.shown)
            << static_cast<int>(c.type) << " " << c.value;
}

TEST(TileInfoTypes, EditedTextIsStoredByType) {
    struct Case {
        CategoryType type;
        const char* typed;
        std::optional<std::int32_t> stored;
    };
    for (const Case c : {Case{kByte, "300", 44}, Case{kByte, "-1", 255}, Case{kWord, "-1", 65535},
                         Case{kWord, "65537", 1}, Case{kTime, "-1", -1}, Case{kTime, "  12abc", 12},
                         Case{kTime, "abc", 0}, Case{kBoolean, "1", std::nullopt},
                         Case{static_cast<CategoryType>(9), "1", std::nullopt}})
        EXPECT_EQ(EditedTileInfoValue(c.type, c.typed), c.stored)
            << static_cast<int>(c.type) << " " << c.typed;
}

TEST(TileInfoCommands, TypingIntoTheGridStoresForCurrentTileAndMarksModified) {
    Fixture f;
    f.editing().CurrentTile = 5;
    f.tiles().CategoryCount = 4;
    f.tiles().Categories[3].Type = kByte;
    EXPECT_TRUE(f.run(EditTileInfoValue(f.tiles(), f.editing(), 3, "300")));
    EXPECT_EQ(FormatTileInfoValue(kByte, f.tiles().TileInfo[5][3]), "44");
    EXPECT_EQ(f.tiles().TileInfo[4][3], 0);
    EXPECT_TRUE(f.editing().Modified);
    EXPECT_EQ(f.notifications.back(), TileInfoChanged);

    // Boolean rows are set only through their pop-up; rows past the table not at all.
    EXPECT_FALSE(f.run(EditTileInfoValue(f.tiles(), f.editing(), 0, "1")));
    f.tiles().Categories[4].Type = kByte;
    EXPECT_FALSE(f.run(EditTileInfoValue(f.tiles(), f.editing(), 4, "1")));
    EXPECT_EQ(f.tiles().TileInfo[5][4], 0);
    EXPECT_FALSE(f.run(SetBooleanTileInfo(f.tiles(), f.editing(), 3, true)));
    EXPECT_TRUE(f.run(SetBooleanTileInfo(f.tiles(), f.editing(), 0, true)));
    EXPECT_EQ(f.tiles().TileInfo[5][0], 1);
    f.editing().CurrentTile = kMaxTiles; // no such Tile: nothing is stored
    EXPECT_FALSE(f.run(EditTileInfoValue(f.tiles(), f.editing(), 3, "1")));
}

TEST(TileInfoCommands, BuiltInRowsCannotBeRenamedOrRetyped) {
    Fixture f;
    for (int row = 0; row < 3; ++row) {
        EXPECT_FALSE(f.run(EditCategoryName(f.tiles(), row, "x")));
        EXPECT_FALSE(f.run(SetCategoryType(f.tiles(), row, kBoolean)));
        EXPECT_EQ(CategoryNameEditorText(f.tiles(), row), "");
    }
    EXPECT_EQ(f.tiles().Categories[1].NameText(), "AnimNext");
    EXPECT_EQ(f.tiles().Categories[1].Type, kWord);
    EXPECT_FALSE(f.editing().Modified);
}

TEST(TileInfoCommands, TheExtraRowAddsWordCategoriesUpToSixtyFour) {
    Fixture f;
    f.tiles().TileInfo[7][3] = 99; // a new category keeps what its slot holds
    EXPECT_EQ(CategoryDialogRows(f.tiles()), 4);
    EXPECT_TRUE(f.run(EditCategoryName(f.tiles(), 3, "x")));
    EXPECT_EQ(f.tiles().CategoryCount, 4);
    EXPECT_EQ(f.tiles().Categories[3].Type, kWord);
    EXPECT_EQ(f.tiles().TileInfo[7][3], 99);
    EXPECT_TRUE(f.editing().Modified);
    f.notifications.clear();
    EXPECT_TRUE(f.run(EditCategoryName(f.tiles(), 3, "a name of twenty chars")));
    EXPECT_EQ(f.notifications, std::vector<unsigned>{TileInfoChanged});
    EXPECT_EQ(CategoryNameEditorText(f.tiles(), 3), "a name of twent");
    EXPECT_TRUE(f.run(SetCategoryType(f.tiles(), 3, kTime)));
    EXPECT_FALSE(f.run(SetCategoryType(f.tiles(), 3, kUnknown4)));
    EXPECT_EQ(f.tiles().Categories[3].Type, kTime);
    EXPECT_FALSE(f.run(EditCategoryName(f.tiles(), 5, "gap"))); // below the extra row only

    for (int row = 4; row < kMaxCategories; ++row)
        ASSERT_TRUE(f.run(EditCategoryName(f.tiles(), row, "c" + std::to_string(row))));
    EXPECT_EQ(f.tiles().CategoryCount, kMaxCategories);
    EXPECT_FALSE(OffersNewCategoryRow(f.tiles()));
    EXPECT_EQ(CategoryDialogRows(f.tiles()), kMaxCategories);
    EXPECT_FALSE(f.run(EditCategoryName(f.tiles(), kMaxCategories, "65th")));
    EXPECT_EQ(f.tiles().CategoryCount, kMaxCategories);
}

} // namespace
} // namespace tessivar
