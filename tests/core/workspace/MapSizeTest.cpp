// The Map Size dialog's checks and resize, and the lenient number reader behind it.

#include "WorkspaceFixture.h"

#include "core/mapeditor/MapSize.h"
#include "core/model/LenientInteger.h"

namespace tessivar {
namespace {

using testing::SampleGrid;
using testing::ShownText;
struct MapSize : testing::WorkspaceTest {
    MapHistory history{workspace.Map, [this](const DocumentChange& c) { workspace.Apply(c); }};
};

TEST(LenientInteger, ReadsLikeEveryNumberField) {
    const std::pair<const char*, int> cases[] = {
        {" 12abc", 12},
        {"-5", -5},
        {"abc", 0},
        {"+7", 7},
        {"", 0},
        {"  \t 40", 40},
        {"- 5", 0},
        {"12 34", 12},
        {"007", 7},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(value, ParseLenientInteger(text)) << '"' << text << '"';
}

TEST_F(MapSize, ChecksRunInOrderAndTheFirstFailureIsShown) {
    struct Case {
        const char* rows;
        const char* columns;
        const char* message;
    };
    const Case cases[] = {
        {"5000", "3000", "The width entered is larger than 2048"},
        {"5000", "20", "The height entered is larger than 2048"},
        {"abc", "20", "The height entered is smaller than 1"},
        {"0", "0", "The width entered is smaller than 1"},
        {"-3", "2048", "The height entered is smaller than 1"},
        {"99999999999", "1", "The height entered is larger than 2048"},
    };
    const MapGrid before = workspace.Map.Grid;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rows) + " x " + c.columns);
        prompts.forget();
        EXPECT_FALSE(ApplyMapSize(workspace.Map, prompts, history, c.rows, c.columns));
        EXPECT_EQ((std::vector<ShownText>{{c.message, "Size error"}}), prompts.messages);
        EXPECT_EQ(before, workspace.Map.Grid);
    }
}

TEST_F(MapSize, ResizeKeepsTheTopLeftPart) {
    const MapGrid old = SampleGrid(32, 32);
    workspace.Map.Grid = old;
    ASSERT_TRUE(ApplyMapSize(workspace.Map, prompts, history, "20", "40"));
    EXPECT_EQ("20x40", workspace.Map.SizeLabel());
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 40; ++c)
            EXPECT_EQ(c < 32 ? old.At(r, c) : MapCell{}, workspace.Map.Cell(r, c));

    ASSERT_TRUE(ApplyMapSize(workspace.Map, prompts, history, " 2048x", "1"));
    EXPECT_EQ(2048, workspace.Map.Height());
    EXPECT_EQ(old.At(19, 0), workspace.Map.Cell(19, 0));
    EXPECT_EQ(MapCell{}, workspace.Map.Cell(20, 0));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(MapSize, PressingChangeMarksTheMapModifiedEvenWithoutAResize) {
    workspace.Apply(BeginMapSizeChange()); // the dialog is then closed by its close box
    EXPECT_TRUE(workspace.Map.MapModified);
    prompts.answer(Answer::Cancel);
    EXPECT_FALSE(workspace.QuerySaveMap());
}

} // namespace
} // namespace tessivar
