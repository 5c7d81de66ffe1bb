#include "core/interchange/DepFile.h"

#include "core/files/AtomicFile.h"

#include <algorithm>

namespace tessivar {

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

Result<std::string> EscapeMakePath(std::string_view path) {
    if (path.empty())
        return Fail("an empty file name cannot be listed in a dependency file");
    std::string escaped;
    std::size_t backslashes = 0; // just before the current character
    for (const char c : path) {
        if (c == '\n' || c == '\r')
            return Fail("cannot list \"" + std::string(path) +
                        "\" in a dependency file: it holds a line break");
        if (c == ' ' || c == '\t' || c == '#') {
            escaped.append(backslashes, '\\');
            escaped += '\\';
        } else if (c == '$') {
            escaped += '$';
        }
        escaped += c;
        backslashes = c == '\\' ? backslashes + 1 : 0;
    }
    return escaped;
}

Result<std::string> FormatDepFile(const Dependencies& dependencies, bool phonyInputs) {
    if (dependencies.Targets.empty())
        return Fail("a dependency file needs at least one file written");
    std::vector<std::string> inputs;
    for (const std::string& input : dependencies.Inputs)
        if (!Contains(dependencies.Targets, input) && !Contains(inputs, input))
            inputs.push_back(input);

    std::string text;
    for (std::size_t i = 0; i < dependencies.Targets.size(); ++i) {
        const auto target = EscapeMakePath(dependencies.Targets[i]);
        if (!target)
            return Fail(target.error());
        text += (i == 0 ? "" : " ") + *target;
    }
    text += ':';
    std::vector<std::string> escapedInputs;
    for (const std::string& input : inputs) {
        auto escaped = EscapeMakePath(input);
        if (!escaped)
            return Fail(escaped.error());
        text += ' ' + *escaped;
        escapedInputs.push_back(std::move(*escaped));
    }
    text += '\n';
    if (phonyInputs)
        for (const std::string& input : escapedInputs)
            text += '\n' + input + ":\n";
    return text;
}

Status WriteDepFile(const std::string& path, const Dependencies& dependencies, bool phonyInputs) {
    const auto text = FormatDepFile(dependencies, phonyInputs);
    if (!text)
        return Fail(text.error());
    auto file = AtomicFile::Open(path);
    if (!file)
        return Fail(file.error());
    file->Write(*text);
    return file->Commit();
}

} // namespace tessivar
