// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/service_file.h"

#include "model/settings_layout.h"

namespace tc {

const SideFileFormat& ServiceFileFormat() {
  using namespace layout;
  static const SideFileFormat format{
      {"настроек ТО", "service settings"},
      "dvkpt",
      "Файлы настроек ТО (*.dvkpt)",
      kServiceFileSize,
      {
          {0, kServiceCounters.first, uint16_t(kServiceCounters.Size())},
          {7, kUseUniMeas},
          {8, kDateTO},
          {12, kDateOSAGO},
          {16, kServiceCarried16},
          {20, kServiceCarriedSystems.first, uint16_t(kServiceCarriedSystems.Size())},
          {52, kUniMeasADC.first, uint16_t(kUniMeasADC.Size())},
          {56, kUniMeasDat.first, uint16_t(kUniMeasDat.Size())},
          {60, kUserParamName},
          {67, kAirWaterShow},
          {68, kServiceNames.first, uint16_t(kServiceNames.Size())},
          {116, kServiceFlags},
          {118, kServiceCarried118},
          {119, kServiceCarried119},
          {120, kServiceCarried120},
          {122, kMotoHourLim},
          {124, kServiceCarried124},
      }};
  return format;
}

}  // namespace tc
