#pragma once
// A small PNG writer: 8-bit RGB, no filtering, the image data in stored
// (uncompressed) deflate blocks. Enough for plots and previews; every
// viewer reads it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tc {

class RgbImage;

// CRC-32 as PNG chunks use it (ISO-HDLC, reflected 0xEDB88320). `crc` is a
// previous result to continue from.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
// Adler-32 of a zlib stream.
uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

// The PNG file of width x height pixels of packed r, g, b bytes.
// Throws TripError for an empty or negative size.
std::vector<uint8_t> EncodePng(int width, int height, const uint8_t* rgb);
std::vector<uint8_t> EncodePng(const RgbImage& image);

// Writes the PNG through the atomic file writer.
void WritePngFile(const std::string& path, const RgbImage& image);

}  // namespace tc
