#include "core/mapeditor/MapSize.h"

#include "core/model/LenientInteger.h"

namespace tessivar {

DocumentChange BeginMapSizeChange() {
    return {0, false, true};
}

Status CheckMapSize(int rows, int columns) {
    if (columns > kMaxMapSide)
        return Fail("The width entered is larger than 2048");
    if (rows > kMaxMapSide)
        return Fail("The height entered is larger than 2048");
    if (columns < 1)
        return Fail("The width entered is smaller than 1");
    if (rows < 1)
        return Fail("The height entered is smaller than 1");
    return Ok();
}

bool ApplyMapSize(MapDocument& map, UserPrompts& prompts, MapHistory& history,
                  const std::string& rowText, const std::string& columnText) {
    const int rows = ParseLenientInteger(rowText);
    const int columns = ParseLenientInteger(columnText);
    if (const Status size = CheckMapSize(rows, columns); !size) {
        prompts.ShowMessage(size.error(), "Size error");
        return false;
    }
    history.BeginStep();
    history.RecordWholeGrid();
    map.Grid = map.Grid.Resized(columns, rows);
    history.AnnounceChange({MapChanged | MapResized});
    history.EndStep();
    return true;
}

} // namespace tessivar
