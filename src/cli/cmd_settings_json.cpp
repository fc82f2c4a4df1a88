// SPDX-License-Identifier: GPL-3.0-or-later
// The named settings for scripts: settings/get/diff --json, settings
// --as-set and the list that set --from reads. Everything comes from the
// editor's settings schema, as in cmd_settings.cpp.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "catalog/variants.h"
#include "cli/settings_json.h"
#include "editor_core/edit_session.h"
#include "editor_core/editor_pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_report.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

namespace tc::cli {
namespace {

struct Opened {
  explicit Opened(const std::string& path)
      : doc(OpenDocument(path)), ctx{doc->Model(), doc->Variant()} {}
  std::unique_ptr<SettingsDocument> doc;
  EditorContext ctx;
};

const SettingDef& Setting(const std::string& name) {
  if (const SettingDef* d = FindSetting(name)) return *d;
  throw TripError(Say("неизвестная настройка '", "unknown setting '") + name +
                  Say("' (их список: tripconf-cli settings FILE)",
                      "' (tripconf-cli settings FILE lists them)"));
}

// --- A small JSON writer: UTF-8 passes through, control characters are escaped.

std::string Str(const std::string& s) {
  return JsonString(s);
}

std::string Num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

const char* KindName(ControlKind k) {
  switch (k) {
    case ControlKind::Spin:
      return "number";
    case ControlKind::Radio:
      return "radio";
    case ControlKind::Combo:
      return "combo";
    case ControlKind::Check:
      return "check";
    case ControlKind::Time:
      return "time";
    case ControlKind::Text:
      return "text";
    case ControlKind::Date:
      return "date";
    case ControlKind::Table:
      return "table";
    case ControlKind::CodeList:
      return "code-list";
    case ControlKind::CodeSet:
      return "code-set";
    case ControlKind::Cell:
      return "cell";
    case ControlKind::Colour:
      return "colour";
  }
  return "?";
}

std::string PageCaption(const char* page, bool english) {
  const EditorPage* p = FindEditorPage(page);
  return p ? p->caption.Get(english) : page;
}

// One setting as an object of the "settings" array.
std::string SettingJson(const EditorContext& ctx, const SettingDef& d, const Visibility& v,
                        bool english) {
  std::string o = "{\"name\": " + Str(d.name);
  o += ", \"page\": " + Str(d.page);
  o += ", \"pageCaption\": " + Str(PageCaption(d.page, english));
  o += ", \"caption\": " + Str(SettingLabel(ctx, d).Get(english));
  o += ", \"kind\": " + Str(KindName(d.kind));
  o += ", \"value\": " + Str(FormatValue(ctx, d, english));
  const SettingValue value = ReadValue(ctx, d);
  if (value.isText) {
    o += ", \"stored\": " + Str(value.text);
  } else {
    o += ", \"stored\": [";
    for (size_t i = 0; i < value.numbers.size(); ++i)
      o += (i ? ", " : "") + std::to_string(value.numbers[i]);
    o += "]";
  }
  if (d.kind == ControlKind::Spin) {
    const Limits l = SettingLimits(ctx, d);
    o += ", \"min\": " + Num(l.min) + ", \"max\": " + Num(l.max) +
         ", \"decimals\": " + std::to_string(d.decimals);
  }
  if (d.IsChoice()) {
    o += ", \"items\": [";
    bool first = true;
    for (const SettingItem& i : SettingItems(ctx, d)) {
      o += first ? "" : ", ";
      first = false;
      o += "{\"text\": " + Str(i.text.Get(english)) + ", \"stored\": " + std::to_string(i.stored) +
           ", \"enabled\": " + (i.enabled ? "true" : "false") + "}";
    }
    o += "]";
  }
  o += std::string(", \"readOnly\": ") + (d.readOnly ? "true" : "false");
  o += std::string(", \"hidden\": ") + (v.Visible(d.name) ? "false" : "true") + "}";
  return o;
}

std::string Header(const char* format, bool english) {
  return std::string("{\"format\": ") + Str(format) +
         ", \"version\": " + std::to_string(kSettingsJsonVersion) +
         ", \"language\": " + Str(english ? "en" : "ru");
}

void PrintSettings(const EditorContext& ctx, const std::string& path,
                   const std::vector<const SettingDef*>& defs) {
  const bool english = EnglishVersion();
  const Visibility v = ControlVisibility(ctx);
  std::string out = Header("tripconf-settings", english) + ", \"file\": " + Str(path) +
                    ", \"deviceVersion\": " + std::to_string(ctx.mk.DeviceVersion) +
                    ",\n \"settings\": [";
  for (size_t i = 0; i < defs.size(); ++i)
    out += (i ? ",\n  " : "\n  ") + SettingJson(ctx, *defs[i], v, english);
  out += "\n]}\n";
  std::fputs(out.c_str(), stdout);
}

// The model's defaults for the document's variant: a fresh model's blocks
// put into the document's image, with its protocol kept so the same variant
// is selected.
std::unique_ptr<SettingsDocument> DefaultsLike(const SettingsDocument& doc) {
  TMK fresh(EnglishVersion());
  fresh.ReplaceImage(doc.Model().Image());
  fresh.SetInt(layout::kProtocolNumber, doc.Model().GetInt(layout::kProtocolNumber));
  fresh.EncodeSettingsBlocks();
  return OpenSettingsDocument(fresh.Image(), doc.Model().DeviceVersion);
}

// The value as a set line takes it back: the shown text, but an item whose
// text another item shares by its number, so the replay picks the same one.
std::string ReplayText(const EditorContext& ctx, const SettingDef& d, bool english) {
  std::string text = FormatValue(ctx, d, english);
  if (!d.IsChoice()) return text;
  const auto items = SettingItems(ctx, d);
  const int index = GetIndex(ctx, d);
  if (index < 0) return text;
  int same = 0;
  for (const SettingItem& i : items) same += i.text.Get(english) == text ? 1 : 0;
  return same == 1 ? text : "#" + std::to_string(index);
}

}  // namespace

int RunSettingsJson(const Args& a) {
  const std::string path = a.Single("settings file");
  Opened f(path);
  std::vector<const SettingDef*> defs;
  for (const SettingDef& d : SettingsSchema()) defs.push_back(&d);
  PrintSettings(f.ctx, path, defs);
  return 0;
}

int RunGetJson(const Args& a) {
  const auto& pos = a.Positional();
  if (pos.size() < 2)
    throw TripError(Say("вызов: tripconf-cli get ФАЙЛ.dvkps ИМЯ [ИМЯ ...] --json",
                        "usage: tripconf-cli get FILE.dvkps NAME [NAME ...] --json"));
  std::vector<const SettingDef*> defs;
  for (size_t i = 1; i < pos.size(); ++i) defs.push_back(&Setting(pos[i]));
  Opened f(pos[0]);
  PrintSettings(f.ctx, pos[0], defs);
  return 0;
}

int RunDiffJson(const Args& a) {
  const auto& pos = a.Positional();
  if (pos.size() != 2)
    throw TripError(Say("вызов: tripconf-cli diff A.dvkps B.dvkps --json",
                        "usage: tripconf-cli diff A.dvkps B.dvkps --json"));
  const bool english = EnglishVersion();
  Opened fa(pos[0]);
  Opened fb(pos[1]);
  const SettingsComparison c = CompareSettings(fa.ctx, fb.ctx, english);
  std::string out =
      Header("tripconf-diff", english) + ", \"a\": " + Str(pos[0]) + ", \"b\": " + Str(pos[1]);
  out += ",\n \"deviceVersion\": [" + std::to_string(fa.ctx.mk.DeviceVersion) + ", " +
         std::to_string(fb.ctx.mk.DeviceVersion) + "]";
  out += ", \"imageSize\": [" + std::to_string(fa.ctx.mk.Image().size()) + ", " +
         std::to_string(fb.ctx.mk.Image().size()) + "]";
  out += ",\n \"settings\": [";
  for (size_t i = 0; i < c.settings.size(); ++i) {
    const NamedDifference& d = c.settings[i];
    out += (i ? ",\n  " : "\n  ") + std::string("{\"name\": ") + Str(d.def->name) +
           ", \"caption\": " + Str(d.label) + ", \"a\": " + Str(d.a) + ", \"b\": " + Str(d.b) +
           ", \"note\": " + Str(d.note) + "}";
  }
  out += "],\n \"bytes\": [";
  for (size_t i = 0; i < c.bytes.size(); ++i) {
    const ByteRange& r = c.bytes[i];
    out += (i ? ",\n  " : "\n  ") + std::string("{\"block\": ") + std::to_string(r.block) +
           ", \"first\": " + std::to_string(r.first) + ", \"last\": " + std::to_string(r.last) +
           "}";
  }
  out += "]}\n";
  std::fputs(out.c_str(), stdout);
  const bool differ = !c.settings.empty() || !c.bytes.empty() ||
                      fa.ctx.mk.DeviceVersion != fb.ctx.mk.DeviceVersion ||
                      fa.ctx.mk.Image().size() != fb.ctx.mk.Image().size();
  return differ ? 1 : 0;
}

int RunSettingsAsSet(const Args& a) {
  const std::string path = a.Single("settings file");
  const bool english = EnglishVersion();
  const bool all = a.Flag("--all");
  Opened f(path);
  std::unique_ptr<SettingsDocument> defaults;
  std::unique_ptr<EditorContext> dctx;
  if (!all) {
    defaults = DefaultsLike(*f.doc);
    dctx = std::make_unique<EditorContext>(EditorContext{defaults->Model(), defaults->Variant()});
  }
  const Visibility v = ControlVisibility(f.ctx);
  auto copy = OpenSettingsDocument(f.doc->Model().Image(), f.doc->Model().DeviceVersion);
  TSettingsEditSession trial(*copy);
  std::printf("# tripconf-cli set FILE.dvkps --from LIST.txt\n");
  for (const SettingDef& d : SettingsSchema()) {
    if (!v.Visible(d.name) || d.readOnly) continue;
    if (dctx && ReadValue(f.ctx, d) == ReadValue(*dctx, d)) continue;
    const std::string text = ReplayText(f.ctx, d, english);
    // A value set would refuse (outside the limits, an item or a cell's
    // parameter not offered now) is shown as a comment with the reason: the
    // list is tried, line by line, on a copy as set would apply it.
    try {
      SetFromText(trial.Context(), d, text);
    } catch (const TripError& e) {
      std::string why = e.what();
      for (char& c : why)
        if (c == '\n') c = ' ';
      std::printf("# %s=%s  (%s)\n", d.name, text.c_str(), why.c_str());
      continue;
    }
    std::printf("%s=%s\n", d.name, text.c_str());
  }
  return 0;
}

std::vector<std::string> ReadSetList(const std::string& path) {
  // A list is text; a megabyte holds every setting many times over.
  const std::vector<uint8_t> bytes = ReadWholeFile(path, 1 << 20);
  std::vector<std::string> lines;
  std::string line;
  int number = 0;
  const auto take = [&] {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    if (start == line.size() || line[start] == '#') return;
    const auto eq = line.find('=', start);
    if (eq == std::string::npos || eq == start)
      throw TripError(path + ":" + std::to_string(number) + ": '" + line + "' " +
                      Say("не в виде ИМЯ=ЗНАЧЕНИЕ (NAME=VALUE)", "is not NAME=VALUE"));
    lines.push_back(line.substr(start));
  };
  for (uint8_t b : bytes) {
    if (b == '\n') {
      take();
      line.clear();
    } else {
      line += char(b);
    }
  }
  if (!line.empty()) take();
  return lines;
}

}  // namespace tc::cli
