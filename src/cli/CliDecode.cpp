// "decode": a JPEG picture into a 24-bit Windows bitmap.

#include "cli/CliCommands.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/DecodeJpeg.h"

#include <cstdio>
#include <string>

namespace tessivar::cli {

namespace {

constexpr const char* kDecodeUsage = "usage: tessivar-cli decode IN.jpg -o OUT.bmp";

int usageError(const char* problem) {
    std::fprintf(stderr, "tessivar-cli: %s\n%s\n", problem, kDecodeUsage);
    return 2;
}

} // namespace

int RunDecode(const std::vector<std::string>& args) {
    std::string input;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size())
                return usageError("-o needs a file name");
            if (!output.empty())
                return usageError("more than one output file");
            output = args[++i];
        } else if (input.empty()) {
            input = args[i];
        } else {
            return usageError("decode takes one input file");
        }
    }
    if (input.empty() || output.empty())
        return usageError("decode needs an input file and -o OUTPUT");

    // A JPEG file of a picture the decoder accepts is far smaller than this.
    const auto data = ReadWholeFile(input, std::uint64_t{1} << 30);
    if (!data) {
        std::fprintf(stderr, "tessivar-cli: cannot read %s: %s\n", input.c_str(),
                     data.error().c_str());
        return 1;
    }
    const auto image = DecodeJpeg(*data);
    if (!image) {
        std::fprintf(stderr, "tessivar-cli: %s: %s\n", input.c_str(), image.error().c_str());
        return 1;
    }
    // A greyscale picture goes through its grey colour map: equal red, green and blue.
    const auto bitmap =
        EncodeBitmap24(image->Width(), image->Height(), [&](int row, std::span<std::uint8_t> bgr) {
            image->CopyRowAsBgr(row, bgr);
        });
    const Status saved =
        bitmap ? SaveFileAtomically(output, *bitmap) : Status(Fail(bitmap.error()));
    if (!saved) {
        std::fprintf(stderr, "tessivar-cli: cannot write %s: %s\n", output.c_str(),
                     saved.error().c_str());
        return 1;
    }
    return 0;
}

} // namespace tessivar::cli
