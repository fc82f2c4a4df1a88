// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/setting_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>

#include "catalog/variants.h"
#include "editor_core/option_bits.h"
#include "editor_core/page_kit.h"
#include "model/tmk.h"
#include "util/conversions.h"
#include "util/cp1251.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {

const VariantFlags& EditorContext::Flags() const {
  return catalog.Flags();
}
const TProtBase* EditorContext::Protocol() const {
  return catalog.CurrentProtocol();
}
int EditorContext::ProtocolCode() const {
  const TProtBase* p = Protocol();
  return p ? p->Code : -1;
}
bool EditorContext::EnginePumpProtocol() const {
  const TProtBase* p = Protocol();
  return p && p->IsHybrid;
}

bool TestBit(const TMK& mk, const FieldRef& word, int bit) {
  return (uint64_t(mk.GetInt(word)) >> bit) & 1u;
}

void SetBit(TMK& mk, const FieldRef& word, int bit, bool value) {
  uint64_t v = uint64_t(mk.GetInt(word)) & ~(uint64_t{1} << bit);
  if (value) v |= uint64_t{1} << bit;
  mk.SetInt(word, int64_t(v));
}

TextPair SettingLabel(const EditorContext& ctx, const SettingDef& def) {
  return def.dynamicLabel ? def.dynamicLabel(ctx, def) : def.label;
}

std::vector<SettingItem> SettingItems(const EditorContext& ctx, const SettingDef& def) {
  return def.dynamicItems ? def.dynamicItems(ctx, def) : def.items;
}

Limits SettingLimits(const EditorContext& ctx, const SettingDef& def) {
  return def.limits ? def.limits(ctx, def) : Limits{def.min, def.max};
}

namespace {
uint64_t GroupMask(const SettingDef& def) {
  return (def.bits >= 64 ? ~uint64_t{0} : (uint64_t{1} << def.bits) - 1);
}
}  // namespace

int64_t ReadStored(const EditorContext& ctx, const SettingDef& def) {
  if (def.read) return def.read(ctx, def);
  // A text has no number; its value is the text (ReadValue).
  if (def.field.type == FieldType::text) return 0;
  if (def.bit >= 0)
    return int64_t((uint64_t(ctx.mk.GetInt(def.field)) >> def.bit) & GroupMask(def));
  return ctx.mk.GetInt(def.field);
}

std::string SettingValue::StoredText() const {
  if (isText) return "\"" + text + "\"";
  std::string t;
  for (size_t i = 0; i < numbers.size(); ++i) t += (i ? "," : "") + std::to_string(numbers[i]);
  return t;
}

SettingValue ReadValue(const EditorContext& ctx, const SettingDef& def) {
  if (def.value) return def.value(ctx, def);
  SettingValue v;
  if (def.field.type == FieldType::text) {
    v.isText = true;
    v.text = ctx.mk.GetText(def.field);
  } else if (def.bit < 0 && !def.read && def.field.type == FieldType::f32) {
    const float f = float(ctx.mk.GetFloat(def.field));
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    v.numbers.push_back(bits);
  } else {
    v.numbers.push_back(ReadStored(ctx, def));
  }
  return v;
}

std::vector<ExtentByte> SettingExtent(const SettingDef& def) {
  std::vector<ExtentByte> bytes;
  const auto whole = [&](const FieldRef& f) {
    for (int i = 0; i < f.Width(); ++i) bytes.push_back({f.block, f.offset + i, 0xFF});
  };
  if (!def.covers.empty()) {
    for (const FieldArray& a : def.covers)
      for (int i = 0; i < a.Size(); ++i) whole(a[i]);
  } else if (def.bit >= 0) {
    for (int b = def.bit; b < def.bit + def.bits; ++b) {
      const int offset = def.field.offset + b / 8;
      const uint8_t m = uint8_t(1u << (b % 8));
      if (!bytes.empty() && bytes.back().offset == offset)
        bytes.back().mask |= m;
      else
        bytes.push_back({def.field.block, offset, m});
    }
  } else {
    whole(def.field);
  }
  return bytes;
}

bool ExtentsOverlap(const std::vector<ExtentByte>& a, const std::vector<ExtentByte>& b) {
  for (const ExtentByte& x : a)
    for (const ExtentByte& y : b)
      if (x.block == y.block && x.offset == y.offset && (x.mask & y.mask)) return true;
  return false;
}

