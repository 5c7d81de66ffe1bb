#pragma once

// A picture converted for the import: scaled with nearest-neighbour sampling to the
// chosen size and reduced to the four grey levels. Each pixel is kept as its ColorIndex
// (the index of its grey level), one byte per pixel.

#include "core/imageimport/ImportSize.h"
#include "core/model/TileSet.h"
#include "core/picture/BitmapImage.h"
#include "core/picture/HugePageAllocator.h"
#include "core/util/Result.h"

namespace tessivar {

struct ConvertedPicture {
    int width = 0;
    int height = 0;
    LargeVector<ColorIndex> indices; // row-major, top row first

    ColorIndex at(int x, int y) const {
        return indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)];
    }
};

struct ConversionSettings {
    ImportSize size;
    int ditherPercent = kDefaultDitherPercent;
    bool grayscale = true;
};

// The source column (or row) that destination position `position` of `destination`
// samples from a source of `source` pixels.
inline int NearestSource(int position, int destination, int source) {
    return static_cast<int>(static_cast<long long>(position) * source / destination);
}

// Refuses settings that break the validity rule with kInvalidImportSettings, and an
// empty source.
Result<ConvertedPicture> ConvertPicture(const BitmapImage& source,
                                        const ConversionSettings& settings);

} // namespace tessivar
