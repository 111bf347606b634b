#include "world/pngFile.hpp"

#include <csetjmp>
#include <ostream>
#include <png.h>
#include <stdexcept>

// libpng reports an error by a long jump back to the setjmp of the call into it. Each function below calls
// setjmp with no object alive that needs destroying, and the callbacks keep none, so the jump skips nothing
// but libpng's own frames; the C++ exception is thrown after it.

namespace {

void recordError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

void writeToStream(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::ostream*>(png_get_io_ptr(png));
    if (!out->write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length))) {
        png_error(png, "the file could not be written");
    }
}

void flushStream(png_structp png) {
    static_cast<std::ostream*>(png_get_io_ptr(png))->flush();
}

} // namespace

pngRowWriter::pngRowWriter(std::ostream& out, unsigned width, unsigned height) {
    png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, recordError, ignoreWarning);
    info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("libpng could not start");
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
        // The destructor does not run for an object whose constructor throws.
        png_destroy_write_struct(&png, &info);
        fail();
    }
    png_set_write_fn(png, &out, writeToStream, flushStream);
    // Terrain is large blocks of one colour: a fast level packs it almost as well as the slowest.
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
}

pngRowWriter::~pngRowWriter() {
    png_destroy_write_struct(&png, &info);
}

void pngRowWriter::writeRow(const std::uint8_t* rgb) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        fail();
    }
    png_write_row(png, rgb);
}

void pngRowWriter::finish() {
    if (setjmp(png_jmpbuf(png)) != 0) {
        fail();
    }
    png_write_end(png, nullptr);
}

void pngRowWriter::fail() {
    throw std::runtime_error("the PNG could not be written: " + reason);
}
