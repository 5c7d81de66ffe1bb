#include "core/util/JsonText.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

TEST(JsonQuoted, EscapesQuotesBackslashesAndControlCharacters) {
    const std::pair<std::string, std::string> rows[] = {
        {"", "\"\""},
        {"level 1.vxm", "\"level 1.vxm\""},
        {"a\"b\\c/", "\"a\\\"b\\\\c/\""},
        {"\n\r\t", "\"\\n\\r\\t\""},
        {std::string("\0\x01\x1f\x7f", 4), "\"\\u0000\\u0001\\u001f\x7f\""},
        {"caf\xc3\xa9 \xe9", "\"caf\xc3\xa9 \xe9\""},
    };
    for (const auto& [text, quoted] : rows)
        EXPECT_EQ(quoted, JsonQuoted(text));
}

} // namespace
} // namespace tessivar
