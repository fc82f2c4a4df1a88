// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/preview_pictures.h"

#include "util/errors.h"

namespace tc {

extern const Picture kPictureSet[kPictureCount];

const Picture& GetPicture(PictureId id) {
  const int i = int(id);
  if (i < 0 || i >= kPictureCount) throw RangeError();
  return kPictureSet[i];
}

const Picture* FindPicture(std::string_view name) {
  for (const Picture& p : kPictureSet)
    if (name == p.name) return &p;
  return nullptr;
}

}  // namespace tc
