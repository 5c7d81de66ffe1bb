#include "core/workspace/EditorOptions.h"

namespace tessivar {

Status EditorOptions::LoadOptions(OptionsStore& store) {
    const auto value = store.ReadInteger(kOverwriteValueName);
    if (!value)
        return Fail(value.error());
    if (*value)
        OverwriteTiles = **value != 0;
    return Ok();
}

Status EditorOptions::SaveOptions(OptionsStore& store) const {
    return store.WriteInteger(kOverwriteValueName, OverwriteTiles ? 1 : 0);
}

} // namespace tessivar
