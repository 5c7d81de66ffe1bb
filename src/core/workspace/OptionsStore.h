#pragma once

// Where the editor keeps its one per-machine option between runs. The editor supplies a
// store on top of the platform's settings; tests use an in-memory one. A store reports
// failures (a key it cannot open or create, a value of another type) as results and
// never throws.

#include "core/util/Result.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessivar {

inline constexpr const char* kOptionsKey = "\\Software\\Brennow\\Tessivar (TI)";
inline constexpr const char* kOverwriteValueName = "Overwrite";

class OptionsStore {
public:
    virtual ~OptionsStore() = default;

    // Reads a 32-bit integer value; empty when the value is absent.
    virtual Result<std::optional<std::int32_t>> ReadInteger(const std::string& name) = 0;
    virtual Status WriteInteger(const std::string& name, std::int32_t value) = 0;
};

} // namespace tessivar
