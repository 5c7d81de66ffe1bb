#include "core/picture/PngWriter.h"

#include <png.h>

#include <csetjmp>

namespace tessivar {

struct PngCallbacks {
    static void write(png_structp png, png_bytep data, png_size_t length) {
        auto* self = static_cast<PngWriter*>(png_get_io_ptr(png));
        self->file_.Write(std::span<const std::uint8_t>(data, length));
    }
    static void flush(png_structp) {}
    static void error(png_structp png, png_const_charp message) {
        auto* self = static_cast<PngWriter*>(png_get_error_ptr(png));
        self->error_ = message ? message : "PNG error";
        png_longjmp(png, 1);
    }
    static void warning(png_structp, png_const_charp) {}
};

namespace {

png_structp pngOf(void* p) {
    return static_cast<png_structp>(p);
}
png_infop infoOf(void* p) {
    return static_cast<png_infop>(p);
}

} // namespace

PngWriter::PngWriter(AtomicFile& file)
    : file_(file) {}

PngWriter::~PngWriter() {
    png_structp png = pngOf(png_);
    png_infop info = infoOf(info_);
    if (png)
        png_destroy_write_struct(&png, info ? &info : nullptr);
}

Result<std::unique_ptr<PngWriter>> PngWriter::Start(AtomicFile& file, int width, int height) {
    if (width < 1 || height < 1)
        return Fail("The picture is empty");
    std::unique_ptr<PngWriter> writer(new PngWriter(file));
    PngWriter* self = writer.get();
    self->png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, self, PngCallbacks::error,
                                         PngCallbacks::warning);
    if (!self->png_)
        return Fail("Out of memory");
    png_structp png = pngOf(self->png_);
    self->info_ = png_create_info_struct(png);
    if (!self->info_)
        return Fail("Out of memory");
    self->rowBytes_ = static_cast<std::size_t>(width) * 3;
    if (setjmp(png_jmpbuf(png)))
        return Fail(self->error_);
    png_set_write_fn(png, self, PngCallbacks::write, PngCallbacks::flush);
    png_set_IHDR(png, infoOf(self->info_), static_cast<png_uint_32>(width),
                 static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 3);
    png_write_info(png, infoOf(self->info_));
    if (!file.status().ok())
        return Fail(file.status().error());
    return writer;
}

Status PngWriter::writeRow(std::span<const std::uint8_t> rgb) {
    if (rgb.size() != rowBytes_)
        return Fail("A picture row has the wrong length");
    png_structp png = pngOf(png_);
    if (setjmp(png_jmpbuf(png)))
        return Fail(error_);
    png_write_row(png, rgb.data());
    if (!file_.status().ok())
        return file_.status();
    return Ok();
}

Status PngWriter::finish() {
    png_structp png = pngOf(png_);
    if (setjmp(png_jmpbuf(png)))
        return Fail(error_);
    png_write_end(png, nullptr);
    return file_.status();
}

} // namespace tessivar
