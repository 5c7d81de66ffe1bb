#pragma once

// A picture converted for the import: scaled with nearest-neighbour sampling to the
// chosen size and reduced to the four grey levels. Each pixel is kept as its ColorIndex
// (the index of its grey level), one byte per pixel.

#include "core/imageimport/ImportSize.h"
#include "core/model/TileSet.h"
#include "core/picture/BitmapImage.h"
#include "core/picture/HugePageAllocator.h"
#include "core/picture/PictureReader.h"
#include "core/util/Result.h"

#include <functional>
#include <span>

namespace tessivar {

struct ConvertedPicture {
    int Width = 0;
    int Height = 0;
    LargeVector<ColorIndex> Indices; // row-major, top row first

    ColorIndex At(int x, int y) const {
        return Indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
                       static_cast<std::size_t>(x)];
    }
};

struct ConversionSettings {
    ImportSize Size;
    int DitherPercent = kDefaultDitherPercent;
    bool Grayscale = true;
};

// The source column (or row) that destination position `position` of `destination`
// samples from a source of `source` pixels.
inline int NearestSource(int position, int destination, int source) {
    return static_cast<int>(static_cast<long long>(position) * source / destination);
}

// Receives the converted rows, top first, each as soon as it is made; a failure stops
// the conversion with that failure.
using ConvertedRowSink = std::function<Status(std::span<const ColorIndex> row)>;

// Reads the rows of `source` in order and converts them as they come: each destination
// row samples the source row nearest to it, and one error accumulator runs through the
// whole picture. Only the source row in use and one converted row are held. Source rows
// no destination row samples are passed over, and once the last converted row is made the
// rest of the source is passed over too, so that a damaged end is refused all the same.
// Refuses settings that break the validity rule with kInvalidImportSettings.
Status ConvertPictureRows(PictureReader& source, const ConversionSettings& settings,
                          const ConvertedRowSink& sink);

// The whole converted picture of a picture held in memory. Refuses settings that break
// the validity rule with kInvalidImportSettings, and an empty source.
Result<ConvertedPicture> ConvertPicture(const BitmapImage& source,
                                        const ConversionSettings& settings);

} // namespace tessivar
