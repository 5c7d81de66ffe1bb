#include "core/util/TextEncoding.h"

#include <gtest/gtest.h>

namespace tessivar {
namespace {

TEST(TextEncoding, ValidUtf8StaysAndAnythingElseIsWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain/level.vxm", "plain/level.vxm"},
        {"caf\xc3\xa9", "caf\xc3\xa9"},                       // UTF-8 already
        {"caf\xe9", "caf\xc3\xa9"},                           // é
        {"\x80 \x9f \xff", "\xe2\x82\xac \xc5\xb8 \xc3\xbf"}, // euro, Y diaeresis, y diaeresis
        {"\x81\x8d\x8f\x90\x9d", "\xc2\x81\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d"}, // undefined
        {"\xc3\xa9\xe9", "\xc3\x83\xc2\xa9\xc3\xa9"},     // mixed: every byte converted
        {"\xc0\xaf", "\xc3\x80\xc2\xaf"},                 // overlong slash
        {"\xed\xbf\xbf", "\xc3\xad\xc2\xbf\xc2\xbf"},     // last surrogate
        {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xe2\x82\xac"}, // surrogate
        {"\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xe2\x82\xac\xe2\x82\xac"}, // above U+10FFFF
        {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},                         // U+1F600
        {"\xf4\x8f\xbf\xbf", "\xf4\x8f\xbf\xbf"},                         // U+10FFFF, the last
        {"\xe2\x82", "\xc3\xa2\xe2\x80\x9a"},                             // cut short
    };
    int row = 0;
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(row++); // failures print bytes escaped, never raw
        EXPECT_EQ(out, TextAsUtf8(in));
        EXPECT_TRUE(IsValidUtf8(TextAsUtf8(in)));
    }
}

} // namespace
} // namespace tessivar
