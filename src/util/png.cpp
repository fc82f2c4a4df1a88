// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/png.h"

#if TRIPCONF_HAVE_LIBPNG
#include <png.h>
#else
#include "util/png_deflate.h"
#endif

#include <csetjmp>
#include <cstring>

#include "util/errors.h"
#include "util/files.h"
#include "util/rgb_image.h"
#include "util/text_pair.h"

namespace tc {

namespace {

#if TRIPCONF_HAVE_LIBPNG
struct Sink {
  std::vector<uint8_t>* out;
  char message[200];
};

void Append(png_structp png, png_bytep data, png_size_t size) {
  auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
  sink->out->insert(sink->out->end(), data, data + size);
}

void Flush(png_structp) {}

// libpng reports its errors by longjmp back into Encode; the text is kept
// for the exception thrown there.
[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* sink = static_cast<Sink*>(png_get_error_ptr(png));
  std::strncpy(sink->message, message ? message : "", sizeof sink->message - 1);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// No object with a destructor lives in this frame, so the longjmp from
// OnError skips nothing. Returns false with sink.message set on failure.
bool Encode(Sink& sink, png_uint_32 width, png_uint_32 height, const uint8_t* rgb) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnError, OnWarning);
  if (!png) {
    std::strcpy(sink.message, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    if (!info) std::strcpy(sink.message, "out of memory");
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &sink, Append, Flush);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (png_uint_32 y = 0; y < height; ++y) png_write_row(png, rgb + size_t(y) * width * 3);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}
#else
// Without libpng (the Windows build) the same file comes from zlib alone.
struct Sink {
  std::vector<uint8_t>* out;
  std::string message;
};

bool Encode(Sink& sink, uint32_t width, uint32_t height, const uint8_t* rgb) {
  return EncodePngWithZlib(width, height, rgb, *sink.out, sink.message);
}

using png_uint_32 = uint32_t;
#endif

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, const uint8_t* rgb) {
  if (width <= 0 || height <= 0 || !rgb)
    throw TripError(
        (EnglishVersion() ? "An image of " : "Изображение ") + std::to_string(width) + " x " +
        std::to_string(height) +
        (EnglishVersion() ? " pixels cannot be saved as PNG" : " точек нельзя сохранить в PNG"));
  std::vector<uint8_t> out;
  Sink sink{&out, {}};
  if (!Encode(sink, png_uint_32(width), png_uint_32(height), rgb))
    throw TripError(std::string(EnglishVersion() ? "The picture could not be made into a PNG file: "
                                                 : "Не удалось записать изображение в PNG: ") +
                    sink.message);
  return out;
}

std::vector<uint8_t> EncodePng(const RgbImage& image) {
  return EncodePng(image.Width(), image.Height(), image.Bytes().data());
}

void WritePngFile(const std::string& path, const RgbImage& image) {
  WriteFileAtomic(path, EncodePng(image));
}

}  // namespace tc
