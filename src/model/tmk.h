// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMK: the one in-memory picture of the trip computer. Only this class (and
// the functions in model/ that take it) touch the settings image bytes.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "catalog/meas_par.h"
#include "model/field.h"

namespace tc {

struct VariantFlags;
class TVariantCatalog;

constexpr int kBlockCount = 13;
constexpr int kDirectorySize = 68;
constexpr int kSchemeSize = 56;
constexpr int kOscRecordSize = 520;
// Image positions of the two oscilloscope records.
constexpr int kOscRecordPos[2] = {3542, 7606};

// Sizes of the block copies, index = block number (0 unused).
constexpr std::array<int, 14> kBlockSize = {0,   168, 28, 64,  420, 132, 76,
                                            860, 80,  40, 424, 60,  664, 16};

// Directory entry that describes block n (entry 12 has no block copy).
constexpr int DirectoryEntryOfBlock(int block) {
  return block <= 11 ? block : block + 1;
}

// Device address of image position 0 (the first page of each half is never
// transferred).
constexpr uint32_t kImageAddressBase = 32;
// Trailing bytes of every device block that the tool neither reads nor writes.
constexpr uint32_t kBlockTrailer = 4;

// The memory goes over the line in pages of 32 bytes; the image is the whole
// memory without the first page of each half.
constexpr uint32_t kMemoryPageSize = kImageAddressBase;
// The memory position of image position p, in a memory of memorySize bytes.
constexpr size_t MemoryPositionOf(size_t p, uint32_t memorySize) {
  return p < memorySize / 2 - kMemoryPageSize ? p + kMemoryPageSize : p + 2 * kMemoryPageSize;
}
// The image a whole memory holds (a dump of memorySize bytes).
std::vector<uint8_t> ImageOfMemory(std::span<const uint8_t> memory);

struct DirEntry {
  uint16_t address = 0;  // device address in the first half
  uint16_t size = 0;     // bytes in the device, including 4 trailing bytes

  // Whether the entry can describe a block: a size that holds the trailing
  // bytes and an address inside the image.
  bool DescribesBlock() const { return size >= kBlockTrailer && address >= kImageAddressBase; }
  // Image position of the block (only for an entry that describes one).
  size_t ImagePosition() const { return size_t(address) - kImageAddressBase; }
  // Bytes of the block without the trailing ones.
  size_t DataSize() const { return size_t(size) - kBlockTrailer; }
};

using ColourScheme = std::array<uint8_t, kSchemeSize>;

class TMK {
 public:
  // english picks the language of block 5's default texts.
  explicit TMK(bool english = false);
  ~TMK();
  TMK(const TMK&) = delete;
  TMK& operator=(const TMK&) = delete;

  // --- Image and directory -------------------------------------------------
  uint16_t DeviceVersion = 1;

  // The settings image as read from the device or a file (memory size - 64
  // bytes). It changes only through ReplaceImage and the block encodes.
  const std::vector<uint8_t>& Image() const { return image_; }

  const std::array<uint8_t, kDirectorySize>& Directory() const { return directory_; }
  // Entry k = 1..14 of the directory copy.
  DirEntry Entry(int k) const;
  uint32_t EntryCountToWrite() const;
  uint32_t LayoutVersion() const;
  // The same fields read from the head of any image; bytes beyond a short
  // image read as 0. Entry throws RangeError for k outside 1..14.
  static DirEntry EntryOf(std::span<const uint8_t> image, int k);
  static uint32_t EntryCountOf(std::span<const uint8_t> image);
  // Copies the directory from the head of the image (a short image leaves the
  // rest of the copy as it was).
  void RefreshDirectory();

  // Replaces the image (after a read or a load); the blocks are not decoded
  // and the directory copy is refreshed only by the next decode or encode.
  void ReplaceImage(std::vector<uint8_t> image, uint16_t deviceVersion);
  // The same, keeping DeviceVersion.
  void ReplaceImage(std::vector<uint8_t> image);

