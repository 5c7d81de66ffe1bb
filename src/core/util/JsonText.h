#pragma once

#include <string>
#include <string_view>

namespace tessivar {

// The text as a JSON string with its quotes: '"' and '\' escaped, line feed, carriage
// return and tab as \n, \r and \t, other control characters as \u00XX; every other byte
// is copied as it is (the caller gives UTF-8 where the document must be UTF-8).
std::string JsonQuoted(std::string_view text);

} // namespace tessivar
