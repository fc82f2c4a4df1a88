#include "util/png.h"

#include <array>

#include "util/errors.h"
#include "util/files.h"
#include "util/rgb_image.h"

namespace tc {

namespace {

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(v >> s));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
  PutBE32(out, uint32_t(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBE32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
  const auto& t = CrcTable();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = t[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler) {
  uint32_t a = adler & 0xFFFF, b = adler >> 16;
  constexpr uint32_t kMod = 65521;
  while (size > 0) {
    // 5552 bytes is the most that cannot overflow b before the modulo.
    const size_t n = size < 5552 ? size : 5552;
    for (size_t i = 0; i < n; ++i) {
      a += data[i];
      b += a;
    }
    a %= kMod;
    b %= kMod;
    data += n;
    size -= n;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(int width, int height, const uint8_t* rgb) {
  if (width <= 0 || height <= 0)
    throw TripError("An image of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels cannot be saved as PNG");
  const size_t rowBytes = size_t(width) * 3;

  // Raw scan lines, each led by filter type 0 (none).
  std::vector<uint8_t> raw;
  raw.reserve((rowBytes + 1) * size_t(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rgb + size_t(y) * rowBytes, rgb + size_t(y + 1) * rowBytes);
  }

  // zlib stream: header (deflate, 32 KiB window, no dictionary, check bits),
  // stored blocks of at most 65535 bytes, Adler-32 of the raw data.
  std::vector<uint8_t> z = {0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
    const bool last = pos + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(uint8_t(n));
    z.push_back(uint8_t(n >> 8));
    z.push_back(uint8_t(~n));
    z.push_back(uint8_t(~n >> 8));
    z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
    pos += n;
  } while (pos < raw.size());
  PutBE32(z, Adler32(raw.data(), raw.size()));

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutBE32(ihdr, uint32_t(width));
  PutBE32(ihdr, uint32_t(height));
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  PutChunk(png, "IHDR", ihdr);
  PutChunk(png, "IDAT", z);
  PutChunk(png, "IEND", {});
  return png;
}

std::vector<uint8_t> EncodePng(const RgbImage& image) {
  return EncodePng(image.Width(), image.Height(), image.Bytes().data());
}

void WritePngFile(const std::string& path, const RgbImage& image) {
  WriteFileAtomic(path, EncodePng(image));
}

}  // namespace tc
