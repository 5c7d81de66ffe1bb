// Any byte string given to the PNG reader must give its rows or a refusal: no crash,
// hang, out-of-bounds access or leak.

#include "FuzzPictureFile.h"

#include "core/picture/PngReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tessivar::FuzzPictureReader(data, size, [](tessivar::InputFile file) {
        return tessivar::PngReader::Open(std::move(file));
    });
}
