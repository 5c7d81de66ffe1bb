#include "core/picture/PictureFile.h"

#include "core/files/FileIo.h"
#include "core/files/InputFile.h"
#include "core/picture/BmpReader.h"
#include "core/picture/DecodeJpeg.h"
#include "core/picture/PngReader.h"

#include <algorithm>
#include <new>

namespace tessivar {

namespace {

class ImageRows final : public PictureReader {
public:
    explicit ImageRows(const BitmapImage& image)
        : image_(image) {
        width_ = image.Width();
        height_ = image.Height();
    }
    Status ReadRow(std::span<std::uint8_t> bgr) override {
        if (next_ >= height_ || bgr.size() != static_cast<std::size_t>(width_) * 3)
            return Fail("No such picture row");
        image_.CopyRowAsBgr(next_++, bgr);
        return Ok();
    }
    Status SkipRow() override {
        if (next_ >= height_)
            return Fail("No such picture row");
        ++next_;
        return Ok();
    }

private:
    const BitmapImage& image_;
    int next_ = 0;
};

// Keeps a decoded JPEG picture alive for its rows.
class OwnedImageRows final : public PictureReader {
public:
    explicit OwnedImageRows(BitmapImage image)
        : image_(std::move(image))
        , rows_(image_) {
        width_ = image_.Width();
        height_ = image_.Height();
    }
    Status ReadRow(std::span<std::uint8_t> bgr) override { return rows_.ReadRow(bgr); }
    Status SkipRow() override { return rows_.SkipRow(); }

private:
    BitmapImage image_;
    ImageRows rows_;
};

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

template <typename Reader> Result<std::unique_ptr<PictureReader>> Opened(Result<Reader> reader) {
    if (!reader)
        return Fail(reader.error());
    return std::unique_ptr<PictureReader>(std::move(*reader));
}

Result<BitmapImage> DecodeJpegFile(InputFile& file) {
    // A JPEG stream of the largest picture accepted is far smaller than this.
    constexpr std::uint64_t kLargestJpegBytes = std::uint64_t{1} << 30;
    if (file.size() > kLargestJpegBytes)
        return Fail("The file is too large for a JPEG picture");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(file.size()));
    if (!file.ReadAt(0, data))
        return Fail(file.ReadError().empty() ? "The file got shorter while it was read"
                                             : file.ReadError());
    auto image = DecodeJpeg(data);
    if (!image)
        return image;
    if (Status fits = CheckPictureSize(image->Width(), image->Height()); !fits)
        return Fail(fits.error());
    return image;
}

Result<InputFile> OpenPictureOfKind(const std::string& path, PictureKind& kind) {
    auto file = InputFile::Open(path);
    if (!file)
        return file;
    std::uint8_t head[sizeof kPngSignature] = {};
    const std::size_t got = file->Read(head);
    file->Seek(0);
    kind = ClassifyPicture(path, std::span(head, got));
    return file;
}

Result<std::unique_ptr<PictureReader>> ReaderOf(InputFile file, PictureKind kind) {
    switch (kind) {
    case PictureKind::Png:
        return Opened(PngReader::Open(std::move(file)));
    case PictureKind::Bitmap:
        return Opened(BmpReader::Open(std::move(file)));
    case PictureKind::Jpeg:
        break;
    }
    auto image = DecodeJpegFile(file);
    if (!image)
        return Fail(image.error());
    return std::unique_ptr<PictureReader>(new OwnedImageRows(std::move(*image)));
}

} // namespace

PictureKind ClassifyPicture(const std::string& path, std::span<const std::uint8_t> firstBytes) {
    if (ExtensionOf(path) == ".jpg" ||
        (firstBytes.size() >= 2 && firstBytes[0] == 0xFF && firstBytes[1] == 0xD8))
        return PictureKind::Jpeg;
    if (firstBytes.size() >= sizeof kPngSignature &&
        std::equal(std::begin(kPngSignature), std::end(kPngSignature), firstBytes.begin()))
        return PictureKind::Png;
    return PictureKind::Bitmap;
}

Result<std::unique_ptr<PictureReader>> OpenPicture(const std::string& path) {
    PictureKind kind{};
    auto file = OpenPictureOfKind(path, kind);
    if (!file)
        return Fail(file.error());
    try {
        return ReaderOf(std::move(*file), kind);
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
}

Result<BitmapImage> NewPicture(int width, int height) {
    if (Status fits = CheckPictureSize(width, height); !fits)
        return Fail(fits.error());
    try {
        BitmapImage image;
        image.SetSizeForWriting(width, height, 24);
        return image;
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
}

Result<BitmapImage> ReadPicture(const std::string& path) {
    PictureKind kind{};
    auto file = OpenPictureOfKind(path, kind);
    if (!file)
        return Fail(file.error());
    try {
        // A JPEG picture is whole once decoded: it is handed over as it is.
        if (kind == PictureKind::Jpeg)
            return DecodeJpegFile(*file);
        auto reader = ReaderOf(std::move(*file), kind);
        if (!reader)
            return Fail(reader.error());
        BitmapImage image;
        image.SetSizeForWriting((*reader)->Width(), (*reader)->Height(), 24);
        for (int y = 0; y < image.Height(); ++y)
            if (Status status = (*reader)->ReadRow(image.Row(y)); !status)
                return Fail(status.error());
        return image;
    } catch (const std::bad_alloc&) {
        return Fail(kPictureOutOfMemory);
    }
}

std::unique_ptr<PictureReader> ReadRowsOf(const BitmapImage& image) {
    return std::make_unique<ImageRows>(image);
}

} // namespace tessivar
