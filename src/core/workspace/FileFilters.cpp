#include "core/workspace/FileFilters.h"

namespace tessivar {

namespace {

std::vector<std::string> Split(const std::string& text, const char* separators) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of(separators, start);
        const std::size_t stop = end == std::string::npos ? text.size() : end;
        std::string part = text.substr(start, stop - start);
        const std::size_t first = part.find_first_not_of(' ');
        const std::size_t last = part.find_last_not_of(' ');
        if (first != std::string::npos)
            parts.push_back(part.substr(first, last - first + 1));
        start = stop + 1;
    }
    return parts;
}

// "Assembly File (*.asm)(*.z80)" -> "Assembly File": every parenthesised group at the end
// goes, with the blanks before it.
std::string PlainDescription(std::string description) {
    for (;;) {
        const std::size_t end = description.find_last_not_of(' ');
        if (end == std::string::npos || description[end] != ')')
            break;
        const std::size_t open = description.rfind('(', end);
        if (open == std::string::npos || open == 0)
            break;
        description.erase(open);
    }
    const std::size_t end = description.find_last_not_of(' ');
    description.erase(end == std::string::npos ? 0 : end + 1);
    return description;
}

} // namespace

std::vector<FileFilterEntry> FileFilterEntries(const std::string& filter) {
    std::vector<FileFilterEntry> entries;
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter.find('|', start);
        fields.push_back(filter.substr(start, bar == std::string::npos ? bar : bar - start));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        std::vector<std::string> patterns = Split(fields[i + 1], ";, ");
        if (!patterns.empty())
            entries.push_back({PlainDescription(fields[i]), std::move(patterns)});
    }
    return entries;
}

} // namespace tessivar
