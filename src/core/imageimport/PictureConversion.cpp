#include "core/imageimport/PictureConversion.h"

#include "core/imageimport/PixelQuantizer.h"
#include "core/picture/PictureFile.h"

#include <algorithm>
#include <new>
#include <vector>

namespace tessivar {

Status ConvertPictureRows(PictureReader& source, const ConversionSettings& settings,
                          const ConvertedRowSink& sink) {
    if (!ImportSettingsValid(settings.size, settings.ditherPercent))
        return Fail(kInvalidImportSettings);
    const int width = settings.size.width;
    const int height = settings.size.height;

    // Byte offset of each destination column's source pixel within a source row.
    std::vector<std::size_t> columnOffset(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columnOffset[static_cast<std::size_t>(x)] =
            static_cast<std::size_t>(NearestSource(x, width, source.Width())) * 3;

    PixelQuantizer quantizer(settings.ditherPercent, settings.grayscale);
    std::vector<std::uint8_t> sourceRow(static_cast<std::size_t>(source.Width()) * 3);
    std::vector<ColorIndex> converted(static_cast<std::size_t>(width));
    int rowsRead = 0; // source rows read or passed over so far
    for (int y = 0; y < height; ++y) {
        const int wanted = NearestSource(y, height, source.Height());
        for (; rowsRead < wanted; ++rowsRead)
            if (Status skipped = source.SkipRow(); !skipped)
                return skipped;
        if (rowsRead == wanted) {
            if (Status read = source.ReadRow(sourceRow); !read)
                return read;
            ++rowsRead;
        }
        ColorIndex* out = converted.data();
        for (const std::size_t offset : columnOffset)
            *out++ =
                quantizer.Quantize(sourceRow[offset + 2], sourceRow[offset + 1], sourceRow[offset]);
        if (Status taken = sink(converted); !taken)
            return taken;
    }
    for (; rowsRead < source.Height(); ++rowsRead)
        if (Status skipped = source.SkipRow(); !skipped)
            return skipped;
    return Ok();
}

Result<ConvertedPicture> ConvertPicture(const BitmapImage& source,
                                        const ConversionSettings& settings) {
    if (!ImportSettingsValid(settings.size, settings.ditherPercent))
        return Fail(kInvalidImportSettings);
    if (source.Width() <= 0 || source.Height() <= 0)
        return Fail("The picture is empty");
    ConvertedPicture picture;
    picture.width = settings.size.width;
    picture.height = settings.size.height;
    try {
        picture.indices.resize(static_cast<std::size_t>(picture.width) *
                               static_cast<std::size_t>(picture.height));
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
    ColorIndex* out = picture.indices.data();
    const auto rows = ReadRowsOf(source);
    const Status converted =
        ConvertPictureRows(*rows, settings, [&](std::span<const ColorIndex> row) {
            out = std::copy(row.begin(), row.end(), out);
            return Ok();
        });
    if (!converted)
        return Fail(converted.error());
    return picture;
}

} // namespace tessivar
