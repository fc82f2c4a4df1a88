// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tank_file.h"

#include "model/settings_layout.h"
#include "model/tmk.h"

namespace tc {

bool NormaliseTareCount(TMK& mk) {
  if (mk.GetInt(layout::kTarirLeng) <= layout::kTarePointsMax) return false;
  mk.SetInt(layout::kTarirLeng, 0);
  return true;
}

namespace {
void AfterTankFileLoaded(TMK& mk) {
  NormaliseTareCount(mk);
}
}  // namespace

const SideFileFormat& TankFileFormat() {
  using namespace layout;
  static const SideFileFormat format{{"настроек бака", "tank settings"},
                                     "dvkpo",
                                     "Файлы настроек бака (*.dvkpo)",
                                     kTankFileSize,
                                     {
                                         {0, kOil6L},
                                         {2, kLit6L},
                                         {4, kOil43L},
                                         {6, kLit43L},
                                         {8, kOilCalibrRes.first, uint16_t(kOilCalibrRes.Size())},
                                         {22, kOilCalibrLit.first, uint16_t(kOilCalibrLit.Size())},
                                         {36, kOilCalibrQuant},
                                         {37, kTarirHead},
                                         {38, kTarirFlagFinish},
                                         {39, kTarirLeng},
                                         {40, kTarirSlopeMark},
                                         {41, kTareLitres.first, uint16_t(kTareLitres.Size())},
                                         {109, kTareSensor.first, uint16_t(kTareSensor.Size())},
                                     },
                                     AfterTankFileLoaded};
  return format;
}

}  // namespace tc
