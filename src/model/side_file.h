// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Side files: flat copies of a few settings fields, with no header, that let
// a calibration or the service reminders survive a change of the device
// software. Each format is a table of (file offset, field); the fields are
// copied byte for byte in that order.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/field.h"
#include "util/text_pair.h"

namespace tc {

class TMK;

struct SideFileEntry {
  uint16_t fileOffset;
  FieldRef field;  // the first of `count` adjacent fields
  uint16_t count = 1;
  int Bytes() const { return field.Width() * count; }
};

struct SideFileFormat {
  TextPair what;  // "tank settings", for the messages
  const char* extension;
  const char* filter;  // dialog filter text, the same in both languages
  size_t size;
  std::vector<SideFileEntry> entries;
  // The rule that runs once the bytes are in the fields (nullptr: none).
  void (*afterLoad)(TMK&) = nullptr;
};

std::vector<uint8_t> SideFileBytes(const TMK& mk, const SideFileFormat& format);
// Copies the bytes into the fields in file order; bytes beyond the format's
// size are ignored, and a shorter piece fills the fields as far as it reaches.
// Then the format's afterLoad rule runs.
void ApplySideFileBytes(TMK& mk, const SideFileFormat& format, std::span<const uint8_t> bytes);

// Writes through a temporary file renamed over the target: a failed save
// leaves an earlier file as it was. Throws FileError "Cannot create file
// "NAME". REASON" (our words in the user's language, the system's reason).
void WriteSideFile(const TMK& mk, const SideFileFormat& format, const std::string& path);
// Reads the whole file; one that cannot be opened or read throws FileError
// "Cannot open file "NAME". REASON". An empty file, or one larger than the format, is
// refused with TripError in the user's language; a shorter one is returned
// as it is (the caller asks before it loads it: see ShortSideFileQuestion).
std::vector<uint8_t> ReadSideFile(const SideFileFormat& format, const std::string& path);
// The question asked before a file shorter than its format is loaded, and
// the note the command line gives when it refuses one.
std::string ShortSideFileQuestion(const SideFileFormat& format, const std::string& path,
                                  size_t size);
std::string ShortSideFileRefusal(const SideFileFormat& format, const std::string& path,
                                 size_t size);

}  // namespace tc
