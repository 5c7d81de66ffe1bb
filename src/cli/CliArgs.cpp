#include "cli/CliArgs.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

namespace tessivar::cli {

int ReportError(const std::string& message) {
    std::fprintf(stderr, "tessivar-cli: %s\n", message.c_str());
    return 1;
}

int ReportUsage(const std::string& problem, const CommandSpec& command) {
    std::fprintf(stderr, "tessivar-cli: %s\n%s\n", problem.c_str(), UsageLine(command).c_str());
    return 2;
}

int ReportUsage(const std::string& problem, const Arguments& args) {
    return ReportUsage(problem, *args.Command);
}

std::string WrapWords(const std::vector<std::string>& words, std::size_t column,
                      std::size_t indent) {
    constexpr std::size_t kWidth = 80;
    std::string text;
    for (const std::string& word : words) {
        if (column > indent && column + 1 + word.size() > kWidth) {
            text += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (!text.empty()) {
            text += ' ';
            ++column;
        }
        text += word;
        column += word.size();
    }
    return text;
}

std::string UsageLine(const CommandSpec& command) {
    std::vector<std::string> words = {"usage: tessivar-cli", command.Name, command.Operands};
    for (const OptionSpec& option : command.Options) {
        std::string shown = option.Name;
        if (option.Value)
            shown += std::string(" ") + option.Value;
        words.push_back(option.Required ? shown : "[" + shown + "]");
    }
    return WrapWords(words, 0, 8);
}

const std::string* Arguments::Find(const std::string& name) const {
    for (const auto& [key, text] : Options)
        if (key == name)
            return &text;
    return nullptr;
}

std::string Arguments::Value(const std::string& name) const {
    const std::string* text = Find(name);
    return text ? *text : std::string();
}

Result<Arguments> ParseArguments(const std::vector<std::string>& args, const CommandSpec& command) {
    Arguments parsed;
    parsed.Command = &command;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.Positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.Help = true;
            return parsed;
        }
        const auto equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        const OptionSpec* spec = nullptr;
        for (const OptionSpec& option : command.Options)
            if (name == option.Name || (option.Alias && name == option.Alias))
                spec = &option;
        if (!spec)
            return Fail("unknown option " + name);
        std::string value;
        if (equals != std::string::npos) {
            if (!spec->Value)
                return Fail(name + " takes no value");
            value = arg.substr(equals + 1);
        } else if (spec->Value) {
            if (i + 1 >= args.size())
                return Fail(name + " needs a value");
            value = args[++i];
        }
        if (parsed.Has(spec->Name))
            return Fail(name + " given twice");
        parsed.Options.emplace_back(spec->Name, value);
    }
    return parsed;
}

namespace {

// Digits in `base` filling the whole text, as a non-negative number.
std::optional<std::int64_t> Digits(std::string_view text, int base) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || text[0] == '-' || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> ParseInteger(const std::string& text, int least, int most) {
    std::string_view rest = text;
    const bool negative = rest.starts_with('-');
    if (negative)
        rest.remove_prefix(1);
    int base = 10;
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        rest.remove_prefix(2);
    } else if (rest.starts_with('$') || rest.starts_with('%')) {
        base = rest[0] == '$' ? 16 : 2;
        rest.remove_prefix(1);
    }
    const auto magnitude = Digits(rest, base);
    if (!magnitude)
        return std::nullopt;
    const std::int64_t value = negative ? -*magnitude : *magnitude;
    if (value < least || value > most)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::pair<int, int>> ParseWxH(const std::string& text, int least) {
    const auto decimal = [least](std::string_view part) -> std::optional<int> {
        int value = 0;
        const char* end = part.data() + part.size();
        const auto [stop, error] = std::from_chars(part.data(), end, value);
        if (part.empty() || error != std::errc() || stop != end || value < least)
            return std::nullopt;
        return value;
    };
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = decimal(std::string_view(text).substr(0, x));
    const auto height = decimal(std::string_view(text).substr(x + 1));
    if (!width || !height)
        return std::nullopt;
    return std::pair(*width, *height);
}

} // namespace tessivar::cli
