// Dialog filters: each entry's description without its own pattern list, and its
// patterns one by one, whatever separators the description or the pattern list used.

#include "core/workspace/FileFilters.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

TEST(FileFilters, EntriesSplitIntoPlainDescriptionsAndSinglePatterns) {
    using Entries = std::vector<FileFilterEntry>;
    const std::pair<std::string, Entries> cases[] = {
        {kPictureFilter, {{"Images", {"*.bmp", "*.jpg", "*.png"}}}},
        {kSourceFilter, {{"Assembly File", {"*.asm", "*.z80"}}}},
        {kMapSourceFilter, {{"Assembly files", {"*.asm", "*.inc"}}}},
        {"Bitmap File (*.bmp)|*.bmp|PNG Picture (*.png)|*.png|All Files (*.*)|*.*",
         {{"Bitmap File", {"*.bmp"}}, {"PNG Picture", {"*.png"}}, {"All Files", {"*.*"}}}},
        {"Plain|*.a , *.b;;*.c", {{"Plain", {"*.a", "*.b", "*.c"}}}},
        {"(odd) name|*.x|No patterns|", {{"(odd) name", {"*.x"}}}},
        {"Description without patterns", {}},
        {"", {}},
    };
    for (const auto& [filter, entries] : cases)
        EXPECT_EQ(FileFilterEntries(filter), entries) << filter;
}

} // namespace
} // namespace tessivar
