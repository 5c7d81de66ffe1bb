// The Overwrite option through an options store.

#include "core/workspace/EditorOptions.h"

#include <gtest/gtest.h>

#include <map>

namespace tessivar {
namespace {

class MemoryOptionsStore : public OptionsStore {
public:
    std::map<std::string, std::int32_t> values;
    bool failing = false;

    Result<std::optional<std::int32_t>> ReadInteger(const std::string& name) override {
        if (failing)
            return Fail("unreadable");
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    Status WriteInteger(const std::string& name, std::int32_t value) override {
        if (failing)
            return Fail("unwritable");
        values[name] = value;
        return Ok();
    }
};

TEST(EditorOptions, LoadAndSaveThroughTheStore) {
    struct Case {
        std::optional<std::int32_t> stored;
        bool before, after;
    };
    const Case cases[] = {{1, false, true},           {5, false, true},
                          {0, true, false},           {-1, false, true},
                          {std::nullopt, true, true}, {std::nullopt, false, false}};
    for (const auto& c : cases) {
        MemoryOptionsStore store;
        if (c.stored)
            store.values["Overwrite"] = *c.stored;
        EditorOptions options{c.before};
        EXPECT_TRUE(options.LoadOptions(store).ok());
        EXPECT_EQ(options.OverwriteTiles, c.after);
        EXPECT_TRUE(options.SaveOptions(store).ok());
        EXPECT_EQ(store.values["Overwrite"], c.after ? 1 : 0);
    }
    MemoryOptionsStore broken;
    broken.failing = true;
    EditorOptions options{true};
    EXPECT_EQ("unreadable", options.LoadOptions(broken).error());
    EXPECT_TRUE(options.OverwriteTiles);
    EXPECT_EQ("unwritable", options.SaveOptions(broken).error());
}

} // namespace
} // namespace tessivar
