#include "core/interchange/TileSheetImport.h"

#include "core/interchange/TileSheetCutter.h"
#include "core/picture/PictureFile.h"
#include "core/picture/PngReader.h"

#include <memory>

#include <vector>

namespace tessivar {

Result<TileSheetRows> OpenTileSheet(const std::string& path) {
    if (auto file = InputFile::Open(path)) {
        auto png = PngReader::Open(std::move(*file), PngReader::Rows::Indexes);
        if (png && (*png)->Palette().size() <= static_cast<std::size_t>(kColorsPerPalette)) {
            std::shared_ptr<PngReader> reader = std::move(*png);
            return TileSheetRows{reader->Width(), reader->Height(), true,
                                 [reader](std::span<std::uint8_t> indexes) {
                                     return reader->ReadIndexRow(indexes);
                                 }};
        }
    }
    auto picture = OpenPicture(path);
    if (!picture)
        return Fail(picture.error());
    std::shared_ptr<PictureReader> reader = std::move(*picture);
    return TileSheetRows{reader->Width(), reader->Height(), false,
                         [reader](std::span<std::uint8_t> bgr) { return reader->ReadRow(bgr); }};
}

Result<ConvertedPicture> CutTileSheet(TileSheetRows& rows, BlockSize block, std::size_t maxTiles,
                                      std::optional<int> recordedBlocks) {
    auto cutter = TileSheetCutter::Start(rows.Width, rows.Height, block, maxTiles);
    if (!cutter)
        return Fail(cutter.error());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rows.Width) * (rows.Indexed ? 1 : 3));
    for (int y = 0; y < rows.Height; ++y) {
        if (Status read = rows.Next(row); !read)
            return Fail(read.error());
        if (Status cut = rows.Indexed ? cutter->AddIndexRow(row) : cutter->AddColorRow(row); !cut)
            return Fail(cut.error());
    }
    std::size_t keep = SIZE_MAX;
    if (recordedBlocks && *recordedBlocks >= 0)
        keep = static_cast<std::size_t>(*recordedBlocks) *
               static_cast<std::size_t>(block.TilesPerBlock());
    return std::move(*cutter).Finish(keep);
}

Result<ImportSummary> ImportTileSheet(const ImportTarget& target, const ConvertedPicture& cut,
                                      BlockSize block, const ImportOptions& options) {
    if (block.TilesPerBlock() != 1 && (options.CreateMap || options.Mode != DuplicateMode::None))
        return Fail("A map and duplicate removal work on 8 x 8 Tiles; cut the sheet into "
                    "8 x 8 Blocks for them");
    Palette& palette = target.Destination.Palettes[static_cast<std::size_t>(target.PaletteSet & 7)]
                                                  [static_cast<std::size_t>(target.Palette & 7)];
    const Palette kept = palette;
    auto summary = ImportConvertedImage(target, cut, options);
    // The picture import turns the palette grey; a sheet's colours are the set's own.
    palette = kept;
    return summary;
}

} // namespace tessivar
