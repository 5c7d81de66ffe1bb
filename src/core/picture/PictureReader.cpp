#include "core/picture/PictureReader.h"

namespace tessivar {

Status PictureReader::SkipRow() {
    skipped_.resize(static_cast<std::size_t>(width_) * 3);
    return ReadRow(skipped_);
}

Status CheckPictureSize(long long width, long long height) {
    if (width <= 0 || height <= 0)
        return Fail("The picture has no pixels");
    if (width > kLargestPictureSide || height > kLargestPictureSide)
        return Fail("The picture is " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels; pictures larger than " + std::to_string(kLargestPictureSide) + " x " +
                    std::to_string(kLargestPictureSide) + " cannot be imported");
    return Ok();
}

} // namespace tessivar
