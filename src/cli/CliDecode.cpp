#include "CliCommands.h"

#include <cstdio>

namespace tessivar::cli {

int RunDecode(const std::vector<std::string>&) {
    std::fputs("tessivar-cli: decode is not available yet\n", stderr);
    return 1;
}

} // namespace tessivar::cli
