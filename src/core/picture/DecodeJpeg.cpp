#include "core/picture/DecodeJpeg.h"

#include "core/picture/GraphicsExceptions.h"
#include "core/picture/PictureReader.h"
#include "core/picture/jpeg/JpegDecoder.h"

#include <new>

namespace tessivar {

Result<BitmapImage> DecodeJpeg(std::span<const std::uint8_t> bytes) {
    try {
        JpegDecoder decoder;
        BitmapImage image;
        decoder.ReadImage(bytes, image);
        return image;
    } catch (const EGraphicsException& error) {
        return Fail(error.what());
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
}

Status DecodeJpegRows(std::span<const std::uint8_t> bytes, const JpegRowSink& sink) {
    try {
        JpegDecoder decoder;
        decoder.DecodeRows(bytes, sink);
        return Ok();
    } catch (const EGraphicsException& error) {
        return Fail(error.what());
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
}

} // namespace tessivar
