// "decode": a JPEG picture into a 24-bit Windows bitmap.

#include "cli/CliArgs.h"
#include "cli/CliCommands.h"
#include "cli/CliDepFile.h"
#include "cli/CliFiles.h"

#include "core/files/FileIo.h"
#include "core/picture/BitmapWriter.h"
#include "core/picture/DecodeJpeg.h"

#include <optional>
#include <string>
#include <vector>

namespace tessivar::cli {

int RunDecode(const Arguments& parsed) {
    if (parsed.Positional.size() != 1 || parsed.Value("-o").empty())
        return ReportUsage("decode needs one input file and -o OUTPUT", parsed);
    const std::string& input = parsed.Positional[0];
    const std::string output = parsed.Value("-o");

    OutputSet outputs;
    outputs.AddInput(input);
    auto out = outputs.Add(output, kBinaryOutput);
    if (!out)
        return ReportRefusedOutput(outputs, out.error(), parsed);
    AtomicFile& file = **out;
    // A JPEG file of a picture the decoder accepts is far smaller than this.
    const auto data = ReadWholeFile(input, std::uint64_t{1} << 30);
    if (!data)
        return ReportError("cannot read " + input + ": " + data.error());
    NoteInputFile(input);
    // The rows go to the file as the decoder finishes them, top row first.
    bool started = false;
    std::string failure;
    std::vector<std::uint8_t> bgr;
    bool greyRows = false;
    const JpegRowSink sink{[&](int width, int height, int bitCount) {
                               // A later frame replaces an earlier one: the file starts afresh.
                               if (started)
                                   file.Rewind();
                               started = false;
                               auto header = MakeBitmap24Header(width, height, true);
                               if (!header) {
                                   failure = header.error();
                                   return;
                               }
                               started = true;
                               file.Write(*header);
                               bgr.assign(Bitmap24Stride(width), 0);
                               greyRows = bitCount == 8;
                           },
                           [&](int, std::span<const std::uint8_t> pixels) {
                               if (!started)
                                   return;
                               if (greyRows) {
                                   // A greyscale picture: equal red, green and blue.
                                   for (std::size_t x = 0; x < pixels.size(); ++x)
                                       std::fill_n(bgr.begin() + static_cast<std::ptrdiff_t>(3 * x),
                                                   3, pixels[x]);
                               } else {
                                   std::copy(pixels.begin(), pixels.end(), bgr.begin());
                               }
                               file.Write(bgr);
                           }};
    if (const Status decoded = DecodeJpegRows(*data, sink); !decoded)
        return ReportError(input + ": " + decoded.error());
    if (!failure.empty() || !started)
        return ReportError("cannot write " + output + ": " + failure);
    return CommitOutputs(outputs);
}

} // namespace tessivar::cli
