#include "core/imageimport/PictureConversion.h"

#include "core/imageimport/PixelQuantizer.h"

#include <new>
#include <vector>

namespace tessivar {

namespace {

ConvertedPicture convert(const BitmapImage& source, const ConversionSettings& settings) {
    ConvertedPicture picture;
    picture.width = settings.size.width;
    picture.height = settings.size.height;
    picture.indices.resize(static_cast<std::size_t>(picture.width) *
                           static_cast<std::size_t>(picture.height));

    // Byte offset of each destination column's source pixel within a source row.
    const int bytesPerPixel = source.BitCount() / 8;
    std::vector<std::size_t> columnOffset(static_cast<std::size_t>(picture.width));
    for (int x = 0; x < picture.width; ++x)
        columnOffset[static_cast<std::size_t>(x)] =
            static_cast<std::size_t>(NearestSource(x, picture.width, source.Width())) *
            static_cast<std::size_t>(bytesPerPixel);
    const auto& colourMap = source.ColourMap();

    PixelQuantizer quantizer(settings.ditherPercent, settings.grayscale);
    ColorIndex* out = picture.indices.data();
    for (int y = 0; y < picture.height; ++y) {
        const auto row = source.Row(NearestSource(y, picture.height, source.Height()));
        if (bytesPerPixel == 3) {
            for (const std::size_t offset : columnOffset)
                *out++ = quantizer.Quantize(row[offset + 2], row[offset + 1], row[offset]);
        } else {
            for (const std::size_t offset : columnOffset) {
                const auto& entry = colourMap[row[offset]];
                *out++ = quantizer.Quantize(entry.red, entry.green, entry.blue);
            }
        }
    }
    return picture;
}

} // namespace

Result<ConvertedPicture> ConvertPicture(const BitmapImage& source,
                                        const ConversionSettings& settings) {
    if (!ImportSettingsValid(settings.size, settings.ditherPercent))
        return Fail(kInvalidImportSettings);
    if (source.Width() <= 0 || source.Height() <= 0)
        return Fail("The picture is empty");
    try {
        return convert(source, settings);
    } catch (const std::bad_alloc&) {
        return Fail("Not enough memory to convert the picture");
    }
}

} // namespace tessivar
