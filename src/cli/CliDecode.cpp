// "decode": a JPEG picture into a 24-bit Windows bitmap.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/DecodeJpeg.h"

#include <string>

namespace tessivar::cli {

int RunDecode(const Arguments& parsed) {
    if (parsed.positional.size() != 1 || parsed.value("-o").empty())
        return ReportUsage("decode needs one input file and -o OUTPUT", parsed);
    const std::string& input = parsed.positional[0];
    const std::string output = parsed.value("-o");

    // A JPEG file of a picture the decoder accepts is far smaller than this.
    const auto data = ReadWholeFile(input, std::uint64_t{1} << 30);
    if (!data)
        return ReportError("cannot read " + input + ": " + data.error());
    const auto image = DecodeJpeg(*data);
    if (!image)
        return ReportError(input + ": " + image.error());
    // A greyscale picture goes through its grey colour map: equal red, green and blue.
    const auto bitmap =
        EncodeBitmap24(image->Width(), image->Height(), [&](int row, std::span<std::uint8_t> bgr) {
            image->CopyRowAsBgr(row, bgr);
        });
    const Status saved =
        bitmap ? SaveFileAtomically(output, *bitmap) : Status(Fail(bitmap.error()));
    return saved ? 0 : ReportError("cannot write " + output + ": " + saved.error());
}

} // namespace tessivar::cli
