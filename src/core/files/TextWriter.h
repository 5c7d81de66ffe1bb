#pragma once

// Text output with CR LF line ends, as the program's source and listing files use,
// streamed into an AtomicFile a line at a time.

#include "core/files/AtomicFile.h"

#include <string_view>

namespace tessivar {

class TextWriter {
public:
    explicit TextWriter(AtomicFile& file)
        : file_(file) {}

    // Appends text to the current line.
    TextWriter& Write(std::string_view text) {
        file_.Write(text);
        return *this;
    }
    // Ends the current line.
    TextWriter& EndLine() { return Write("\r\n"); }
    // Writes a whole line.
    TextWriter& Line(std::string_view text) { return Write(text).EndLine(); }

private:
    AtomicFile& file_;
};

} // namespace tessivar
