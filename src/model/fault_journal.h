// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fault journal in block 12: seven fault records with the engine data
// stored when a fault was noticed, the trouble-code texts of every code kind,
// and the stored-data table.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/journals.h"
#include "model/settings_layout.h"
#include "util/text_pair.h"

namespace tc {

class TMK;

constexpr int kFaultRecords = layout::kFaultRecordCount;
constexpr int kStoredValues = layout::kFaultStoredValues;

// One fault record with its stored engine data, as the map declares it.
using FaultRecord = layout::FaultRecord;

// Throws RangeError for a record outside 0..6.
FaultRecord ReadFaultRecord(const TMK& mk, int record);

// --- Trouble codes ------------------------------------------------------------------

// The two block 11 switches that refine the code kind of the protocol.
struct CodeSwitches {
  uint8_t decimalCodes = 0;
  uint8_t letterCodes = 0;
};
CodeSwitches ReadCodeSwitches(const TMK& mk);

// Kind 8 codes from 0x4000 carry three decimal digits in their low 10 bits;
// this turns them into the hexadecimal digits of an ordinary P code.
// Codes of 0x5000 and above give 0.
uint32_t ConvertKind8Code(uint32_t code);

// The trouble code as the fault list shows it. `kind` is the code kind of
// the engine-control protocol; the switches adjust kinds 7, 8 and 9.
// Unknown kinds give an empty text.
std::string FormatTroubleCode(int kind, uint32_t code, CodeSwitches switches = {});

// --- Stored engine data ----------------------------------------------------------------

enum class StoredKind : uint8_t { Integer, Scaled, FuelStatus, SecondaryAir };

struct StoredItem {
  int item;  // number in the support set (the OBD-II mode 1 PID)
  // The record's fuel system 1 or 2 (FuelStatus), else the index of the
  // stored value.
  int value;
  TextPair label;
  StoredKind kind;
  int scale;     // divisor of a scaled value
  int decimals;  // digits after the separator of a scaled value
};

// In display order; item 3 appears twice (fuel systems 1 and 2).
extern const std::array<StoredItem, 41> kStoredItems;

// Whether item 1..96 is in the support set; any other number is not.
bool IsItemStored(const TMK& mk, int item);

std::string FuelSystemStatusText(int status, bool english);
std::string SecondaryAirText(int value, bool english);

// The (label, value) rows of the stored-data table for fault record 0..6:
// none when the record holds no stored data, else the code that caused it,
// then every supported item in table order.
std::vector<LabelValue> StoredDataRows(const TMK& mk, int record, const CellFormat& fmt);

// Clears the support set and the two codes of every fault record.
void ResetFaultJournal(TMK& mk);

}  // namespace tc
