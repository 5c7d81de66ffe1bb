#include "core/imageimport/PictureFile.h"

#include "core/files/FileIo.h"
#include "core/picture/DecodeJpeg.h"

namespace tessivar {

PictureKind ClassifyPictureFile(const std::string& path) {
    const std::string extension = ExtensionOf(path);
    if (extension == ".jpg")
        return PictureKind::Jpeg;
    if (extension == ".png")
        return PictureKind::Png;
    return PictureKind::Bitmap;
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

Result<BitmapImage> ReadJpegPicture(const std::string& path) {
    // A JPEG stream of the largest picture accepted is far smaller than this.
    const auto data = ReadWholeFile(path, std::uint64_t{1} << 30);
    if (!data)
        return Fail("Cannot read " + path + ": " + data.error());
    auto image = DecodeJpeg(*data);
    if (!image)
        return Fail(path + ": " + image.error());
    if (const Status size = CheckPictureSize(image->Width(), image->Height()); !size)
        return Fail(size.error());
    return image;
}

} // namespace tessivar
