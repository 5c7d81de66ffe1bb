#include "core/export/MapBinaryCommand.h"

#include "core/export/SourceExport.h"
#include "core/workspace/UserPrompts.h"

namespace tessivar {

bool ExportMapBinaryCommand(const TileSet& tileSet, const MapGrid& map, const ExportFormat& format,
                            std::int32_t blockNumberOffset, UserPrompts& prompts) {
    const auto path = prompts.ChooseFileToSave({kMapBinaryFilter, "bin", "", true});
    if (!path)
        return false;
    const Status written = ExportMapBinary(tileSet, map, format, blockNumberOffset, *path);
    if (!written)
        prompts.ShowMessage(written.error(), "File Error");
    return written.ok();
}

} // namespace tessivar
