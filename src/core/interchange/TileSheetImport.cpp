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
    auto cutter = TileSheetCutter::Start(rows.width, rows.height, block, maxTiles);
    if (!cutter)
        return Fail(cutter.error());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rows.width) * (rows.indexed ? 1 : 3));
    for (int y = 0; y < rows.height; ++y) {
        if (Status read = rows.next(row); !read)
            return Fail(read.error());
        if (Status cut = rows.indexed ? cutter->addIndexRow(row) : cutter->addColorRow(row); !cut)
            return Fail(cut.error());
    }
    std::size_t keep = SIZE_MAX;
    if (recordedBlocks && *recordedBlocks >= 0)
        keep = static_cast<std::size_t>(*recordedBlocks) *
               static_cast<std::size_t>(block.tilesPerBlock());
    return std::move(*cutter).finish(keep);
}

Result<ImportSummary> ImportTileSheet(const ImportTarget& target, const ConvertedPicture& cut,
                                      BlockSize block, const ImportOptions& options) {
    if (block.tilesPerBlock() != 1 && (options.createMap || options.mode != DuplicateMode::None))
        return Fail("A map and duplicate removal work on 8 x 8 Tiles; cut the sheet into "
                    "8 x 8 Blocks for them");
    Palette& palette = target.tileSet.paletteTable[static_cast<std::size_t>(target.paletteSet & 7)]
                                                  [static_cast<std::size_t>(target.palette & 7)];
    const Palette kept = palette;
    auto summary = ImportConvertedImage(target, cut, options);
    // The picture import turns the palette grey; a sheet's colours are the set's own.
    palette = kept;
    return summary;
}

} // namespace tessivar
