#include "core/picture/PngReader.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

namespace tessivar {

struct PngReadCallbacks {
    static void Read(png_structp png, png_bytep data, png_size_t length) {
        auto* self = static_cast<PngReader*>(png_get_io_ptr(png));
        if (self->file_.Read({data, length}) != length)
            png_error(png, self->file_.ReadError().empty() ? "the file ends before the picture does"
                                                           : self->file_.ReadError().c_str());
    }
    static void Error(png_structp png, png_const_charp message) {
        auto* self = static_cast<PngReader*>(png_get_error_ptr(png));
        self->error_ = message != nullptr ? message : "unknown error";
        png_longjmp(png, 1);
    }
    static void Warning(png_structp, png_const_charp) {}
};

namespace {

// Each libpng call that may fail runs in its own small function holding nothing with a
// destructor, so that the jump back from an error skips no C++ clean-up.
bool ReadInfo(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    return true;
}

bool SetUp(png_structp png, png_infop info, bool keepIndexes, int* passes) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    const int type = png_get_color_type(png, info);
    if (keepIndexes) {
        png_set_packing(png);
    } else {
        if (type == PNG_COLOR_TYPE_PALETTE)
            png_set_palette_to_rgb(png);
        if (type == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
            png_set_expand_gray_1_2_4_to_8(png);
        // Also drops the alpha that expanding a palette with a tRNS chunk adds.
        png_set_strip_alpha(png);
        if ((type & PNG_COLOR_MASK_COLOR) == 0)
            png_set_gray_to_rgb(png);
        png_set_scale_16(png);
        png_set_bgr(png);
    }
    *passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadPngRow(png_structp png, png_bytep row) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_row(png, row, nullptr);
    return true;
}

bool ReadPngImage(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    return true;
}

bool ReadEnd(png_structp png) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_end(png, nullptr);
    return true;
}

} // namespace

PngReader::PngReader(InputFile file)
    : file_(std::move(file)) {}

PngReader::~PngReader() {
    auto png = static_cast<png_structp>(png_);
    auto info = static_cast<png_infop>(info_);
    if (png != nullptr)
        png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
}

Result<std::unique_ptr<PngReader>> PngReader::Open(InputFile file, Rows rows) {
    std::unique_ptr<PngReader> reader(new PngReader(std::move(file)));
    if (Status status = reader->Start(rows); !status)
        return Fail(status.error());
    return reader;
}

Status PngReader::Failed(const char* doing) {
    return failure_ = Fail(std::string("Cannot ") + doing + " the PNG picture: " + error_);
}

Status PngReader::Start(Rows rows) {
    std::uint8_t signature[8] = {};
    if (file_.Read(signature) != sizeof signature || png_sig_cmp(signature, 0, 8) != 0)
        return Fail("It is not a PNG picture (its first bytes are not the PNG signature)");
    auto png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, PngReadCallbacks::Error,
                                      PngReadCallbacks::Warning);
    png_ = png;
    if (png == nullptr)
        return Fail(kPictureOutOfMemory);
    auto info = png_create_info_struct(png);
    info_ = info;
    if (info == nullptr)
        return Fail(kPictureOutOfMemory);
    png_set_read_fn(png, this, PngReadCallbacks::Read);
    png_set_sig_bytes(png, 8);
    // The size is checked below, with the same refusal as for every other picture.
    png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
    // Text, profiles and other side chunks may not take more than this each.
    png_set_chunk_malloc_max(png, 8 * 1024 * 1024);
    if (!ReadInfo(png, info))
        return Failed("read");
    const long long width = png_get_image_width(png, info);
    const long long height = png_get_image_height(png, info);
    if (Status fits = CheckPictureSize(width, height); !fits)
        return Fail(fits.error());
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    const bool keepIndexes = rows == Rows::Indexes;
    if (keepIndexes) {
        png_colorp entries = nullptr;
        int count = 0;
        if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE ||
            png_get_PLTE(png, info, &entries, &count) == 0)
            return Fail("The PNG picture has no palette");
        for (int i = 0; i < count; ++i)
            palette_.push_back({entries[i].red, entries[i].green, entries[i].blue});
    }
    if (!SetUp(png, info, keepIndexes, &passes_))
        return Failed("read");
    rowBytes_ = png_get_rowbytes(png, info);
    const std::size_t expected = static_cast<std::size_t>(width_) * (keepIndexes ? 1 : 3);
    if (rowBytes_ != expected)
        return Fail("The PNG picture has an unexpected row size");
    return Ok();
}

Status PngReader::NextRow(std::span<std::uint8_t> out) {
    if (!failure_)
        return failure_;
    if (nextRow_ >= height_ || out.size() != rowBytes_)
        return failure_ = Fail("No such picture row");
    auto png = static_cast<png_structp>(png_);
    if (passes_ > 1) {
        if (whole_.empty()) {
            whole_.resize(rowBytes_ * static_cast<std::size_t>(height_));
            std::vector<png_bytep> rows(static_cast<std::size_t>(height_));
            for (std::size_t y = 0; y < rows.size(); ++y)
                rows[y] = whole_.data() + y * rowBytes_;
            if (!ReadPngImage(png, rows.data()))
                return Failed("read");
        }
        std::memcpy(out.data(), whole_.data() + static_cast<std::size_t>(nextRow_) * rowBytes_,
                    rowBytes_);
    } else if (!ReadPngRow(png, out.data())) {
        return Failed("read");
    }
    // After the last row the rest of the file is checked too.
    if (++nextRow_ == height_ && !ReadEnd(png))
        return Failed("read");
    return Ok();
}

Status PngReader::ReadRow(std::span<std::uint8_t> bgr) {
    if (!palette_.empty())
        return Fail("The PNG picture was opened for its indexes");
    return NextRow(bgr);
}

Status PngReader::ReadIndexRow(std::span<std::uint8_t> indexes) {
    if (palette_.empty())
        return Fail("The PNG picture was opened for its colours");
    return NextRow(indexes);
}

} // namespace tessivar
