#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

struct png_struct_def;
struct png_info_def;

/// Writes an RGB PNG to a stream one pixel row at a time, so that a picture larger than memory cares to hold
/// never exists whole. Throws std::runtime_error with libpng's reason when encoding or writing fails.
class pngRowWriter {
  public:
    /// Writes the file's header for a `width` × `height` picture [Limit: >= 1 each].
    pngRowWriter(std::ostream& out, unsigned width, unsigned height);
    ~pngRowWriter();
    pngRowWriter(const pngRowWriter&) = delete;
    pngRowWriter& operator=(const pngRowWriter&) = delete;

    /// The next row, top first: `width` pixels of 3 bytes (red, green, blue).
    void writeRow(const std::uint8_t* rgb);
    /// Ends the file after the last row.
    void finish();

  private:
    [[noreturn]] void fail();

    png_struct_def* png = nullptr;
    png_info_def* info = nullptr;
    /// libpng's reason for the last failure.
    std::string reason;
};
