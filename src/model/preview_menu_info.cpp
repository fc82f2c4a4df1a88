// SPDX-License-Identifier: GPL-3.0-or-later
// The device-menu screen and the info panel.
#include <algorithm>

#include "model/preview.h"
#include "model/preview_draw.h"
#include "model/settings_layout.h"
#include "model/tmk.h"

namespace tc {

using namespace preview;

std::vector<InfoPanelEntry> BuildInfoPanelItems(const VariantFlags& f, bool enginePumpMark) {
  using I = InfoItem;
  std::vector<InfoPanelEntry> items = {
      {I::CheckEngine, {"CheckEn", "CheckEn"}},
      {I::Warning, {"Предупр", "Warning"}},
      {I::EngineSpeed, {"Обороты", "Eng.sp."}},
      {I::Speed, {"Скор.", "Speed"}},
      {I::SpeedLastKm, {"СкорПКм", "Sp.LtKm"}},
      {I::CoolantTemp, {"ТОЖ", "T cool."}},
      {I::AirTemp, {"Т возд.", "T air"}},
      {I::GearboxTemp, {"Т КПП", "T AT"}},
      {I::GearboxMode, {"Перед.", "AT mode"}},
      {I::BatteryVoltage, {"НапрАКБ", "Batt.V"}},
      {I::Tank, {"Бак", "Tank"}},
  };
  if (!f.VariantNoGas) items.push_back({I::GasPetrol, {"ГазБенз", "GasPetr"}});
  if (f.VariantHybrid) {
    items.push_back({I::EngineSpeedElectric, enginePumpMark ? TextPair{"Обор/Эл", "EngSpEl"}
                                                            : TextPair{"Обороты", "Eng.sp."}});
    items.push_back({I::HvbTemp, {"Т ВВБ", "Т HVB"}});
    items.push_back({I::HvbIntakeTemp, {"ТВВ ВВБ", "IAT HVB"}});
    items.push_back({I::HvbFan, {"ВентВВБ", "HVB fan"}});
    items.push_back({I::ElMotorTemp, {"Т ЭлДв", "T ElMot"}});
  }
  if (f.VariantPowerReserve) {
    items.push_back({I::EngineTemp, {"Т двиг.", "Т eng."}});
    items.push_back({I::WaterTemp, {"Т воды", "T water"}});
    items.push_back({I::CylinderTemp, {"Т цил.", "Т cyl."}});
  }
  if (f.VariantTrim) items.push_back({I::Trim, {"Трим", "Trim"}});
  if (f.VariantPowerReserve && f.VariantInclinometer) {
    items.push_back({I::Roll, {"Крен", "Roll"}});
    items.push_back({I::Pitch, {"Дифф.", "Pitch"}});
  }
  return items;
}

namespace {

// What an info-panel tile shows: a caption or unit and an example value.
struct InfoTile {
  InfoItem item;
  TextPair caption;
  TextPair value;
};
const InfoTile kTiles[] = {
    {InfoItem::EngineSpeedElectric, {"Обороты", "Eng.sp."}, {"8500", "8500"}},
    {InfoItem::EngineSpeed, {"об/мин", "rpm"}, {"1850", "1850"}},
    {InfoItem::Speed, {"км/час", "km/h"}, {"115", "115"}},
    {InfoItem::SpeedLastKm, {"км/час", "km/h"}, {"78", "78"}},
    {InfoItem::CoolantTemp, {"Т ОЖ", "Tcool"}, {"88", "88"}},
    {InfoItem::AirTemp, {"Т возд", "T air"}, {"21", "21"}},
    {InfoItem::GearboxTemp, {"T АКПП", "AT oil"}, {"65", "65"}},
    {InfoItem::GearboxMode, {"Р.КПП", "ATmode"}, {"R", "R"}},
    {InfoItem::BatteryVoltage, {"Вольты", "Volts"}, {"14.7", "14.7"}},
    {InfoItem::Tank, {"литры", "litres"}, {"38.1", "38.1"}},
    {InfoItem::GasPetrol, {"ГазБенз", "GasPetr"}, {"Бен", "Pet"}},
    {InfoItem::HvbTemp, {"Т ВВБ", "T HVB"}, {"33", "33"}},
    {InfoItem::ElMotorTemp, {"Т ЭлДв", "TElMot"}, {"33", "33"}},
    {InfoItem::HvbIntakeTemp, {"Тв ВВБ", "Ti HVB"}, {"23", "23"}},
    {InfoItem::HvbFan, {"СкВент", "Fan Sp"}, {"2", "2"}},
    {InfoItem::EngineTemp, {"Т двиг", "Т eng."}, {"77", "77"}},
    {InfoItem::WaterTemp, {"Т воды", "Тwater"}, {"11", "11"}},
    {InfoItem::CylinderTemp, {"Т цил.", "Т cyl"}, {"68", "68"}},
    {InfoItem::Trim, {"Трим", "Trim"}, {"-13", "-13"}},
    {InfoItem::Roll, {"Крен", "Roll"}, {"5", "5"}},
    {InfoItem::Pitch, {"Дифф.", "Pitch"}, {"-3", "-3"}},
};

const InfoTile* TileOf(InfoItem item) {
  for (const auto& t : kTiles)
    if (t.item == item) return &t;
  return nullptr;
}

}  // namespace

void PaintInfoPanel(PreviewSurface& s, const PreviewInput& in) {
  const uint16_t text = Role(in, crDigitColor1), back = Role(in, crDigitBack1);
  const uint16_t text2 = Role(in, crDigitColor2), frame = Role(in, crDigitFrame);
  const int w = s.Width(), tileH = s.Height() / 4;
  s.SetOrigin(0, 0);
  s.ClearSurface(back);
  for (int c = 0; c < 4; ++c) {
    const int y = c * tileH;
    if (c > 0) {
      s.SetOrigin(0, 0);
      s.SetForeground(frame);
      s.SetThickness(2);
      s.ThickHLine(0, w - 1, y);
    }
    // Signed cell byte: the item's position in the variant's list.
    const int code = int(in.mk.GetInt(layout::kInfoCells[c]));
    if (code < 0 || code >= int(in.infoItems.size())) continue;
    const InfoItem item = in.infoItems[size_t(code)].item;
    if (item == InfoItem::CheckEngine || item == InfoItem::Warning) {
      const Picture& p =
          GetPicture(item == InfoItem::CheckEngine ? PictureId::CheckEngine : PictureId::Electro);
      s.SetOrigin(0, 0);
      s.SetForeground(text2);
      s.StampPictureReduced(p, (w - 53) / 2, y + (tileH - 53) / 2, 2);
      continue;
    }
    const InfoTile* t = TileOf(item);
    if (!t) continue;
    TextCentred(s, 0, w, y + 6, 1, Tr(in, t->caption), text2, back);
    const std::string value = Tr(in, t->value);
    TextCentred(s, 0, w, y + 24, FitFont(value, w, 2, 1), value, text, back);
  }
}

void PaintMenu(PreviewSurface& s, const PreviewInput& in) {
  static const TextPair kLines[] = {
      {"Теперь в баке л  50", "Now in tank l     50"},
      {"Заправка до полн.  ", "Refueling to full   "},
      {"Вентилятор     Откл", "Fan              Off"},
      {"% на впрыск     Вкл", "% of injection    On"},
      {"Сушка свечей       ", "Spark plugs drying  "},
      {"Сброс ЭБУ          ", "ECU reset           "},
  };
  const uint16_t text = Role(in, crDigitColor1), back = Role(in, crDigitBack1);
  const uint16_t activeText = Role(in, crMenuActiveText), activeBack = Role(in, crMenuActiveBack);
  const uint16_t hot = Role(in, crMenuHotNumber), frame = Role(in, crDigitFrame);
  s.SetOrigin(0, 0);
  s.ClearSurface(back);
  constexpr int kRowH = 38, kTop = (kScreenHeight - 6 * kRowH) / 2;
  for (int i = 0; i < 6; ++i) {
    const int y = kTop + i * kRowH;
    const std::string line = Tr(in, kLines[i]);
    const bool active = i == 0;
    if (active) Fill(s, 0, y, kScreenWidth, kRowH, activeBack);
    const uint16_t bg = active ? activeBack : back;
    // The setting's state at the end of a line stands out in the hot colour.
    const size_t gap = line.find("  ");
    const std::string label = line.substr(0, gap);
    const std::string state = gap == std::string::npos ? "" : Trimmed(line.substr(gap));
    Text(s, 0, y + 3, 2, label, active ? activeText : text, bg);
    if (!state.empty()) TextRight(s, kScreenWidth, y + 3, 2, state, active ? activeText : hot, bg);
    if (i > 0) {
      s.SetOrigin(0, 0);
      s.SetForeground(frame);
      s.HLine(8, kScreenWidth - 9, y);
    }
  }
}

}  // namespace tc