bool WriteStored(EditorContext& ctx, const SettingDef& def, int64_t value) {
  if (def.write) return def.write(ctx, def, value);
  if (def.bit >= 0) {
    const uint64_t mask = GroupMask(def);
    if (value < 0 || uint64_t(value) > mask) throw RangeError();
    const uint64_t word = uint64_t(ctx.mk.GetInt(def.field));
    ctx.mk.SetInt(def.field, int64_t((word & ~(mask << def.bit)) | (uint64_t(value) << def.bit)));
    return true;
  }
  ctx.mk.SetInt(def.field, value);
  return true;
}

namespace {

// However long the user's text, the message keeps every word of ours.
template <typename... A>
std::string Printf(const char* format, A... args) {
  const int n = std::snprintf(nullptr, 0, format, args...);
  if (n <= 0) return format;
  std::string out(size_t(n) + 1, '\0');
  std::snprintf(out.data(), out.size(), format, args...);
  out.resize(size_t(n));
  return out;
}

double RoundToDecimals(double v, int decimals) {
  const double p = std::pow(10.0, decimals);
  return double(RoundHalfEven(v * p)) / p;
}

// A setting the device reports for reference only takes no value at all.
void RefuseReadOnly(const EditorContext& ctx, const SettingDef& def) {
  if (!def.readOnly) return;
  throw TripError(Printf(TextPair{"«%s» (%s) только показывается и не изменяется: настройка "
                                  "доступна только для чтения.",
                                  "'%s' (%s) is shown only, never edited: the setting is "
                                  "read-only."}()
                             .c_str(),
                         SettingLabel(ctx, def)().c_str(), def.name));
}

std::string ShownNumber(double v, int decimals) {
  if (v == 0) v = 0;  // no "-0"
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

// The raw range of the field (or bit group) behind a setting, in the units
// the user sees; the limits alone for settings whose write rule is their own.
Limits FieldRange(const SettingDef& def) {
  const double inf = std::numeric_limits<double>::infinity();
  if (def.write || def.conversion == Conversion::Percent) return {-inf, inf};
  double lo = -inf, hi = inf;
  if (def.bit >= 0) {
    lo = 0;
    hi = double(GroupMask(def));
  } else {
    int64_t l = 0, h = 0;
    if (!def.field.IntegerRange(l, h)) return {-inf, inf};
    lo = double(l), hi = double(h);
  }
  return {lo / def.scale, hi / def.scale};
}

void RunRule(EditorContext& ctx, const SettingDef& def, int64_t previous) {
  if (def.afterStore) def.afterStore(ctx, def, previous);
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return s;
}

}  // namespace

// --- Spin edits ------------------------------------------------------------------

double PercentShown(double c) {
  // Beyond what any rounding holds (a damaged file): shown unrounded.
  if (!std::isfinite(c) || std::fabs(c) > 1e12) return (c - 1) * 100;
  const double e = c >= 1 ? 0.01 : -0.01;
  return double(RoundHalfEven((c - 1) * 1000 + e)) / 10;
}

double GetNumber(const EditorContext& ctx, const SettingDef& def) {
  if (def.conversion == Conversion::Percent) return PercentShown(ctx.mk.GetValue(def.field));
  if (def.field.type == FieldType::f32) return ctx.mk.GetValue(def.field) / def.scale;
  return double(ReadStored(ctx, def)) / def.scale;
}

bool WithinLimits(const EditorContext& ctx, const SettingDef& def, double shown) {
  if (!std::isfinite(shown) || std::fabs(shown) > 1e12) return false;
  shown = RoundToDecimals(shown, def.decimals);
  // Half a last digit of slack: limits such as 999.9 are not exact in binary.
  const double slack = 0.5 * std::pow(10.0, -def.decimals - 1);
  const Limits lim = SettingLimits(ctx, def);
  return shown >= lim.min - slack && shown <= lim.max + slack;
}

RangeError OutOfRange(const EditorContext& ctx, const SettingDef& def) {
  const Limits lim = SettingLimits(ctx, def);
  const Limits field = FieldRange(def);
  const double lo = std::max(lim.min, field.min), hi = std::min(lim.max, field.max);
  return RangeError(std::string("Range check error: ") + TextPair{"допустимо ", "allowed "}() +
                    ShownNumber(lo, def.decimals) + ".." + ShownNumber(hi, def.decimals));
}

bool SetNumber(EditorContext& ctx, const SettingDef& def, double shown) {
  RefuseReadOnly(ctx, def);
  // Far beyond any field: refused before it is rounded to an integer.
  if (!std::isfinite(shown) || std::fabs(shown) > 1e12) throw OutOfRange(ctx, def);
  shown = RoundToDecimals(shown, def.decimals);
  const double current = GetNumber(ctx, def);
  if (std::fabs(shown - current) < 1e-9) return false;
  if (!WithinLimits(ctx, def, shown)) throw OutOfRange(ctx, def);
  const bool real = def.conversion == Conversion::Percent || def.field.type == FieldType::f32;
  const int64_t previous = real ? ctx.mk.GetInt(def.field) : ReadStored(ctx, def);
  try {
    if (def.conversion == Conversion::Percent) {
      ctx.mk.SetFloat(def.field, 1 + shown / 100);
    } else if (def.field.type == FieldType::f32) {
      ctx.mk.SetFloat(def.field, shown * def.scale);
    } else if (!WriteStored(ctx, def, RoundHalfEven(shown * def.scale))) {
      return false;
    }
  } catch (const RangeError& e) {
    // The field's own refusal says no more than its two words.
    if (std::string_view(e.what()) == RangeError().what()) throw OutOfRange(ctx, def);
    throw;
  }
  RunRule(ctx, def, previous);
  return true;
}

// --- Choices ---------------------------------------------------------------------

int ItemIndexOf(const std::vector<SettingItem>& items, int64_t stored, int fallback) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].stored == stored) return int(i);
  return fallback < int(items.size()) ? fallback : -1;
}

