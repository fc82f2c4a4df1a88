// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two lower members of the link class family: a component with an ini
// section, and the frame buffers with their put, get and finish operations.
#include <array>
#include <cstdint>
#include <string>

namespace tc {

class TMIniFile;

class TMLBaseDevice {
 public:
  explicit TMLBaseDevice(std::string sectionName) : sectionName_(std::move(sectionName)) {}
  virtual ~TMLBaseDevice() = default;
  TMLBaseDevice(const TMLBaseDevice&) = delete;
  TMLBaseDevice& operator=(const TMLBaseDevice&) = delete;

  virtual void LoadLinkSettings(const TMIniFile&) {}
  virtual void SaveLinkSettings(TMIniFile&) const {}
  const std::string& SectionName() const { return sectionName_; }

 private:
  std::string sectionName_;
};

class TMLBaseInterface : public TMLBaseDevice {
 public:
  static constexpr int kBufferSize = 2048;
  static constexpr uint16_t kHeaderWord = 0x0001;

  using TMLBaseDevice::TMLBaseDevice;

  std::array<uint8_t, kBufferSize> TxBuffer{};
  int TxCount = 0;  // next byte to put; after finishing, the checksum's index
  std::array<uint8_t, kBufferSize> RxBuffer{};
  int RxPos = 0;  // next reply byte to take

  // True when the frame in RxBuffer sums to 0 modulo 256.
  virtual bool ReplyChecksumOk() const;
  virtual void BeginTransmit() { TxCount = 1; }
  // Stores the length byte (TxCount + 1, at most 255) and the checksum at
  // TxCount. Throws RangeError for a frame too long for its length byte.
  virtual void FinishFrame();

  // Append at TxCount; RangeError beyond the buffer.
  virtual void PutByte(uint8_t b);
  virtual void PutWord(uint16_t w);
  // Take from RxPos; RangeError beyond the buffer.
  virtual uint8_t GetByte();
  virtual uint16_t GetWord();

  virtual void BeginFrame(uint8_t address, uint8_t command);
  virtual void Execute() = 0;
  virtual void Command(uint8_t address, uint8_t command);
};

}  // namespace tc
