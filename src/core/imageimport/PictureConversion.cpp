#include "core/imageimport/PictureConversion.h"

#include "core/imageimport/PixelQuantizer.h"
#include "core/picture/PictureFile.h"

#include <algorithm>
#include <new>
#include <vector>

namespace tessivar {

Status ConvertPictureRows(PictureReader& source, const ConversionSettings& settings,
                          const ConvertedRowSink& sink) {
    if (!ImportSettingsValid(settings.Size, settings.DitherPercent))
        return Fail(kInvalidImportSettings);
    const int width = settings.Size.Width;
    const int height = settings.Size.Height;

    // Byte offset of each destination column's source pixel within a source row.
    std::vector<std::size_t> columnOffset(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columnOffset[static_cast<std::size_t>(x)] =
            static_cast<std::size_t>(NearestSource(x, width, source.Width())) * 3;

    PixelQuantizer quantizer(settings.DitherPercent, settings.Grayscale);
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
    if (!ImportSettingsValid(settings.Size, settings.DitherPercent))
        return Fail(kInvalidImportSettings);
    if (source.Width() <= 0 || source.Height() <= 0)
        return Fail("The picture is empty");
    ConvertedPicture picture;
    picture.Width = settings.Size.Width;
    picture.Height = settings.Size.Height;
    try {
        picture.Indices.resize(static_cast<std::size_t>(picture.Width) *
                               static_cast<std::size_t>(picture.Height));
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
    ColorIndex* out = picture.Indices.data();
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
