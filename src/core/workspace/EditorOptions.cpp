#include "core/workspace/EditorOptions.h"

namespace tessivar {

bool EditorOptions::LoadOptions(OptionsStore& store) {
    std::optional<std::int32_t> value;
    if (!store.readInteger(kOverwriteValueName, value))
        return false;
    if (value)
        OverwriteTiles = *value != 0;
    return true;
}

bool EditorOptions::SaveOptions(OptionsStore& store) const {
    return store.writeInteger(kOverwriteValueName, OverwriteTiles ? 1 : 0);
}

} // namespace tessivar
