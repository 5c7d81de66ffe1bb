// "decode": a JPEG picture into a 24-bit Windows bitmap.

#include "cli/CliCommands.h"

#include "core/files/AtomicFile.h"
#include "core/files/FileIo.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/GraphicsExceptions.h"
#include "core/picture/jpeg/JpegDecoder.h"

#include <cstdio>
#include <new>
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
    std::vector<std::uint8_t> bitmap;
    try {
        JpegDecoder decoder;
        BitmapImage image;
        decoder.ReadImage(*data, image);
        // A greyscale picture goes through its grey colour map: equal red, green and blue.
        bitmap = EncodeBitmap24(
            image.Width(), image.Height(),
            [&](int row, std::span<std::uint8_t> bgr) { image.CopyRowAsBgr(row, bgr); });
    } catch (const EGraphicsException& error) {
        std::fprintf(stderr, "tessivar-cli: %s: %s\n", input.c_str(), error.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "tessivar-cli: %s: not enough memory to decode\n", input.c_str());
        return 1;
    }
    const std::string problem = SaveFileAtomically(output, bitmap).error();
    if (!problem.empty()) {
        std::fprintf(stderr, "tessivar-cli: cannot write %s: %s\n", output.c_str(),
                     problem.c_str());
        return 1;
    }
    return 0;
}

} // namespace tessivar::cli