int GetIndex(const EditorContext& ctx, const SettingDef& def) {
  return ItemIndexOf(SettingItems(ctx, def), ReadStored(ctx, def), def.fallbackItem);
}

bool SetIndex(EditorContext& ctx, const SettingDef& def, int index) {
  RefuseReadOnly(ctx, def);
  const auto items = SettingItems(ctx, def);
  if (index < 0 || index >= int(items.size()) || !items[size_t(index)].enabled) throw RangeError();
  const int64_t previous = ReadStored(ctx, def);
  const int64_t value = items[size_t(index)].stored;
  if (value == previous) return false;
  if (!WriteStored(ctx, def, value)) return false;
  RunRule(ctx, def, previous);
  return true;
}

// --- Check boxes -----------------------------------------------------------------

bool GetCheck(const EditorContext& ctx, const SettingDef& def) {
  return (ReadStored(ctx, def) != 0) != def.inverted;
}

bool SetCheck(EditorContext& ctx, const SettingDef& def, bool checked) {
  RefuseReadOnly(ctx, def);
  const int64_t previous = ReadStored(ctx, def);
  const int64_t value = checked != def.inverted ? 1 : 0;
  if ((previous != 0) == (value != 0)) return false;
  if (!WriteStored(ctx, def, value)) return false;
  RunRule(ctx, def, previous);
  return true;
}

// --- Time fields -------------------------------------------------------------------

std::string GetTimeText(const EditorContext& ctx, const SettingDef& def) {
  return MinutesToTimeText(uint16_t(ReadStored(ctx, def)));
}

bool SetTimeText(EditorContext& ctx, const SettingDef& def, const std::string& text) {
  RefuseReadOnly(ctx, def);
  int minutes = 0;
  try {
    minutes = TimeOfDayToMinutes(text);
  } catch (const RangeError&) {
    // Name the field and the form: a bare range error says neither.
    throw TripError(Printf(TextPair{"«%s»: «%s» — не время суток; ожидается ЧЧ:ММ от 00:00 до "
                                    "23:59.",
                                    "'%s': '%s' is not a time of day; expected HH:MM from 00:00 "
                                    "to 23:59."}()
                               .c_str(),
                           SettingLabel(ctx, def)().c_str(), text.c_str()));
  }
  const int64_t previous = ReadStored(ctx, def);
  if (previous == minutes) return false;
  if (!WriteStored(ctx, def, minutes)) return false;
  RunRule(ctx, def, previous);
  return true;
}

// --- Text fields -------------------------------------------------------------------

std::string GetTextValue(const EditorContext& ctx, const SettingDef& def) {
  return ctx.mk.GetText(def.field);
}

