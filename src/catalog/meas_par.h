// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The measured parameters the trip computer can show on its screens. Each
// parameter is known to the device by a one-byte code; this catalogue holds,
// per code, its captions for every kind of device screen in both languages,
// the preview sample, the bar/graph range and the needle-gauge scale.
//
// The 65 parameter classes (TVelocity, TRevolutions, ...) are rows of one
// table; an object remembers its class name. Only TMomentaryExpenseK has
// behaviour of its own and is a real subclass.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/variant_flags.h"
#include "util/text_pair.h"

namespace tc {

class TMeasParBase {
 public:
  TMeasParBase() = default;
  virtual ~TMeasParBase() = default;
  TMeasParBase(const TMeasParBase&) = default;
  TMeasParBase& operator=(const TMeasParBase&) = default;

  uint8_t Code = 0;       // parameter code used in the device settings
  bool HasBar = false;    // the one-value screen draws a min-max bar
  int32_t GaugeSlot = 0;  // 0: no needle gauge; 1: first gauge's menu; 2: second's
  bool HasGraph = false;  // offered for the graph screens
  // Values are stored as the displayed value times 10^Decimals.
  int32_t SampleValue = 0;
  int32_t MinValue = 0;
  int32_t MaxValue = 100;
  // Needle-gauge scale, whole display units.
  int32_t GaugeMin = 0;
  int32_t GaugeMax = 100;
  int32_t Width = 3;  // minimum character width of SampleText
  int32_t Decimals = 0;

  TextPair Name{"", ""};      // lists, menus and check boxes
  std::string SampleText;     // value drawn in previews (language-free)
  TextPair Caption1{"", ""};  // one-value screen, large cell of the three-value screen
  std::string MinText;        // made by PrepareData
  std::string MaxText;        // made by PrepareData
  TextPair QuadName{"", ""};  // four-value screen
  TextPair QuadUnit{"", ""};
  TextPair GridName{"", ""};  // six- and nine-value screens
  TextPair GridUnit{"", ""};
  TextPair ColumnCaption{"", ""};  // seven-value screen, small cells of the three-value screen
  TextPair GaugeName{"", ""};
  TextPair GaugeUnit{"", ""};
  TextPair GraphCaption{"", ""};
  bool GaugeMarker = false;  // gauge preview draws the small circle on the dial
  bool AltScale = false;     // gauge labels in the scheme's alternative text colour

  // Class name of the parameter ("TVelocity", ...).
  const std::string& ClassName() const { return className_; }

  // Remakes MinText and MaxText; every preview calls it before drawing.
  // The plain form uses the decimal separator of the user's locale.
  void PrepareData();
  virtual void PrepareData(std::string_view decimalSeparator);

  // The five needle-gauge scale labels, GaugeMin .. GaugeMax in quarters.
  std::array<int32_t, 5> GaugeLabels() const;

  // How much of the one-value screen's bar is filled, 0 .. 1. A sample
  // outside the range fills the bar fully or not at all.
  double BarFill() const;

 protected:
  friend std::unique_ptr<TMeasParBase> CreateMeasPar(std::string_view, const VariantFlags&);
  std::string className_;
};

// Momentary consumption per 100 km: its gauge always runs 0 .. 80 with the
// labels in the alternative colour.
class TMomentaryExpenseK : public TMeasParBase {
 public:
  using TMeasParBase::PrepareData;
  void PrepareData(std::string_view decimalSeparator) override;
};

using TMeasParList = std::vector<std::unique_ptr<TMeasParBase>>;

// Creates the parameter of the given class with its table values and
// captions; the variant affects the captions of TPrognoz only. Returns
// nullptr for an unknown class name.
std::unique_ptr<TMeasParBase> CreateMeasPar(std::string_view className, const VariantFlags& flags);

// The device model's list of parameters, in its fixed order. The tenth
// object and the optional TLightsFlag1 depend on the low-beam flags.
TMeasParList BuildMeasParList(const VariantFlags& flags);

// First parameter in list order with the given code, or nullptr.
TMeasParBase* FindMeasPar(const TMeasParList& list, uint8_t code);

// Caption wordings that depend on the variant and on the temperature
// signature setting (block 5 byte 67): parameters 9, 11 (TTemperAir only)
// and 55. The editor applies them each time it opens, and again when the
// signature changes. Other parameters are left alone.
void ApplyCaptionVariants(TMeasParBase& par, const VariantFlags& flags, uint8_t temperSignature);
void ApplyCaptionVariants(TMeasParList& list, const VariantFlags& flags, uint8_t temperSignature);

// Decimal separator of the user's locale ("." when none is set).
std::string LocaleDecimalSeparator();

// All class names of the catalogue, in code order (both code-11 classes).
const std::vector<std::string_view>& MeasParClassNames();

}  // namespace tc
