#include "cli/CliArgs.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace tessivar::cli {

int ReportError(const std::string& message) {
    std::fprintf(stderr, "tessivar-cli: %s\n", message.c_str());
    return 1;
}

int ReportUsage(const std::string& problem, const std::string& usage) {
    std::fprintf(stderr, "tessivar-cli: %s\n%s\n", problem.c_str(), usage.c_str());
    return 2;
}

const std::string* Arguments::find(const std::string& name) const {
    for (const auto& [key, text] : options)
        if (key == name)
            return &text;
    return nullptr;
}

std::string Arguments::value(const std::string& name) const {
    const std::string* text = find(name);
    return text ? *text : std::string();
}

Result<Arguments> ParseArguments(const std::vector<std::string>& args,
                                 const std::vector<std::string>& valued,
                                 const std::vector<std::string>& flags) {
    const auto listed = [](const std::vector<std::string>& names, const std::string& arg) {
        return std::find(names.begin(), names.end(), arg) != names.end();
    };
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool flag = listed(flags, arg);
        if (!flag && !listed(valued, arg)) {
            if (arg.size() > 1 && arg[0] == '-')
                return Fail("unknown option " + arg);
            parsed.positional.push_back(arg);
            continue;
        }
        if (!flag && i + 1 >= args.size())
            return Fail(arg + " needs a value");
        if (parsed.has(arg))
            return Fail(arg + " given twice");
        parsed.options.emplace_back(arg, flag ? std::string() : args[++i]);
    }
    return parsed;
}

std::optional<int> ParseInteger(const std::string& text, int least, int most) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < least || value > most)
        return std::nullopt;
    return value;
}

std::optional<std::pair<int, int>> ParseWxH(const std::string& text, int least) {
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = ParseInteger(text.substr(0, x), least);
    const auto height = ParseInteger(text.substr(x + 1), least);
    if (!width || !height)
        return std::nullopt;
    return std::pair(*width, *height);
}

} // namespace tessivar::cli
