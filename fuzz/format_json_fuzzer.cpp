// Any accepted export format must be one the export can check, and must survive being
// written and read back unchanged. The first byte chooses a map or a tile format.

#include "core/export/FormatJson.h"
#include "core/export/SourceExport.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void mismatch(const char* what) {
    std::fprintf(stderr, "format round trip: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool forMap = data[0] & 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto format = tessivar::ParseFormatJson(text, forMap);
    if (!format.ok())
        return 0;
    if (format->PropertyCount < 0 || format->PropertyCount > tessivar::kMaxExportProperties ||
        format->SectionCount < 0 || format->SectionCount > tessivar::kMaxExportSections)
        mismatch("accepted a format beyond its tables");
    (void)tessivar::CheckExportFormat(*format, forMap);

    const std::string written = tessivar::FormatToJson(*format);
    const auto reread = tessivar::ParseFormatJson(written, forMap);
    if (!reread.ok())
        mismatch("the written format is refused");
    if (reread->PropertyCount != format->PropertyCount || reread->Properties != format->Properties)
        mismatch("properties changed");
    if (reread->SectionCount != format->SectionCount)
        mismatch("section count changed");
    for (int s = 1; s <= format->SectionCount; ++s)
        if (reread->Label(s) != format->Label(s))
            mismatch("a label changed");
    if (tessivar::FormatToJson(*reread) != written)
        mismatch("writing is not stable");
    return 0;
}
