// SPDX-License-Identifier: GPL-3.0-or-later
// report: one self-contained HTML page of a settings file for the car owner
// or the archive: the device, every editor page with the settings it shows,
// every display layout in both colour schemes, and the journals' sums. The
// pages and settings come from the editor's schema, so the report grows with
// the editor.
#include <ctime>
#include <iostream>
#include <string>

#include "catalog/meas_par.h"
#include "catalog/variant_flag_names.h"
#include "catalog/variants.h"
#include "cli/cli.h"
#include "editor_core/editor_pages.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/journal_tables.h"
#include "model/journals.h"
#include "model/preview.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/fixed_text.h"
#include "util/png.h"

namespace tc::cli {
namespace {

const TextPair kTitle{"Настройки маршрутного компьютера", "Trip computer settings"};
const TextPair kDevice{"Устройство", "Device"};
const TextPair kFile{"Файл", "File"};
const TextPair kMade{"Составлен", "Made"};
const TextPair kDeviceVersion{"Версия устройства", "Device version"};
const TextPair kLayoutVersion{"Версия разметки настроек", "Settings layout version"};
const TextPair kProject{"Вариант", "Variant"};
const TextPair kFlags{"Возможности", "Capabilities"};
const TextPair kProtocol{"Протокол", "Protocol"};
const TextPair kImageSize{"Объём настроек", "Settings size"};
const TextPair kBytes{"байт", "bytes"};
const TextPair kSetting{"Настройка", "Setting"};
const TextPair kValue{"Значение", "Value"};
const TextPair kName{"Имя", "Name"};
const TextPair kSettings{"Настройки", "Settings"};
const TextPair kScreens{"Экраны", "Screens"};
const TextPair kDay{"дневная схема", "day scheme"};
const TextPair kNight{"ночная схема", "night scheme"};
const TextPair kDisplay{"экран", "display"};
const TextPair kType2{"тип 2", "type 2"};
const TextPair kSums{"Накопленные суммы", "Accumulated sums"};
const TextPair kYes{"да", "yes"};
const TextPair kNo{"нет", "no"};
const TextPair kNoPage{"(нет настроек на этой странице)", "(no settings on this page)"};

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Base64(const std::vector<uint8_t>& bytes) {
  static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const uint32_t n = uint32_t(bytes[i]) << 16 |
                       (i + 1 < bytes.size() ? uint32_t(bytes[i + 1]) << 8 : 0) |
                       (i + 2 < bytes.size() ? bytes[i + 2] : 0);
    out += digits[n >> 18 & 63];
    out += digits[n >> 12 & 63];
    out += i + 1 < bytes.size() ? digits[n >> 6 & 63] : '=';
    out += i + 2 < bytes.size() ? digits[n & 63] : '=';
  }
  return out;
}

const char* kStyle = R"(
@page { size: A4; margin: 14mm 12mm; }
* { box-sizing: border-box; }
body { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 9.5pt;
       color: #111; margin: 0 auto; max-width: 186mm; padding: 8mm 0; }
h1 { font-size: 16pt; margin: 0 0 6pt; }
h2 { font-size: 12.5pt; margin: 14pt 0 4pt; padding-bottom: 2pt; border-bottom: 1.5pt solid #345;
     break-after: avoid; page-break-after: avoid; }
h3 { font-size: 10.5pt; margin: 10pt 0 3pt; break-after: avoid; page-break-after: avoid; }
table { border-collapse: collapse; width: 100%; margin: 2pt 0 6pt; table-layout: fixed; }
th, td { border: 0.6pt solid #aab; padding: 1.5pt 4pt; text-align: left; vertical-align: top;
         overflow-wrap: anywhere; }
th { background: #e8ecf2; }
thead { display: table-header-group; }
tr { break-inside: avoid; page-break-inside: avoid; }
col.label { width: 48%; } col.value { width: 28%; } col.name { width: 24%; }
td.name { font-family: "DejaVu Sans Mono", monospace; font-size: 7.5pt; color: #556; }
table.facts td:first-child { width: 38%; font-weight: bold; }
.empty { color: #667; font-style: italic; }
.screens { display: flex; flex-wrap: wrap; gap: 4mm 6mm; }
figure { margin: 0; break-inside: avoid; page-break-inside: avoid; }
figure .pair { display: flex; gap: 1.5mm; }
figure img { width: 42mm; height: 31.5mm; border: 0.6pt solid #333; image-rendering: pixelated; }
figure img.narrow { width: 10.5mm; }
figcaption { font-size: 8pt; margin-top: 1pt; }
.sums { display: flex; flex-wrap: wrap; gap: 0 6mm; }
.sums > div { width: 90mm; break-inside: avoid; page-break-inside: avoid; }
)";

struct Report {
  TMK& mk;
  EditorContext ctx;
  Visibility shown;
  bool english;
  std::string html;

  void Add(const std::string& s) { html += s; }

  void Facts(const std::string& path) {
    const TVariantCatalog& cat = ctx.catalog;
    std::string flags;
    for (const auto& name : SetFlagNames(cat.Flags())) flags += (flags.empty() ? "" : ", ") + name;
    char version[16];
    std::snprintf(version, sizeof version, "0x%04X", mk.DeviceVersion);
    const TProtBase* p = cat.CurrentProtocol();
    char made[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(made, sizeof made, "%Y-%m-%d %H:%M", std::localtime(&now));
    Add("<h2>" + Escape(kDevice.Get(english)) + "</h2>\n<table class=\"facts\">\n");
    const std::pair<const TextPair*, std::string> rows[] = {
        {&kFile, path},
        {&kDeviceVersion, version},
        {&kLayoutVersion, std::to_string(mk.LayoutVersion())},
        {&kProject, cat.ProjectName().empty() ? "-" : cat.ProjectName()},
        {&kProtocol, p ? p->Name() : "-"},
        {&kFlags, flags.empty() ? "-" : flags},
        {&kImageSize, std::to_string(mk.Image().size()) + " " + kBytes.Get(english)},
        {&kMade, made},
    };
    for (const auto& [label, value] : rows)
      Add("<tr><td>" + Escape(label->Get(english)) + "</td><td>" + Escape(value) + "</td></tr>\n");
    Add("</table>\n");
  }

  // The value as the editor shows it; a check box reads as a word, not as
  // the command line's on/off.
  std::string Shown(const SettingDef& d) {
    const std::string text = FormatValue(ctx, d, english);
    if (d.kind == ControlKind::Check && (text == "on" || text == "off"))
      return (text == "on" ? kYes : kNo).Get(english);
    return text;
  }

  // A page with the settings it shows, then its own pages.
  void Page(const EditorPage& page, int depth) {
    if (!PageShown(page, ctx.Flags())) return;
    const std::string tag = depth == 0 ? "h2" : "h3";
    Add("<" + tag + " data-page=\"" + page.name + "\">" + Escape(page.caption.Get(english)) + "</" +
        tag + ">\n");
    std::string rows;
    for (const SettingDef* d : SettingsOfPage(page.name)) {
      if (!shown.Visible(d->name)) continue;
      rows += "<tr data-name=\"" + std::string(d->name) + "\"><td>" +
              Escape(SettingLabel(ctx, *d).Get(english)) + "</td><td>" + Escape(Shown(*d)) +
              "</td><td class=\"name\">" + d->name + "</td></tr>\n";
    }
    if (!rows.empty()) {
      Add("<table><colgroup><col class=\"label\"><col class=\"value\"><col class=\"name\">"
          "</colgroup>\n<thead><tr><th>" +
          Escape(kSetting.Get(english)) + "</th><th>" + Escape(kValue.Get(english)) + "</th><th>" +
          Escape(kName.Get(english)) + "</th></tr></thead>\n<tbody>\n" + rows +
          "</tbody></table>\n");
    } else if (page.pages.empty()) {
      Add("<p class=\"empty\">" + Escape(kNoPage.Get(english)) + "</p>\n");
    }
    for (const EditorPage& sub : page.pages) Page(sub, depth + 1);
  }

  std::string Picture(PreviewScreen screen, const PreviewInput& base, int display, int scheme) {
    PreviewInput in = base;
    in.scheme = scheme;
    PreviewSurface surface(PreviewWidth(screen), kScreenHeight);
    PaintPreview(surface, screen, in, display);
    const auto png = EncodePng(surface.Width(), surface.Height(), surface.Rgb().data());
    return std::string("<img") + (screen == PreviewScreen::Info ? " class=\"narrow\"" : "") +
           " alt=\"\" src=\"data:image/png;base64," + Base64(png) + "\">";
  }

  void Screens() {
    const VariantFlags flags = ctx.Flags();
    TMeasParList params = BuildMeasParList(flags);
    ApplyCaptionVariants(params, flags, uint8_t(mk.GetInt(layout::kAirWaterShow)));
    PreviewInput in(mk, params);
    in.english = english;
    in.infoItems = BuildInfoPanelItems(flags, false);
    Add("<h2>" + Escape(kScreens.Get(english)) + "</h2>\n<div class=\"screens\">\n");
    for (PreviewScreen screen :
         {PreviewScreen::X1, PreviewScreen::X3, PreviewScreen::X4, PreviewScreen::X6,
          PreviewScreen::X7, PreviewScreen::X9, PreviewScreen::Graph, PreviewScreen::Arrow,
          PreviewScreen::Menu, PreviewScreen::Info}) {
      // x4 and x9 as their type setting draws them.
      in.secondForm = (screen == PreviewScreen::X4 && mk.GetInt(layout::kDispVar4) == 1) ||
                      (screen == PreviewScreen::X9 && mk.GetInt(layout::kDispVar9) == 1);
      const int count = PreviewDisplayCount(screen);
      for (int d = 0; d < count; ++d) {
        std::string caption = PreviewScreenName(screen);
        if (count > 1) caption += ", " + kDisplay.Get(english) + " " + std::to_string(d + 1);
        if (in.secondForm) caption += ", " + kType2.Get(english);
        Add("<figure><div class=\"pair\">" + Picture(screen, in, d, 0) + Picture(screen, in, d, 1) +
            "</div><figcaption>" + Escape(caption) + " (" + kDay.Get(english) + ", " +
            kNight.Get(english) + ")</figcaption></figure>\n");
      }
    }
    Add("</div>\n");
  }

  void Sums() {
    const CellFormat fmt{english, '.'};
    Add("<h2>" + Escape(kSums.Get(english)) + "</h2>\n<div class=\"sums\">\n");
    for (int s = 0; s < kSumCount; ++s) {
      Add("<div><h3>" + Escape(SumLayoutOf(s).caption.Get(english)) + "</h3><table>\n");
      for (const auto& row : SumTable(mk, s, fmt)) {
        Add("<tr>");
        for (const auto& cell : row) Add("<td>" + Escape(cell) + "</td>");
        Add("</tr>\n");
      }
      Add("</table></div>\n");
    }
    Add("</div>\n");
  }
};

int RunReport(const Args& a) {
  ApplyLanguageOption(a);
  const std::string path = a.Single("settings file");
  const std::string out = a.Required("--out");
  const bool english = EnglishVersion();
  const auto doc = OpenDocument(path);
  TMK& mk = doc->Model();
  Report r{mk, EditorContext{mk, doc->Variant()}, {}, english, {}};
  r.shown = ControlVisibility(r.ctx);

  r.Add(std::string("<!DOCTYPE html>\n<html lang=\"") + (english ? "en" : "ru") +
        "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escape(kTitle.Get(english)) + " — " +
        Escape(path) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<h1>" +
        Escape(kTitle.Get(english)) + "</h1>\n");
  r.Facts(path);
  r.Add("<h2>" + Escape(kSettings.Get(english)) + "</h2>\n");
  for (const EditorPage& page : EditorPages()) r.Page(page, 1);
  r.Screens();
  {
    JournalSession journals(mk);
    r.Sums();
  }
  r.Add("</body>\n</html>\n");
  WriteFileAtomic(out, r.html);
  return 0;
}

const Register kReport(
    {"report",
     "write a printable HTML report of a settings file",
     {{"FILE.dvkps", "the settings file"}},
     {{"--out", "REPORT.html", "the report to write", true}},
     "Writes one self-contained HTML page (pictures embedded): the device, its\n"
     "variant and versions; every page of the settings editor with the settings\n"
     "it shows, as the editor shows them; every display layout in the day and\n"
     "night colour schemes; the journals' accumulated sums. It prints on A4\n"
     "from a browser. The settings file is never changed.",
     RunReport});

}  // namespace
}  // namespace tc::cli
