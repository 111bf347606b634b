#include "world/jpegFile.hpp"

#include "app/atomicFile.hpp"

#include <turbojpeg.h>

#include <algorithm>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int JPEG_QUALITY = 90;

struct compressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

/// One TurboJPEG compressor and its output buffer, owned by one thread.
class jpegCompressor {
  public:
    jpegCompressor() : handle(tjInitCompress()) {}

    /// Encodes into the compressor's own buffer; on failure `error` holds the reason.
    bool compress(const std::uint8_t* pixels, unsigned width, unsigned height, pixelLayout layout,
                  std::string& error) {
        if (!handle) {
            error = std::string("cannot create a JPEG compressor: ") + tjGetErrorStr2(nullptr);
            return false;
        }
        const int w = static_cast<int>(width);
        const int h = static_cast<int>(height);
        const unsigned long capacity = tjBufSize(w, h, TJSAMP_420);
        if (capacity == static_cast<unsigned long>(-1)) {
            error = tjGetErrorStr2(nullptr);
            return false;
        }
        // A buffer of the worst-case size lets TurboJPEG write without reallocating.
        if (buffer.size() < capacity) {
            buffer.resize(capacity);
        }
        unsigned char* output = buffer.data();
        unsigned long outputSize = capacity;
        const int format = layout == pixelLayout::rgb ? TJPF_RGB : TJPF_RGBA;
        if (tjCompress2(handle.get(), pixels, w, 0, h, format, &output, &outputSize, TJSAMP_420, JPEG_QUALITY,
                        TJFLAG_NOREALLOC) != 0) {
            error = tjGetErrorStr2(handle.get());
            return false;
        }
        size = outputSize;
        return true;
    }

    const unsigned char* data() const { return buffer.data(); }
    std::size_t bytes() const { return size; }

  private:
    std::unique_ptr<void, compressorDeleter> handle;
    std::vector<unsigned char> buffer;
    std::size_t size = 0;
};

/// A side scaled by `factor`, rounded up as TurboJPEG rounds it.
unsigned scaledSize(unsigned side, tjscalingfactor factor) {
    return static_cast<unsigned>(TJSCALED(static_cast<int>(side), factor));
}

/// The smallest of TurboJPEG's scaling factors up to 1 that keeps `pictureSide` at least `shownSide`; 1 for
/// a `shownSide` of 0.
tjscalingfactor scalingFor(unsigned pictureSide, unsigned shownSide) {
    tjscalingfactor best{1, 1};
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    for (int i = 0; factors != nullptr && shownSide > 0 && i < count; ++i) {
        const tjscalingfactor factor = factors[i];
        if (factor.num <= factor.denom && scaledSize(pictureSide, factor) >= shownSide &&
            scaledSize(pictureSide, factor) < scaledSize(pictureSide, best)) {
            best = factor;
        }
    }
    return best;
}

struct decompressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

/// One TurboJPEG decompressor and the file buffer it reads from, owned by one thread.
class jpegDecompressor {
  public:
    jpegDecompressor() : handle(tjInitDecompress()) {}

    bool decompress(const std::string& path, rgbaPicture& picture, std::string& error, unsigned shownSide) {
        if (!handle) {
            error = std::string("cannot create a JPEG decompressor: ") + tjGetErrorStr2(nullptr);
            return false;
        }
        std::ifstream file(path, std::ios::binary | std::ios::ate);
        if (!file) {
            error = "cannot open the file";
            return false;
        }
        const std::streamoff size = file.tellg();
        file.seekg(0);
        input.resize(static_cast<std::size_t>(std::max<std::streamoff>(size, 0)));
        if (!file.read(reinterpret_cast<char*>(input.data()), size)) {
            error = "cannot read the file";
            return false;
        }
        int w = 0;
        int h = 0;
        int subsampling = 0;
        int colourspace = 0;
        if (tjDecompressHeader3(handle.get(), input.data(), input.size(), &w, &h, &subsampling,
                                &colourspace) != 0) {
            error = tjGetErrorStr2(handle.get());
            return false;
        }
        // TurboJPEG picks the largest scaling factor that keeps within the size asked for: this one.
        const tjscalingfactor factor = scalingFor(static_cast<unsigned>(std::max(w, h)), shownSide);
        w = TJSCALED(w, factor);
        h = TJSCALED(h, factor);
        picture.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
        if (tjDecompress2(handle.get(), input.data(), input.size(), picture.pixels.data(), w, 0, h, TJPF_RGBA,
                          0) != 0) {
            error = tjGetErrorStr2(handle.get());
            return false;
        }
        picture.width = static_cast<unsigned>(w);
        picture.height = static_cast<unsigned>(h);
        return true;
    }

  private:
    std::unique_ptr<void, decompressorDeleter> handle;
    std::vector<unsigned char> input;
};

void reportFailure(const std::string& path, const std::string& reason) {
    // One insertion per line keeps lines from concurrent writers whole.
    std::cerr << ("Could not write JPEG image " + path + ": " + reason + "\n");
}

} // namespace

bool writeJpeg(const std::uint8_t* pixels, unsigned width, unsigned height, pixelLayout layout,
               const std::string& path) {
    thread_local jpegCompressor compressor;
    std::string error;
    if (pixels == nullptr || width == 0 || height == 0) {
        error = "the image is empty";
    } else if (compressor.compress(pixels, width, height, layout, error)) {
        try {
            writeFileAtomically(
                path, std::ios::binary,
                [&](std::ostream& file) {
                    file.write(reinterpret_cast<const char*>(compressor.data()),
                               static_cast<std::streamsize>(compressor.bytes()));
                },
                fileDurability::deferred);
            return true;
        } catch (const std::exception& failure) {
            // One insertion per line keeps lines from concurrent writers whole.
            std::cerr << (std::string(failure.what()) + "\n");
            return false;
        }
    }
    reportFailure(path, error);
    return false;
}

bool writeJpeg(const sf::Image& image, const std::string& path) {
    const sf::Vector2u size = image.getSize();
    // SFML complains when asked for the pixels of an empty image; the check below reports it instead.
    const std::uint8_t* pixels = size.x > 0 && size.y > 0 ? image.getPixelsPtr() : nullptr;
    return writeJpeg(pixels, size.x, size.y, pixelLayout::rgba, path);
}

unsigned scaledJpegSide(unsigned pictureSide, unsigned shownSide) {
    return scaledSize(pictureSide, scalingFor(pictureSide, shownSide));
}

bool readJpeg(const std::string& path, rgbaPicture& picture, std::string& error, unsigned shownSide) {
    thread_local jpegDecompressor decompressor;
    if (decompressor.decompress(path, picture, error, shownSide)) {
        return true;
    }
    picture = rgbaPicture();
    return false;
}
