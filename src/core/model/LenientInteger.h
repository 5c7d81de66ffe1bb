#pragma once

#include <string_view>

namespace tessivar {

// Reads a typed number the forgiving way every field of the program does: leading
// blanks, an optional sign, then decimal digits up to the first other character.
// Text without digits reads as 0. Values beyond the int range saturate.
int ParseLenientInteger(std::string_view text);

} // namespace tessivar
