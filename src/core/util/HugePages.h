#pragma once

// Advice for large buffers that are about to be filled: the kernel may then back them
// with transparent huge pages, taking a few hundred times fewer page faults (a 2048 x 2048
// map's cells and its file otherwise cost several thousand each).

#include <cstddef>

namespace tessivar {

// Call on freshly allocated memory before the first write; only advice, so a failure or
// a system without huge pages changes nothing. Buffers under 4 MiB are left alone.
void AdviseHugePages(void* start, std::size_t bytes);

} // namespace tessivar