bool SetTextValue(EditorContext& ctx, const SettingDef& def, const std::string& text) {
  RefuseReadOnly(ctx, def);
  std::string raw;
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const char32_t cp = NextCodePoint(text, pos);
    const int b = cp < 0x20 ? -1 : UnicodeToCp1251(cp);
    if (b < 0) {
      // A control character, or a byte that starts no UTF-8 sequence (shown
      // by its value, as it is no character at all), or the character itself.
      const bool broken = cp == 0xFFFD && pos - start == 1;
      const std::string ch = cp < 0x20 ? Printf("U+%04X", unsigned(cp))
                             : broken  ? Printf("0x%02X", unsigned(uint8_t(text[start])))
                                       : text.substr(start, pos - start);
      throw TripError(Printf(TextPair{"Символ «%s» нельзя записать в МК: допустимы только "
                                      "символы кодовой страницы Windows-1251.",
                                      "The character '%s' cannot be stored in the device: only "
                                      "characters of the Windows-1251 code page can."}()
                                 .c_str(),
                             ch.c_str()));
    }
    raw += char(b);
  }
  // The terminator needs a byte of its own.
  const size_t limit = std::min<size_t>(size_t(def.max), size_t(def.field.length) - 1);
  if (raw.size() > limit)
    throw TripError(Printf(
        TextPair{"Текст «%s» длиннее %d символов.", "The text '%s' is longer than %d characters."}()
            .c_str(),
        text.c_str(), int(limit)));
  raw += '\0';
  const auto byteAt = [&](size_t i) { return U8(def.field.block, def.field.offset + int(i)); };
  bool same = true;
  for (size_t i = 0; i < raw.size() && same; ++i)
    same = ctx.mk.GetInt(byteAt(i)) == uint8_t(raw[i]);
  if (same) return false;
  for (size_t i = 0; i < raw.size(); ++i) ctx.mk.SetInt(byteAt(i), uint8_t(raw[i]));
  RunRule(ctx, def, 0);
  return true;
}

// --- Date fields -------------------------------------------------------------------

std::string GetDateText(const EditorContext& ctx, const SettingDef& def) {
  const DayDate d = DayNumberToDate(uint16_t(ReadStored(ctx, def) & 0xFFFF));
  return TwoDigits(d.day) + "." + TwoDigits(d.month) + "." + TwoDigits(d.yearOffset);
}

bool SetDateText(EditorContext& ctx, const SettingDef& def, const std::string& text) {
  RefuseReadOnly(ctx, def);
  // Day, month and two-digit year between the points.
  std::vector<std::string> parts;
  size_t from = 0;
  for (size_t dot; (dot = text.find('.', from)) != std::string::npos; from = dot + 1)
    parts.push_back(text.substr(from, dot - from));
  parts.push_back(text.substr(from));
  const std::string invalidDate =
      Printf(TextPair{"«%s» — не дата вида ДД.ММ.ГГ.", "'%s' is not a date of the form DD.MM.YY."}()
                 .c_str(),
             text.c_str());
  if (parts.size() != 3) throw TripError(invalidDate);
  int n[3];
  for (int i = 0; i < 3; ++i) {
    const std::string t = TrimBlanks(parts[size_t(i)]);
    if (t.empty() || t.size() > 2 || t.find_first_not_of("0123456789") != std::string::npos)
      throw TripError(Printf("'%s' is not a valid integer value", parts[size_t(i)].c_str()) + ": " +
                      invalidDate);
    n[i] = std::stoi(t);
  }
  const int day = n[0], month = n[1], year = n[2];
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, uint8_t(year)))
    throw TripError(invalidDate);
  const int64_t value = DateToDayNumber(uint8_t(day), uint8_t(month), uint8_t(year));
  const int64_t previous = ReadStored(ctx, def);
  if (previous == value) return false;
  if (!WriteStored(ctx, def, value)) return false;
  RunRule(ctx, def, previous);
  return true;
}

// --- Text form ---------------------------------------------------------------------

std::string FormatValue(const EditorContext& ctx, const SettingDef& def, bool english) {
  if (def.format) return def.format(ctx, def, english);
  switch (def.kind) {
    case ControlKind::Spin: {
      double v = GetNumber(ctx, def);
      if (v == 0) v = 0;  // no "-0.0"
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*f", def.decimals, v);
      return buf;
    }
    case ControlKind::Check:
      return GetCheck(ctx, def) ? "on" : "off";
    case ControlKind::Time:
      return GetTimeText(ctx, def);
    case ControlKind::Text:
      return GetTextValue(ctx, def);
    case ControlKind::Date:
      return GetDateText(ctx, def);
    case ControlKind::Radio:
    case ControlKind::Combo: {
      const auto items = SettingItems(ctx, def);
      const int i = GetIndex(ctx, def);
      if (i < 0) return std::string(1, '?').append(std::to_string(ReadStored(ctx, def)));
      return items[size_t(i)].text.Get(english);
    }
    default:  // kinds whose text form is the setting's own
      break;
  }
  return "";
}