  // --- Blocks ----------------------------------------------------------------
  std::span<uint8_t> Block(int n);
  std::span<const uint8_t> Block(int n) const;
  // Throws RangeError for a block number outside 1..13, a directory size
  // below 4, or an address before the start of the image.
  void DecodeBlock(int n);
  void EncodeBlock(int n);
  // The groups used after a read or load (decode) and before a write or a
  // save (encode): blocks 1..12, and block 13 only where the image's
  // directory describes it, so images from devices without it still load.
  void DecodeSettingsBlocks();
  void EncodeSettingsBlocks();
  // Decodes only the block with the identity the variant is selected by
  // (the protocol number), for a command that needs the variant and nothing else.
  void DecodeIdentityBlock();

  // Everything a transfer may change: image, version word, directory copy
  // and blocks. A write that gives up before sending anything puts it back.
  struct State {
    std::vector<uint8_t> image;
    uint16_t deviceVersion = 1;
    std::array<uint8_t, kDirectorySize> directory{};
    std::array<std::vector<uint8_t>, kBlockCount + 1> blocks;
  };
  State SaveState() const;
  void RestoreState(State state);

  // --- Typed field access (little-endian, texts in Windows-1251) -------------
  // Reads throw RangeError for a field outside its block.
  int64_t GetInt(const FieldRef& f) const;
  double GetFloat(const FieldRef& f) const;
  // Numeric value of any non-text field.
  double GetValue(const FieldRef& f) const;
  // Writes refuse values that do not fit the field ("Range check error") and
  // leave the block unchanged.
  void SetInt(const FieldRef& f, int64_t v);
  void SetFloat(const FieldRef& f, double v);
  // Integer fields take v only when it is a whole number in range.
  void SetValue(const FieldRef& f, double v);
  // Texts are UTF-8 outside the model; the field holds Windows-1251, zero
  // padded, without terminator when full. Longer texts are cut to the field.
  std::string GetText(const FieldRef& f) const;
  void SetText(const FieldRef& f, const std::string& utf8);

  // --- Colour schemes ----------------------------------------------------------
  ColourScheme FactoryScheme1{};
  ColourScheme FactoryScheme2{};
  void BuildFactorySchemes(bool hybrid);
  static uint16_t PackColour(int r, int g, int b);
  struct Rgb5 {
    int r, g, b;
  };
  static Rgb5 UnpackColour(uint16_t c);

  // --- Oscilloscope ------------------------------------------------------------
  std::array<std::array<uint8_t, kOscRecordSize>, 2> OscRecords{};
  // Copies both records from their fixed image positions; bytes beyond the end
  // of a short image read as 0.
  void LoadOscRecords();

  // Block 5's default texts for a language (used at construction).
  void SetDefaultTexts(bool english);

  // --- Catalogue links -----------------------------------------------------------
  // The measured parameters the editor and the preview use; rebuilt, never
  // patched, so look parameters up again after a rebuild. The settings
  // document rebuilds them for its variant.
  TMeasParList MeasParList;
  void BuildMeasParList(const VariantFlags& flags);
  // First parameter in list order with this code, or nullptr.
  TMeasParBase* FindMeasPar(uint8_t code) const;
  // The identity the variant is selected by: the protocol number in block 11
  // and LayoutVersion, each refused with RangeError above 255.
  struct Identity {
    uint16_t deviceType;
    uint8_t protocolNumber;
    uint8_t subtype;
  };
  Identity VariantIdentity() const;
  // Writes the codes of the device menu's default entries into block 10,
  // from the menu items and flags of `variant`.
  void PlaceDefaultMenuCodes(const TVariantCatalog& variant);

 private:
  // Construction steps without the catalogue: the defaults of blocks 10,
  // 11 and 13 and the version words, then those of blocks 1 and 3..7.
  void FillDefaults();
  void FillRemainingDefaults(bool english);
  void CheckField(const FieldRef& f) const;
  // Position in the image of the block behind directory entry e; throws when
  // the entry cannot describe a block.
  size_t BlockPosition(int block, DirEntry& e);

  std::vector<uint8_t> image_;
  std::array<uint8_t, kDirectorySize> directory_{};
  std::array<std::vector<uint8_t>, kBlockCount + 1> blocks_;
};

}  // namespace tc
