#include "core/drawing/FloodFill.h"
#include "core/drawing/RectangleShape.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace tessivar {
namespace {

using Cells = std::vector<int>;

// The plain reference: a breadth-first search over single cells.
Cells referenceFill(Cells grid, int width, int height, GridPoint start, int color) {
    const int target = grid[start.Y * width + start.X];
    if (target == color)
        return grid;
    std::vector<GridPoint> queue{start};
    grid[start.Y * width + start.X] = color;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const GridPoint p = queue[i];
        const GridPoint next[] = {{p.X - 1, p.Y}, {p.X + 1, p.Y}, {p.X, p.Y - 1}, {p.X, p.Y + 1}};
        for (const GridPoint n : next)
            if (n.X >= 0 && n.Y >= 0 && n.X < width && n.Y < height &&
                grid[n.Y * width + n.X] == target) {
                grid[n.Y * width + n.X] = color;
                queue.push_back(n);
            }
    }
    return grid;
}

TEST(FloodFillGrid, MatchesASingleCellSearchOnRandomGrids) {
    std::mt19937 random(7);
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 9}, {9, 1}, {7, 5}, {16, 16}, {33, 20}};
    for (const auto& [width, height] : sizes)
        for (int colours : {2, 3}) // two colours make long winding regions
            for (int round = 0; round < 20; ++round) {
                Cells grid(static_cast<std::size_t>(width) * height);
                for (int& cell : grid)
                    cell = static_cast<int>(random() % colours);
                const GridPoint start{static_cast<int>(random() % width),
                                      static_cast<int>(random() % height)};
                const int target = grid[start.Y * width + start.X];
                const Cells expected = referenceFill(grid, width, height, start, 9);
                std::set<std::pair<int, int>> paintedTwice;
                const std::size_t painted = FloodFillGrid(
                    width, height, start,
                    [&](int x, int y) {
                        EXPECT_TRUE(x >= 0 && y >= 0 && x < width && y < height);
                        return grid[y * width + x] == target;
                    },
                    [&](int x, int y) {
                        if (grid[y * width + x] == 9)
                            paintedTwice.insert({x, y});
                        grid[y * width + x] = 9;
                    });
                ASSERT_EQ(grid, expected) << width << "x" << height << " round " << round;
                EXPECT_TRUE(paintedTwice.empty());
                std::size_t changed = 0;
                for (int cell : grid)
                    changed += cell == 9 ? 1 : 0;
                EXPECT_EQ(painted, changed);
            }
}

TEST(FloodFillGrid, StartOutsideOrNotFillablePaintsNothing) {
    int calls = 0;
    auto paint = [&](int, int) { ++calls; };
    for (const GridPoint start :
         {GridPoint{-1, 0}, GridPoint{0, -1}, GridPoint{4, 0}, GridPoint{0, 3}})
        EXPECT_EQ(FloodFillGrid(
                      4, 3, start, [](int, int) { return true; }, paint),
                  0u);
    EXPECT_EQ(FloodFillGrid(
                  4, 3, {1, 1}, [](int, int) { return false; }, paint),
              0u);
    EXPECT_EQ(calls, 0);
}

TEST(RectangleShape, VisitsEachCoveredCellOnce) {
    for (const RectangleMode mode : {RectangleMode::Filled, RectangleMode::Hollow})
        for (const auto& [a, b] : {std::pair{GridPoint{5, 4}, GridPoint{1, 1}},
                                   std::pair{GridPoint{2, 3}, GridPoint{2, 7}},
                                   std::pair{GridPoint{0, 2}, GridPoint{6, 2}},
                                   std::pair{GridPoint{3, 3}, GridPoint{3, 3}}}) {
            const RectangleShape shape(a, b, mode);
            std::multiset<std::pair<int, int>> visited;
            shape.ForEachCell([&](int x, int y) { visited.insert({x, y}); });
            std::multiset<std::pair<int, int>> covered;
            for (int y = -1; y < 9; ++y)
                for (int x = -1; x < 9; ++x)
                    if (shape.Covers(x, y))
                        covered.insert({x, y});
            EXPECT_EQ(visited, covered);
        }
}

} // namespace
} // namespace tessivar
