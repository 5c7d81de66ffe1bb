// "decode": a JPEG picture into a 24-bit Windows bitmap.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliFiles.h"

#include "core/files/FileIo.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/DecodeJpeg.h"

#include <string>

namespace tessivar::cli {

namespace {

constexpr const char* kDecodeUsage = "usage: tessivar-cli decode IN.jpg -o OUT.bmp";

} // namespace

int RunDecode(const std::vector<std::string>& args) {
    const auto parsed = ParseArguments(args, {"-o"});
    if (!parsed)
        return ReportUsage(parsed.error(), kDecodeUsage);
    if (parsed->positional.size() != 1 || parsed->value("-o").empty())
        return ReportUsage("decode needs one input file and -o OUTPUT", kDecodeUsage);
    const std::string& input = parsed->positional[0];
    const std::string output = parsed->value("-o");

    OutputSet outputs;
    outputs.AddInput(input);
    auto out = outputs.Add(output, kBinaryOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), kDecodeUsage);
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
    if (!bitmap)
        return ReportError("cannot write " + output + ": " + bitmap.error());
    (*out)->Write(*bitmap);
    return CommitOutputs(outputs);
}

} // namespace tessivar::cli