bool SetFromText(EditorContext& ctx, const SettingDef& def, const std::string& rawText) {
  RefuseReadOnly(ctx, def);
  // No value has a control character (a text field says which one itself);
  // quoting one would cut the message short or garble it.
  if (def.kind != ControlKind::Text)
    for (const char c : TrimBlanks(rawText))
      if (uint8_t(c) < 0x20 || c == 0x7F)
        throw TripError(Printf(TextPair{"В значении %s есть управляющий символ U+%04X: "
                                        "допустимы только печатные символы.",
                                        "The value of %s holds the control character U+%04X: "
                                        "only printable characters are allowed."}()
                                   .c_str(),
                               def.name, unsigned(uint8_t(c))));
  if (def.parse) return def.parse(ctx, def, rawText);
  const std::string text = TrimBlanks(rawText);
  const std::string what =
      "'" + rawText + "' " + TextPair{"— не значение", "is not a value of"}() + " " + def.name;
  switch (def.kind) {
    case ControlKind::Spin: {
      std::string t = text;
      std::replace(t.begin(), t.end(), ',', '.');
      if (!t.empty() && t[0] == '+') t.erase(0, 1);
      double v = 0;
      const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
      if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        throw TripError(what + TextPair{" (ожидается число)", " (a number is expected)"}());
      // A value typed out is checked against the limits even when the
      // field already holds it: a stored value outside them is no value
      // the user may choose. (The editor's leaving an untouched control
      // stays silent; see SetNumber.)
      if (!WithinLimits(ctx, def, v)) throw OutOfRange(ctx, def);
      return SetNumber(ctx, def, v);
    }
    case ControlKind::Check: {
      const std::string t = Lower(text);
      if (t == "on" || t == "yes" || t == "true" || t == "1" || t == "да")
        return SetCheck(ctx, def, true);
      if (t == "off" || t == "no" || t == "false" || t == "0" || t == "нет")
        return SetCheck(ctx, def, false);
      throw TripError(
          what + TextPair{" (ожидается on или off, да или нет)", " (on or off is expected)"}());
    }
    case ControlKind::Time:
      return SetTimeText(ctx, def, text);
    case ControlKind::Text:  // blanks at either end belong to the text
      return SetTextValue(ctx, def, rawText);
    case ControlKind::Date:
      return SetDateText(ctx, def, text);
    case ControlKind::Radio:
    case ControlKind::Combo: {
      const auto items = SettingItems(ctx, def);
      int found = -1;
      if (text.size() > 1 && text[0] == '#') {
        int n = -1;
        const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + text.size(), n);
        if (ec == std::errc() && end == text.data() + text.size() && n >= 0 &&
            n < int(items.size()))
          found = n;
      }
      // Exact text in either language first, then ignoring Latin case.
      for (size_t i = 0; found < 0 && i < items.size(); ++i)
        if (text == items[i].text.ru || text == items[i].text.en) found = int(i);
      for (size_t i = 0; found < 0 && i < items.size(); ++i)
        if (Lower(text) == Lower(items[i].text.ru) || Lower(text) == Lower(items[i].text.en))
          found = int(i);
      if (found < 0) {
        std::string list;
        for (size_t i = 0; i < items.size(); ++i)
          list += (i ? ", " : "") + std::string(items[i].text.Get(EnglishVersion()));
        throw TripError(what +
                        (items.empty()
                             ? TextPair{" (здесь у неё нет пунктов)", " (it offers no item here)"}()
                             : TextPair{" (пункты: ", " (items: "}() + list +
                                   TextPair{"; или #N — N-й пункт с 0)", "; or #N)"}()));
      }
      if (!items[size_t(found)].enabled) {
        const TextPair& why = items[size_t(found)].whyDisabled;
        throw TripError(
            "'" + text + "' " + TextPair{"нельзя выбрать для", "cannot be chosen for"}() + " " +
            def.name + " " +
            (*why.en ? why() : TextPair{"при текущем протоколе", "with the current protocol"}()));
      }
      return SetIndex(ctx, def, found);
    }
    default:
      break;
  }
  throw TripError(std::string(def.name) +
                  TextPair{" нельзя задать текстом", " cannot be set from text"}());
}

}  // namespace tc
