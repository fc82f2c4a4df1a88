// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/meas_par.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>

#include "catalog/meas_par_table.h"

namespace tc {
namespace {

namespace table = meas_par_table;

// value / 10^decimals with exactly `decimals` digits after the separator.
// Integer arithmetic, so no bound ever picks up a rounding error.
std::string FormatScaled(int32_t value, int32_t decimals, std::string_view separator) {
  const int64_t v = value;
  const bool negative = v < 0;
  const uint64_t magnitude = negative ? uint64_t(-v) : uint64_t(v);
  std::string out = negative ? "-" : "";
  if (decimals <= 0) return out + std::to_string(magnitude);
  uint64_t scale = 1;
  for (int32_t i = 0; i < decimals; ++i) scale *= 10;
  std::string frac = std::to_string(magnitude % scale);
  frac.insert(0, std::size_t(decimals) - frac.size(), '0');
  out += std::to_string(magnitude / scale);
  out += separator;
  out += frac;
  return out;
}

std::string PadLeft(std::string text, int32_t width) {
  if (width > 0 && text.size() < std::size_t(width)) text.insert(0, width - text.size(), ' ');
  return text;
}

void SetCaptions(TMeasParBase& p, const table::Captions& en, const table::Captions& ru) {
  auto pair = [&](int slot) { return TextPair{ru.texts[slot], en.texts[slot]}; };
  p.Name = pair(table::kName);
  p.Caption1 = pair(table::kCaption1);
  p.QuadName = pair(table::kQuadName);
  p.QuadUnit = pair(table::kQuadUnit);
  p.GridName = pair(table::kGridName);
  p.GridUnit = pair(table::kGridUnit);
  p.ColumnCaption = pair(table::kColumnCaption);
  p.GaugeName = pair(table::kGaugeName);
  p.GaugeUnit = pair(table::kGaugeUnit);
  p.GraphCaption = pair(table::kGraphCaption);
}

// Back to the captions the parameter was created with.
void RestoreTableCaptions(TMeasParBase& p) {
  const int row = table::RowOfClass(p.ClassName());
  if (row >= 0) SetCaptions(p, table::kEnglish[row], table::kRussian[row]);
}

// Range prognosis reads as power reserve on some variants.
void ApplyPrognozVariant(TMeasParBase& p, const VariantFlags& flags) {
  RestoreTableCaptions(p);
  if (!flags.VariantPowerReserve) return;
  p.Name = {"Запас хода", "Power res."};
  p.Caption1 = {"Запас хода,км", "Power res,km"};
  p.QuadName = p.GridName = {"Запас Хд", "PowerRes"};
  p.QuadUnit = p.GridUnit = {"км", "km"};
  p.ColumnCaption = {"Запас Хд,km", "PowerRes,km"};
}

// The code-11 temperature may be the variator's, or air / water / engine
// temperature chosen by the temperature-signature setting.
void ApplyTemperAirVariant(TMeasParBase& p, const VariantFlags& flags, uint8_t signature) {
  if (flags.VariantVariatorTemp) {
    p.Name = p.Caption1 = p.GridName = p.ColumnCaption = {"Твариат", "Tvariat"};
    p.QuadName = p.GaugeName = {"Твар", "Tvar"};
    return;
  }
  TextPair caption{"Tвозд", "T air"};
  if (flags.VariantAirWaterTemp || flags.VariantTrim) {
    p.Name = {"Твоз/вод/дв", "Tair/wat/eng"};
    if (signature == 1)
      caption = {"Tводы", "Twater"};
    else if (signature == 2)
      caption = {"T дв.", "T eng."};
  } else {
    p.Name = {"Tвоздуха", "T air"};
  }
  p.Caption1 = p.QuadName = p.GridName = p.ColumnCaption = p.GaugeName = caption;
}

// Pitch is "Тангаж" on power-reserve variants and a boat's trim angle
// ("Дифферент") elsewhere.
void ApplyCourseAngleVariant(TMeasParBase& p, const VariantFlags& flags) {
  RestoreTableCaptions(p);
  if (flags.VariantPowerReserve) return;
  p.Name = {"Дифферент", "Pitch"};
  p.Caption1 = {"Дифферент,гр.", "Pitch,deg"};
  p.QuadName = {"Дифф.", "Pitch"};
  p.GridName = {"Дифферент", "Pitch"};
  p.ColumnCaption = {"Дифф.,гр", "Pitch,deg"};
  p.GaugeName = {"Дифферент", "Pitch"};
  p.GraphCaption = {"Дифферент,гр", "Pitch,deg"};
}

}  // namespace

void TMeasParBase::PrepareData() {
  PrepareData(LocaleDecimalSeparator());
}

void TMeasParBase::PrepareData(std::string_view decimalSeparator) {
  MinText = FormatScaled(MinValue, Decimals, decimalSeparator);
  MaxText = FormatScaled(MaxValue, Decimals, decimalSeparator);
}

std::array<int32_t, 5> TMeasParBase::GaugeLabels() const {
  std::array<int32_t, 5> labels{};
  const int64_t span = int64_t(GaugeMax) - GaugeMin;
  for (int i = 0; i < 5; ++i) labels[i] = int32_t(GaugeMin + span * i / 4);
  return labels;
}

double TMeasParBase::BarFill() const {
  if (MaxValue <= MinValue) return SampleValue >= MaxValue ? 1.0 : 0.0;
  const double f = (double(SampleValue) - MinValue) / (double(MaxValue) - MinValue);
  return std::clamp(f, 0.0, 1.0);
}

void TMomentaryExpenseK::PrepareData(std::string_view decimalSeparator) {
  AltScale = true;
  MaxValue = 800;
  GaugeMin = 0;
  GaugeMax = 80;
  TMeasParBase::PrepareData(decimalSeparator);
}

std::unique_ptr<TMeasParBase> CreateMeasPar(std::string_view className, const VariantFlags& flags) {
  const int row = table::RowOfClass(className);
  if (row < 0) return nullptr;
  const table::Numbers& n = table::kNumbers[row];

  std::unique_ptr<TMeasParBase> p;
  if (className == "TMomentaryExpenseK")
    p = std::make_unique<TMomentaryExpenseK>();
  else
    p = std::make_unique<TMeasParBase>();
  p->className_ = n.className;
  p->Code = n.code;
  p->HasBar = n.hasBar;
  p->GaugeSlot = n.gaugeSlot;
  p->HasGraph = n.hasGraph;
  p->SampleValue = n.sampleValue;
  p->MinValue = n.minValue;
  p->MaxValue = n.maxValue;
  p->GaugeMin = n.gaugeMin;
  p->GaugeMax = n.gaugeMax;
  p->Width = n.width;
  p->Decimals = n.decimals;
  p->GaugeMarker = n.gaugeMarker;

  if (n.fixedSample) {
    p->SampleText = n.fixedSample;
  } else {
    // The injection time would otherwise get a leading space ("5.00" in 5).
    const int32_t width = className == "TInjectionTime" ? 3 : n.width;
    // Previews always show a point, whatever the locale.
    p->SampleText = PadLeft(FormatScaled(n.sampleValue, n.decimals, "."), width);
  }

  SetCaptions(*p, table::kEnglish[row], table::kRussian[row]);
  if (className == "TPrognoz") ApplyPrognozVariant(*p, flags);
  return p;
}

// The device model's list order. The tenth place holds TTemperAir or
// TLightsFlag; TLightsFlag1, when present, follows TDDK.
constexpr std::string_view kListHead[] = {"TVelocity",
                                          "TRevolutions",
                                          "TInjectionTime",
                                          "TMomentaryExpenseK",
                                          "TMomentaryExpenseH",
                                          "TAccVoltage",
                                          "TOil",
                                          "TPrognoz",
                                          "TTime"};
constexpr std::string_view kListMiddle[] = {"TTemperLiq",    "TMAF",       "TMAP",
                                            "TThrottle",     "TThrottle2", "TStepMotor",
                                            "TUOZ",          "TCorrUOZ",   "TEngCalcLoad",
                                            "TVAF",          "TEMV",       "TTemperIntakeAir",
                                            "TCorrLeft",     "TCorrRight", "TO2Probe1",
                                            "TO2Probe2",     "TTripTime",  "TTripMomentaryExpenseK",
                                            "TTripVelocity", "TTripPath",  "TTripExpense",
                                            "TTripPrice",    "TDDK"};
constexpr std::string_view kListTail[] = {
    "TFuelPressFact",    "TTemperOilAKPP",      "TAKPPMode",
    "TTemperOilEng",     "TTurboPress",         "TPressOilEngine",
    "TWorkTimeEngine",   "TRetarderOilTemper",  "THVBChargeLevel",
    "THVBChargeLimit",   "THVBDischargeLimit",  "THVBTemper",
    "THVBFanSpeed",      "THVBAirIntakeTemper", "THVBFrontBrakeTorq",
    "THVBRearBrakeTorq", "THVBBrakeTorq",       "THVBCurrent",
    "TInvTemper",        "TCourseAngle",        "TSideAngle",
    "TTemperEngBoat",    "TTemperWat",          "TTemperCyl",
    "TTemperCylLeft",    "TTemperCylRight",     "TTrim",
    "TElEngTemper",      "THVBVoltage",         "TMomentaryExpenseL"};

TMeasParList BuildMeasParList(const VariantFlags& flags) {
  const bool lightsInAirSlot = flags.VariantLowBeamInAirSlot && flags.VariantLowBeamControl;
  const bool lightsExtra = !flags.VariantLowBeamInAirSlot && flags.VariantLowBeamControl;

  TMeasParList list;
  auto add = [&](std::string_view name) { list.push_back(CreateMeasPar(name, flags)); };
  for (std::string_view name : kListHead) add(name);
  add(lightsInAirSlot ? "TLightsFlag" : "TTemperAir");
  for (std::string_view name : kListMiddle) add(name);
  if (lightsExtra) add("TLightsFlag1");
  for (std::string_view name : kListTail) add(name);
  return list;
}

TMeasParBase* FindMeasPar(const TMeasParList& list, uint8_t code) {
  for (const auto& p : list)
    if (p && p->Code == code) return p.get();
  return nullptr;
}

void ApplyCaptionVariants(TMeasParBase& par, const VariantFlags& flags, uint8_t temperSignature) {
  if (par.ClassName() == "TPrognoz")
    ApplyPrognozVariant(par, flags);
  else if (par.ClassName() == "TTemperAir")
    ApplyTemperAirVariant(par, flags, temperSignature);
  else if (par.ClassName() == "TCourseAngle")
    ApplyCourseAngleVariant(par, flags);
}

void ApplyCaptionVariants(TMeasParList& list, const VariantFlags& flags, uint8_t temperSignature) {
  for (auto& p : list)
    if (p) ApplyCaptionVariants(*p, flags, temperSignature);
}

std::string LocaleDecimalSeparator() {
  const std::lconv* conv = std::localeconv();
  if (conv && conv->decimal_point && *conv->decimal_point) return conv->decimal_point;
  return ".";
}

const std::vector<std::string_view>& MeasParClassNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> v;
    for (const auto& n : table::kNumbers) v.push_back(n.className);
    return v;
  }();
  return names;
}

}  // namespace tc
