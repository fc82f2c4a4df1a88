// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ml_interface.h"

#include "util/errors.h"

namespace tc {

bool TMLBaseInterface::ReplyChecksumOk() const {
  const int n = RxBuffer[0] == 0 ? 256 : RxBuffer[0];
  uint8_t sum = 0;
  for (int i = 0; i < n; ++i) sum = uint8_t(sum + RxBuffer[i]);
  return sum == 0;
}

void TMLBaseInterface::FinishFrame() {
  if (TxCount < 1 || TxCount + 1 > 255) throw RangeError();
  TxBuffer[0] = uint8_t(TxCount + 1);
  uint8_t sum = 0;
  for (int i = 0; i < TxCount; ++i) sum = uint8_t(sum + TxBuffer[i]);
  TxBuffer[TxCount] = uint8_t(-sum);
}

void TMLBaseInterface::PutByte(uint8_t b) {
  if (TxCount < 0 || TxCount >= kBufferSize) throw RangeError();
  TxBuffer[TxCount++] = b;
}

void TMLBaseInterface::PutWord(uint16_t w) {
  PutByte(uint8_t(w & 0xFF));
  PutByte(uint8_t(w >> 8));
}

uint8_t TMLBaseInterface::GetByte() {
  if (RxPos < 0 || RxPos >= kBufferSize) throw RangeError();
  return RxBuffer[RxPos++];
}

uint16_t TMLBaseInterface::GetWord() {
  const uint8_t lo = GetByte();
  return uint16_t(lo | (GetByte() << 8));
}

void TMLBaseInterface::BeginFrame(uint8_t address, uint8_t command) {
  BeginTransmit();
  PutByte(address);
  PutWord(kHeaderWord);
  PutByte(command);
}

void TMLBaseInterface::Command(uint8_t address, uint8_t command) {
  BeginFrame(address, command);
  Execute();
}

}  // namespace tc
