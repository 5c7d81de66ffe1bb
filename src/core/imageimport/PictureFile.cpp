#include "core/imageimport/PictureFile.h"

#include "core/files/FileIo.h"
#include "core/picture/GraphicsExceptions.h"
#include "core/picture/jpeg/JpegDecoder.h"

#include <new>

namespace tessivar {

PictureKind ClassifyPictureFile(const std::string& path) {
    const std::string extension = ExtensionOf(path);
    if (extension == ".jpg")
        return PictureKind::Jpeg;
    if (extension == ".png")
        return PictureKind::Png;
    return PictureKind::Bitmap;
}

std::string CheckPictureSize(long long width, long long height) {
    if (width <= 0 || height <= 0)
        return "The picture has no pixels";
    if (width > kLargestPictureSide || height > kLargestPictureSide)
        return "The picture is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels; pictures larger than " + std::to_string(kLargestPictureSide) + " x " +
               std::to_string(kLargestPictureSide) + " cannot be imported";
    return {};
}

Result<BitmapImage> ReadJpegPicture(const std::string& path) {
    // A JPEG stream of the largest picture accepted is far smaller than this.
    const auto data = ReadWholeFile(path, std::uint64_t{1} << 30);
    if (!data)
        return Fail("Cannot read " + path + ": " + data.error());
    try {
        JpegDecoder decoder;
        BitmapImage image;
        decoder.ReadImage(*data, image);
        if (const std::string refusal = CheckPictureSize(image.Width(), image.Height());
            !refusal.empty())
            return Fail(refusal);
        return image;
    } catch (const EGraphicsException& error) {
        return Fail(error.what());
    } catch (const std::bad_alloc&) {
        return Fail("Not enough memory to decode " + path);
    }
}

} // namespace tessivar
