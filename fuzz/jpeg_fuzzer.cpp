// Any byte string given to the JPEG reader must decode or fail with a JPEG error: no
// crash, hang, out-of-bounds access, leak or other exception.

#include "core/picture/GraphicsExceptions.h"
#include "core/picture/jpeg/JpegDecoder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Frames above 1024 x 1024 are refused here to keep each run small in memory and time;
    // the decoder's own limit is tested by the unit tests.
    tessivar::JpegDecoder decoder({.MaxPixels = 1024 * 1024, .MaxScans = 1000});
    tessivar::BitmapImage image;
    try {
        decoder.ReadImage({data, size}, image);
    } catch (const tessivar::EJpegError&) {
        return 0;
    }
    if (image.Width() < 1 || image.Height() < 1 ||
        (image.BitCount() != 8 && image.BitCount() != 24)) {
        std::fprintf(stderr, "accepted stream gave a %d x %d x %d image\n", image.Width(),
                     image.Height(), image.BitCount());
        std::abort();
    }
    // Read every output byte so that uninitialised or out-of-bounds rows are noticed.
    unsigned sum = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (const std::uint8_t byte : image.Row(y))
            sum += byte;
    volatile unsigned sink = sum;
    (void)sink;
    return 0;
}
