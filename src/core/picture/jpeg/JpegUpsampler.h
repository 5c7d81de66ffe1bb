#pragma once

#include "core/picture/BitmapImage.h"
#include "core/picture/jpeg/JpegFrame.h"

#include <cstdint>

namespace tessivar {

// The last stage: gathers sample rows from the components' strips of data units,
// upsamples components below the maximum sampling factors by replication and converts
// YCbCr to blue, green, red (one component is stored as it is).
class JpegUpsampler {
public:
    // Sizes the image (24 bits for three components, 8 with the grey map for one) to
    // `rows` rows, the whole frame or one strip, and each component's row buffers. The
    // pixels are left for EmitRows to write.
    static void Prepare(JpegFrame& frame, BitmapImage& image, int rows);

    // Writes frame rows firstRow..endRow-1 from the strips the components hold now, into
    // image rows from firstRow - rowBase on.
    static void EmitRows(JpegFrame& frame, BitmapImage& image, int firstRow, int endRow,
                         int rowBase);

private:
    static const std::uint8_t* UpsampledRowFor(const JpegFrame& frame,
                                               JpegDecoderComponent& component, int row);
};

} // namespace tessivar
