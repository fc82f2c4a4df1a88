// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one reader and writer of records: a whole record moves between the
// block copies and its struct, member by member, as the map declares it.
#include <string>

#include "model/field.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

// Throws RangeError naming the record ("journal record 21 is outside 0-20")
// for an index outside the array.
template <class R>
void CheckRecordIndex(const RecordArray<R>& records, int r) {
  if (r < 0 || r >= records.count)
    throw RangeError("Range check error: " + std::string(records.noun) + " " + std::to_string(r) +
                     " is outside 0-" + std::to_string(records.count - 1));
}

template <class R>
R ReadRecord(const TMK& mk, const RecordArray<R>& records, int r) {
  CheckRecordIndex(records, r);
  R out{};
  for (const RecordMember<R>& m : records.members)
    for (int i = 0; i < m.count; ++i) m.put(out, i, mk.GetInt(records.Field(r, m, i)));
  return out;
}

// Every member's fields take the struct's values; the member types match
// the field types, so no value is refused.
template <class R>
void WriteRecord(TMK& mk, const RecordArray<R>& records, int r, const R& value) {
  CheckRecordIndex(records, r);
  for (const RecordMember<R>& m : records.members)
    for (int i = 0; i < m.count; ++i) mk.SetInt(records.Field(r, m, i), m.get(value, i));
}

}  // namespace tc
