// SPDX-License-Identifier: GPL-3.0-or-later
// The settings report. It walks the editor's page tree with the document's
// context and takes every caption, item text and visibility from the same
// definitions the editor uses, so the report shows what the editor shows and
// nothing else. A few pages read better as small tables than as a list of
// captions and values (the colour schemes, the display layouts with their
// previews, the warnings, the display-selection boxes, the hot menus, the
// tank calibration); those are laid out here, still from the core's data.
#include "editor_core/report_html.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <set>
#include <string_view>

#include "catalog/meas_par.h"
#include "catalog/protocol.h"
#include "catalog/variants.h"
#include "editor_core/editor_pages.h"
#include "editor_core/page_blocks.h"
#include "editor_core/page_colors.h"
#include "editor_core/page_divers.h"
#include "editor_core/page_hotmenu.h"
#include "editor_core/page_layouts.h"
#include "editor_core/page_tank.h"
#include "editor_core/page_voice.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_report.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/journal_tables.h"
#include "model/journals.h"
#include "model/preview.h"
#include "model/preview_surface.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/fixed_text.h"
#include "util/png.h"
#include "util/text_pair.h"

namespace tc {

namespace {

const TextPair kTitle{"Настройки маршрутного компьютера", "Trip computer settings"};
const TextPair kWhatThisIs{
    "Здесь записаны настройки вашего маршрутного компьютера такими, какими их показывает "
    "программа настройки для этого устройства: страницы, настройки и экраны. Сохраните этот "
    "отчёт: по нему настройки можно проверить или восстановить, например после обновления "
    "прошивки.",
    "This report lists the settings of your trip computer as the configuration program shows "
    "them for this device: its pages, settings and screens. Keep it: it lets you check or "
    "restore the settings, for example after a firmware update."};
const TextPair kDevice{"Устройство", "Device"};
const TextPair kTripComputer{"Маршрутный компьютер", "Trip computer"};
const TextPair kDeviceVersion{"Версия устройства", "Device version"};
const TextPair kLayoutVersion{"Версия разметки настроек", "Settings layout version"};
const TextPair kProtocol{"Протокол ЭБУ", "Engine-control protocol"};
const TextPair kMemory{"Объём настроек", "Settings size"};
const TextPair kBytes{"байт", "bytes"};
const TextPair kFile{"Файл", "File"};
const TextPair kMade{"Отчёт составлен", "Report made"};
const TextPair kProblem{"Внимание", "Note"};
const TextPair kSetting{"Настройка", "Setting"};
const TextPair kValue{"Значение", "Value"};
const TextPair kYes{"да", "yes"};
const TextPair kNo{"нет", "no"};
const TextPair kNone{"нет", "none"};
const TextPair kNotAnItem{"не из списка вариантов", "not one of the items"};
const TextPair kNotInCatalogue{"пункт с кодом", "menu item with code"};

const TextPair kChanges{"Что изменено", "What changed"};
const TextPair kChangesAgainst{"Настройки, которые отличаются от файла",
                               "Settings that differ from the file"};
const TextPair kChangesAgainstOther{"Настройки, которые отличаются от прежних",
                                    "Settings that differ from the earlier ones"};
const TextPair kNoChanges{"Ни одна настройка не изменена.", "No setting was changed."};
const TextPair kPage{"Страница", "Page"};
const TextPair kBefore{"Было", "Before"};
const TextPair kAfter{"Стало", "After"};
const TextPair kUncovered{
    "Кроме того, отличаются байты, которые не относятся ни к одной настройке редактора "
    "(журналы, служебные данные): ",
    "Besides, bytes that belong to no setting of the editor differ (journals, service data): "};
const TextPair kByteRuns{"участков", "runs"};

const TextPair kDisplayN{"Дисплей", "Display"};
const TextPair kCellN{"Ячейка", "Cell"};
const TextPair kCurveN{"График", "Curve"};
const TextPair kDialN{"Стрелка", "Dial"};
const TextPair kParameter{"Параметр", "Parameter"};
const TextPair kDayScheme{"Дисплеи показаны в дневной цветовой схеме.",
                          "The displays are shown in the day colour scheme."};

const TextPair kShowDisplays{"Показывать дисплеи", "Show displays"};
const TextPair kTickedLegend{"☑ — показывается, ☐ — не показывается", "☑ — shown, ☐ — not shown"};
const TextPair kWarnings{"Предупреждения", "Warnings"};
const TextPair kWarningHeads[3] = {
    {"Предупреждение", "Warning"}, {"Первое", "First"}, {"Последующие", "Next"}};
const TextPair kPalette{"Палитра", "Palette"};
const TextPair kColourN{"Цвет #", "Color #"};
const TextPair kSchemes[2] = {{"День", "Day"}, {"Ночь", "Night"}};
const TextPair kPoints{"точек", "points"};
const TextPair kSums{"Накопленные суммы", "Accumulated sums"};

std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
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

std::string Hex(const Rgb24& c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
  return buf;
}

// Browsers keep tables and figures whole through these rules; the program's
// own printing keeps them whole by its own page breaks (it reads no
// page-break-inside), and takes the fonts and sizes from here.
const char* kStyle = R"(
@page { size: A4; margin: 15mm 12mm 15mm 12mm; }
body { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 9pt;
       color: #111; margin: 0 auto; max-width: 186mm; }
h1 { font-size: 15pt; margin: 0 0 4pt 0; }
h2 { font-size: 12pt; margin: 12pt 0 3pt 0; border-bottom: 1px solid #345;
     page-break-after: avoid; break-after: avoid; }
h3 { font-size: 10pt; margin: 8pt 0 2pt 0; page-break-after: avoid; break-after: avoid; }
p.intro { margin: 0 0 6pt 0; }
p.note { font-size: 8pt; color: #444; margin: 2pt 0 4pt 0; }
table { border-collapse: collapse; margin: 2pt 0 4pt 0; page-break-inside: avoid;
        break-inside: avoid; }
table.list { width: 100%; }
th, td { border: 1px solid #99a; padding: 1px 4px; text-align: left; vertical-align: top; }
th { background-color: #e6eaf0; font-weight: bold; }
td.v { width: 40%; }
table.grid { border: none; }
td.cell { border: none; padding: 0 6px 6px 0; }
table.cells td { font-size: 8pt; }
td.swatch { width: 28px; }
span.box { white-space: nowrap; }
)";

// Every setting of the page that the editor shows, in the editor's order.
std::vector<const SettingDef*> ShownSettings(const EditorPage& page, const Visibility& shown) {
  std::vector<const SettingDef*> out;
  for (const SettingDef* d : SettingsOfPage(page.name))
    if (shown.Visible(d->name)) out.push_back(d);
  return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// "Дисплей / Горячие меню": the page's caption after those of its holders.
std::string PagePath(std::string_view name, bool english) {
  std::vector<std::string> parts;
  for (const EditorPage* p = FindEditorPage(name); p; p = ParentPage(*p))
    parts.insert(parts.begin(), p->caption.Get(english));
  std::string out;
  for (const auto& part : parts) out += (out.empty() ? "" : " / ") + part;
  return out;
}

std::string CellParameter(const EditorContext& ctx, PreviewScreen screen, int display, int cell,
                          bool english) {
  const int code = StoredCell(ctx, screen, display, cell);
  for (const CellChoice& c : CellMenu(ctx, screen, cell))
    if (c.code == code) return c.caption.Get(english);
  // Another protocol's parameter still has its name in the model.
  if (screen != PreviewScreen::Info && code > 0 && code < 256)
    if (const TMeasParBase* p = FindMeasPar(ctx.mk.MeasParList, uint8_t(code)))
      return p->Name.Get(english);
  return std::to_string(code) + " (" + kNotAnItem.Get(english) + ")";
}

// Settings of a cell are named "<layout>.<display>.<cell>", counted from 1.
bool CellPosition(const SettingDef& d, int* display, int* cell) {
  const std::string name = d.name;
  const size_t a = name.find('.');
  const size_t b = name.rfind('.');
  if (a == std::string::npos || b == a) return false;
  *display = std::atoi(name.c_str() + a + 1) - 1;
  *cell = std::atoi(name.c_str() + b + 1) - 1;
  return true;
}

std::string HotMenuText(const EditorContext& ctx, int menu, bool english,
                        std::vector<std::string>* entries = nullptr) {
  std::string text;
  for (uint16_t code : PackHotMenu(ReadHotMenu(ctx.mk, menu))) {
    if (!code) continue;
    std::string caption;
    if (ctx.catalog.MenuItems().FindMenuItemByCode(code))
      caption = HotMenuEntryCaption(ctx.catalog.MenuItems(), code, english);
    else
      caption = kNotInCatalogue.Get(english) + " " + std::to_string(code);
    if (entries) entries->push_back(caption);
    text += (text.empty() ? "" : ", ") + caption;
  }
  return text.empty() ? kNone.Get(english) : text;
}

class ReportWriter {
 public:
  // `before`: the copy of the earlier settings, or nullptr.
  ReportWriter(SettingsDocument& doc, SettingsDocument* before, const ReportOptions& o)
      : doc_(doc), before_(before), ctx_{doc.Model(), doc.Variant()}, o_(o), en_(o.english) {
    ApplyTemperatureSignature(ctx_);
    shown_ = ControlVisibility(ctx_);
  }

  SettingsReport Write() {
    Add(std::string("<!DOCTYPE html>\n<html lang=\"") + (en_ ? "en" : "ru") +
        "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + T(kTitle) +
        (o_.fileName.empty() ? "" : " — " + Escape(o_.fileName)) + "</title>\n<style>" + kStyle +
        "</style>\n</head>\n<body>\n<h1>" + T(kTitle) + "</h1>\n<p class=\"intro\">" +
        T(kWhatThisIs) + "</p>\n");
    Header();
    if (before_) Changes();
    for (const EditorPage& page : EditorPages()) Add(Page(page, 2));
    Sums();
    Add("</body>\n</html>\n");
    return std::move(report_);
  }

 private:
  SettingsDocument& doc_;
  SettingsDocument* before_;
  EditorContext ctx_;
  const ReportOptions& o_;
  bool en_;
  Visibility shown_;
  SettingsReport report_;

  void Add(const std::string& s) { report_.html += s; }
  std::string T(const TextPair& t) const { return Escape(t.Get(en_)); }
  std::string Label(const SettingDef& d) const { return Escape(SettingLabel(ctx_, d).Get(en_)); }

  void Header() {
    const TVariantCatalog& cat = ctx_.catalog;
    const TMK& mk = ctx_.mk;
    char version[16];
    std::snprintf(version, sizeof version, "0x%04X", mk.DeviceVersion);
    std::string made = o_.made;
    if (made.empty()) {
      char buf[32];
      const std::time_t now = std::time(nullptr);
      std::strftime(buf, sizeof buf, "%d.%m.%Y %H:%M", std::localtime(&now));
      made = buf;
    }
    std::string device = kTripComputer.Get(en_);
    if (!cat.ProjectName().empty()) device += " " + cat.ProjectName();
    const TProtBase* p = cat.CurrentProtocol();
    std::vector<std::pair<const TextPair*, std::string>> rows = {
        {&kDevice, device},
        {&kDeviceVersion, version},
        {&kLayoutVersion, std::to_string(mk.LayoutVersion())},
        {&kProtocol, p ? p->Name() : "—"},
        {&kMemory, std::to_string(mk.Image().size()) + " " + kBytes.Get(en_)},
    };
    if (!o_.fileName.empty()) rows.push_back({&kFile, o_.fileName});
    rows.push_back({&kMade, made});
    if (!doc_.VariantProblem().empty()) rows.push_back({&kProblem, doc_.VariantProblem()});
    Add("<table class=\"facts\">\n");
    for (const auto& [label, value] : rows)
      Add("<tr><th>" + T(*label) + "</th><td>" + Escape(value) + "</td></tr>\n");
    Add("</table>\n");
  }

  // The installer's record of the job: every setting the comparison of the
  // command line's diff names, with the values as this report shows them.
  void Changes() {
    EditorContext was{before_->Model(), before_->Variant()};
    ApplyTemperatureSignature(was);
    const SettingsComparison cmp = CompareSettings(was, ctx_, en_);
    Add("<h2 data-section=\"changes\">" + T(kChanges) + "</h2>\n");
    if (cmp.settings.empty()) {
      Add("<p>" + T(kNoChanges) + "</p>\n");
    } else {
      Add("<p>" +
          (o_.beforeName.empty() ? T(kChangesAgainstOther)
                                 : T(kChangesAgainst) + " " + Escape(o_.beforeName)) +
          ":</p>\n<table class=\"list changes\" width=\"100%\">\n<thead><tr><th>" + T(kPage) +
          "</th><th>" + T(kSetting) + "</th><th>" + T(kBefore) + "</th><th>" + T(kAfter) +
          "</th></tr></thead>\n");
      for (const NamedDifference& d : cmp.settings) {
        std::string a = ReportValueText(was, *d.def, en_);
        std::string b = ReportValueText(ctx_, *d.def, en_);
        if (a == b) {
          // Equal to the eye: say what does differ.
          if (!d.note.empty()) {
            b += " (" + d.note + ")";
          } else {
            a = d.a;
            b = d.b;
          }
        }
        Add("<tr data-name=\"" + std::string(d.def->name) + "\"><td>" +
            Escape(PagePath(d.def->page, en_)) + "</td><td>" + Escape(d.label) + "</td><td>" +
            Escape(a) + "</td><td>" + Escape(b) + "</td></tr>\n");
      }
      Add("</table>\n");
    }
    if (was.mk.DeviceVersion != ctx_.mk.DeviceVersion) {
      char versions[40];
      std::snprintf(versions, sizeof versions, "0x%04X → 0x%04X", was.mk.DeviceVersion,
                    ctx_.mk.DeviceVersion);
      Add("<p class=\"note\" data-name=\"device-version\">" + T(kDeviceVersion) + ": " + versions +
          "</p>\n");
    }
    if (!cmp.bytes.empty()) {
      size_t count = 0;
      for (const ByteRange& r : cmp.bytes) count += r.last - r.first + 1;
      Add("<p class=\"note\">" + T(kUncovered) + std::to_string(count) + " " + T(kBytes) + ", " +
          std::to_string(cmp.bytes.size()) + " " + T(kByteRuns) + ".</p>\n");
    }
  }

  // A page with what it shows, then its own pages; nothing for a page that
  // shows no setting.
  std::string Page(const EditorPage& page, int level) {
    if (!PageShown(page, ctx_.Flags())) return "";
    const auto settings = ShownSettings(page, shown_);
    std::string body;
    if (!settings.empty()) body = PageBody(page, settings);
    for (const EditorPage& sub : page.pages) body += Page(sub, std::min(level + 1, 4));
    if (body.empty()) return "";
    const std::string tag = "h" + std::to_string(level);
    return "<" + tag + " data-page=\"" + page.name + "\">" + T(page.caption) + "</" + tag + ">\n" +
           body;
  }

  std::string PageBody(const EditorPage& page, const std::vector<const SettingDef*>& settings) {
    for (const CellLayout& l : CellLayouts())
      if (l.page == &page) return Layout(l, settings);
    if (std::string_view(page.name) == "tsColors") return Colours(settings);

    std::vector<const SettingDef*> rows, boxes, warnings, menus;
    const SettingDef* tare = nullptr;
    for (const SettingDef* d : settings) {
      if (StartsWith(d->name, "cbShowDisp_"))
        boxes.push_back(d);
      else if (StartsWith(d->name, "rgWarn"))
        warnings.push_back(d);
      else if (d->kind == ControlKind::CodeList)
        menus.push_back(d);
      else if (d->kind == ControlKind::Table)
        tare = d;
      else
        rows.push_back(d);
    }
    std::string out;
    if (!rows.empty()) {
      out += "<table class=\"list\" width=\"100%\">\n<thead><tr><th>" + T(kSetting) + "</th><th>" +
             T(kValue) + "</th></tr></thead>\n";
      for (const SettingDef* d : rows)
        out += "<tr data-name=\"" + std::string(d->name) + "\"><td>" + Label(*d) +
               "</td><td class=\"v\">" + Escape(ReportValueText(ctx_, *d, en_)) + "</td></tr>\n";
      out += "</table>\n";
    }
    if (tare) out += TareTable(*tare);
    if (!menus.empty()) out += HotMenus(menus);
    if (!warnings.empty()) out += Warnings(warnings);
    if (!boxes.empty()) out += DisplayBoxes(boxes);
    return out;
  }

  // --- Pictures ---------------------------------------------------------------------

  std::string Picture(PreviewScreen screen, int display, int scheme, int width) {
    PreviewInput in(ctx_.mk, ctx_.mk.MeasParList);
    in.english = en_;
    PreparePreviewInput(ctx_, screen, in);
    in.scheme = scheme;
    PreviewSurface surface(PreviewWidth(screen), kScreenHeight);
    PaintPreview(surface, screen, in, display);
    ReportPicture pic;
    pic.png = EncodePng(surface.Width(), surface.Height(), surface.Rgb().data());
    pic.width = surface.Width();
    pic.height = surface.Height();
    const int height = width * pic.height / kScreenWidth;
    const int shownWidth = width * pic.width / kScreenWidth;
    std::string src;
    if (o_.embedPictures) {
      src = "data:image/png;base64," + Base64(pic.png);
    } else {
      pic.name = "report-picture-" + std::to_string(report_.pictures.size() + 1) + ".png";
      src = pic.name;
      report_.pictures.push_back(std::move(pic));
    }
    return "<img src=\"" + src + "\" width=\"" + std::to_string(shownWidth) + "\" height=\"" +
           std::to_string(height) + "\" alt=\"\">";
  }

  // Blocks `per` to a row; each row a table of its own, so that a page may
  // end between two rows but never inside one.
  static std::string Grid(const std::vector<std::string>& blocks, int per) {
    std::string out;
    for (size_t i = 0; i < blocks.size(); i += size_t(per)) {
      out += "<table class=\"grid\"><tr>";
      for (size_t j = i; j < i + size_t(per); ++j)
        out += "<td class=\"cell\">" + (j < blocks.size() ? blocks[j] : std::string()) + "</td>";
      out += "</tr></table>\n";
    }
    return out;
  }

  // --- Display layouts --------------------------------------------------------------

  std::string Layout(const CellLayout& l, const std::vector<const SettingDef*>& settings) {
    const TextPair& cellWord = l.screen == PreviewScreen::Graph   ? kCurveN
                               : l.screen == PreviewScreen::Arrow ? kDialN
                                                                  : kCellN;
    std::map<int, std::vector<std::pair<int, const SettingDef*>>> byDisplay;
    for (const SettingDef* d : settings) {
      int display = 0, cell = 0;
      if (CellPosition(*d, &display, &cell)) byDisplay[display].push_back({cell, d});
    }
    const bool narrow = l.screen == PreviewScreen::Info;
    std::vector<std::string> blocks;
    for (const auto& [display, cells] : byDisplay) {
      std::string b = "<table class=\"cells\" data-display=\"" + std::string(l.key) + "." +
                      std::to_string(display + 1) + "\"><tr><td colspan=\"2\">" +
                      Picture(l.screen, display, 0, 200) + "</td></tr>\n";
      if (l.displays > 1)
        b += "<tr><th colspan=\"2\">" + T(kDisplayN) + " " + std::to_string(display + 1) +
             "</th></tr>\n";
      for (const auto& [cell, d] : cells)
        b += "<tr data-name=\"" + std::string(d->name) + "\"><td>" + T(cellWord) + " " +
             std::to_string(cell + 1) + "</td><td>" +
             Escape(CellParameter(ctx_, l.screen, display, cell, en_)) + "</td></tr>\n";
      blocks.push_back(b + "</table>");
    }
    if (blocks.empty()) return "";
    return "<p class=\"note\">" + T(kDayScheme) + "</p>\n" + Grid(blocks, narrow ? 1 : 3);
  }

  // --- Colour schemes ----------------------------------------------------------------

  std::string Swatch(int scheme, int index) {
    const PaletteColour c = GetPaletteColour(ctx_, scheme, index);
    return "<td class=\"swatch\" bgcolor=\"" + Hex(Rgb565ToRgb(PackPaletteColour(c))) +
           "\" style=\"background-color:" + Hex(Rgb565ToRgb(PackPaletteColour(c))) +
           "\">&nbsp;</td>";
  }

  std::string Colours(const std::vector<const SettingDef*>& settings) {
    std::set<std::string, std::less<>> names;
    for (const SettingDef* d : settings) names.insert(d->name);
    const auto has = [&](const std::string& n) { return names.count(n) > 0; };
    std::string out;
    // How the two schemes look on the device's screens.
    std::string pics = "<table class=\"grid\">\n";
    for (int scheme = 0; scheme < 2; ++scheme) {
      pics +=
          "<tr><td class=\"cell\" colspan=\"4\"><b>" + T(kSchemes[scheme]) + "</b></td></tr>\n<tr>";
      for (PreviewScreen s :
           {PreviewScreen::X4, PreviewScreen::Menu, PreviewScreen::Graph, PreviewScreen::Arrow})
        pics += "<td class=\"cell\">" + Picture(s, 0, scheme, 160) + "</td>";
      pics += "</tr>\n";
    }
    out += pics + "</table>\n";

    // The palette: sixteen colours of each scheme.
    std::string palette = "<table class=\"palette\"><thead><tr><th>" + T(kPalette) + "</th>";
    for (int scheme = 0; scheme < 2; ++scheme)
      palette += "<th colspan=\"2\">" + T(kSchemes[scheme]) + "</th>";
    palette += "</tr></thead>\n";
    for (int i = 0; i < kPaletteSize; ++i) {
      palette += "<tr><td>" + T(kColourN) + " " + std::to_string(i) + "</td>";
      for (int scheme = 0; scheme < 2; ++scheme) {
        const std::string name =
            std::string(scheme ? "night" : "day") + ".palette." + std::to_string(i);
        if (!has(name)) {
          palette += "<td></td><td></td>";
          continue;
        }
        const SettingDef* d = FindSetting(name);
        palette += Swatch(scheme, i) + "<td data-name=\"" + name + "\">" +
                   Escape(FormatValue(ctx_, *d, en_)) + "</td>";
      }
      palette += "</tr>\n";
    }
    palette += "</table>";

    // The roles: which palette colour each part of a screen takes.
    std::vector<std::string> blocks{palette};
    const EditorPage* colours = FindEditorPage("tsColors");
    const auto& tables = RoleTables();
    for (size_t t = 0; t < tables.size(); ++t) {
      const TextPair caption =
          colours && t < colours->pages.size() ? colours->pages[t].caption : TextPair{"", ""};
      std::string b = "<table class=\"roles\"><thead><tr><th>" + T(caption) + "</th>";
      for (int scheme = 0; scheme < 2; ++scheme)
        b += "<th colspan=\"2\">" + T(kSchemes[scheme]) + "</th>";
      b += "</tr></thead>\n";
      int row = 0;
      for (const RoleRow& r : tables[t].rows) {
        ++row;
        b += "<tr><td>" + T(r.caption) + "</td>";
        for (int scheme = 0; scheme < 2; ++scheme) {
          const std::string name = std::string(scheme ? "night" : "day") + "." + tables[t].name +
                                   "." + std::to_string(row);
          const int index = GetRoleIndex(ctx_, scheme, r.role);
          if (!has(name)) {
            b += "<td></td><td></td>";
            continue;
          }
          b += (index >= 0 && index < kPaletteSize ? Swatch(scheme, index) : "<td></td>") +
               "<td data-name=\"" + name + "\">" + T(kColourN) + " " + std::to_string(index) +
               "</td>";
        }
        b += "</tr>\n";
      }
      blocks.push_back(b + "</table>");
    }
    return out + Grid(blocks, 2);
  }

  // --- Tables of other pages ------------------------------------------------------------

  std::string TareTable(const SettingDef& d) {
    const auto rows = TareRows(ctx_.mk);
    std::string out = "<h3 data-name=\"" + std::string(d.name) + "\">" + Label(d) + " — " +
                      std::to_string(rows.size()) + " " + T(kPoints) + "</h3>\n";
    if (rows.empty()) return out;
    TTareRows model(ctx_.mk);
    const auto columns = model.Columns();
    // Four groups of columns side by side keep a long table short.
    constexpr size_t kGroups = 4;
    const size_t per = (rows.size() + kGroups - 1) / kGroups;
    const size_t groups = (rows.size() + per - 1) / per;
    out += "<table class=\"tare\"><thead><tr>";
    for (size_t g = 0; g < groups; ++g)
      for (const RowColumn& c : columns) out += "<th>" + T(c.caption) + "</th>";
    out += "</tr></thead>\n";
    for (size_t r = 0; r < per; ++r) {
      out += "<tr>";
      for (size_t g = 0; g < groups; ++g) {
        const size_t i = g * per + r;
        for (size_t c = 0; c < columns.size(); ++c)
          out += "<td>" +
                 (i < rows.size() ? Escape(model.Cell(int(i), int(c), en_)) : std::string()) +
                 "</td>";
      }
      out += "</tr>\n";
    }
    return out + "</table>\n";
  }

  std::string HotMenus(const std::vector<const SettingDef*>& menus) {
    std::vector<std::vector<std::string>> entries(menus.size());
    size_t rows = 0;
    std::string out = "<table class=\"list hotmenus\" width=\"100%\"><thead><tr><th>#</th>";
    for (size_t m = 0; m < menus.size(); ++m) {
      HotMenuText(ctx_, menus[m]->index, en_, &entries[m]);
      rows = std::max(rows, entries[m].size());
      out += "<th data-name=\"" + std::string(menus[m]->name) + "\">" + Label(*menus[m]) + "</th>";
    }
    out += "</tr></thead>\n";
    for (size_t r = 0; r < std::max<size_t>(rows, 1); ++r) {
      out += "<tr><td>" + std::to_string(r + 1) + "</td>";
      for (size_t m = 0; m < menus.size(); ++m)
        out += "<td>" +
               (r < entries[m].size() ? Escape(entries[m][r])
                : r == 0              ? T(kNone)
                                      : std::string()) +
               "</td>";
      out += "</tr>\n";
    }
    return out + "</table>\n";
  }

  // The warnings as the editor's table: a row per warning with its first and
  // following announcement.
  std::string Warnings(const std::vector<const SettingDef*>& settings) {
    std::set<std::string, std::less<>> names;
    for (const SettingDef* d : settings) names.insert(d->name);
    std::string out = "<h3>" + T(kWarnings) + "</h3>\n<table class=\"warnings\"><thead><tr>";
    for (const TextPair& h : kWarningHeads) out += "<th>" + T(h) + "</th>";
    out += "</tr></thead>\n";
    const auto cell = [&](const std::string& name) -> std::string {
      if (!names.count(name)) return "<td></td>";
      return "<td data-name=\"" + name + "\">" +
             Escape(ReportValueText(ctx_, *FindSetting(name), en_)) + "</td>";
    };
    const auto row = [&](const std::string& first, const std::string& next) {
      if (!names.count(first)) return;
      out += "<tr><td>" + Label(*FindSetting(first)) + "</td>" + cell(first) +
             (next.empty() ? "<td></td>" : cell(next)) + "</tr>\n";
    };
    for (int k = 0; k < kWarningCount; ++k) {
      const std::string n = std::to_string(k);
      row("rgWarnFirst_" + n, Warning(k).hasNext ? "rgWarnNext_" + n : "");
      if (k == kSharedWarning) row("rgWarnWaterFirst_" + n, "rgWarnNext_" + n);
    }
    return out + "</table>\n";
  }

  // The display-selection boxes under the editor's group and kind captions,
  // ticked or not.
  std::string DisplayBoxes(const std::vector<const SettingDef*>& settings) {
    std::set<std::string, std::less<>> names;
    for (const SettingDef* d : settings) names.insert(d->name);
    std::string out = "<h3>" + T(kShowDisplays) + "</h3>\n<p class=\"note\">" + T(kTickedLegend) +
                      "</p>\n<table class=\"boxes\">\n";
    for (const DisplayGroup& g : DisplayGroups()) {
      const int per = g.perColumn ? g.perColumn : g.count;
      std::vector<std::string> lines;
      for (int first = 0; first < g.count; first += per) {
        std::string line;
        for (int i = first; i < std::min(g.count, first + per); ++i) {
          const std::string name = "cbShowDisp_" + std::string(g.key) + "_" + std::to_string(i);
          if (!names.count(name)) continue;
          const SettingDef* d = FindSetting(name);
          const bool ticked = GetCheck(ctx_, *d);
          line += std::string(line.empty() ? "" : " &nbsp; ") + "<span class=\"box\" data-name=\"" +
                  name + "\" data-ticked=\"" + (ticked ? "1" : "0") + "\">" + (ticked ? "☑" : "☐") +
                  " " + Label(*d) + "</span>";
        }
        if (!line.empty()) lines.push_back(line);
      }
      if (lines.empty()) continue;
      for (size_t i = 0; i < lines.size(); ++i) {
        out += "<tr>";
        if (i == 0)
          out += "<td rowspan=\"" + std::to_string(lines.size()) + "\">" + T(g.caption) + "</td>";
        out += "<td>" + lines[i] + "</td></tr>\n";
      }
    }
    return out + "</table>\n";
  }

  // --- Journals ---------------------------------------------------------------------------

  void Sums() {
    const CellFormat fmt{en_, '.'};
    std::vector<std::string> blocks;
    {
      JournalSession journals(ctx_.mk);
      for (int s = 0; s < kSumCount; ++s) {
        std::string b = "<table class=\"sum\"><thead><tr><th colspan=\"2\">" +
                        T(SumLayoutOf(s).caption) + "</th></tr></thead>\n";
        for (const auto& row : SumTable(ctx_.mk, s, fmt)) {
          b += "<tr>";
          for (const auto& cell : row) b += "<td>" + Escape(cell) + "</td>";
          b += "</tr>\n";
        }
        blocks.push_back(b + "</table>");
      }
    }
    Add("<h2 data-section=\"sums\">" + T(kSums) + "</h2>\n" + Grid(blocks, 3));
  }
};

}  // namespace

std::string ReportValueText(const EditorContext& ctx, const SettingDef& d, bool english) {
  switch (d.kind) {
    case ControlKind::Check:
      return (GetCheck(ctx, d) ? kYes : kNo).Get(english);
    case ControlKind::Radio:
    case ControlKind::Combo:
      if (GetIndex(ctx, d) < 0)
        return std::to_string(ReadStored(ctx, d)) + " (" + kNotAnItem.Get(english) + ")";
      break;
    case ControlKind::CodeList:
      return HotMenuText(ctx, d.index, english);
    case ControlKind::CodeSet: {
      std::string text;
      for (const SystemEntry& e : UsedSystems(ctx.mk, SystemList(ctx)))
        text += (text.empty() ? "" : ", ") + std::string(e.name);
      return text.empty() ? kNone.Get(english) : text;
    }
    case ControlKind::Cell: {
      int display = 0, cell = 0;
      for (const CellLayout& l : CellLayouts())
        if (StartsWith(d.name, std::string(l.key) + ".") && CellPosition(d, &display, &cell))
          return CellParameter(ctx, l.screen, display, cell, english);
      break;
    }
    case ControlKind::Table:
      return std::to_string(TareRows(ctx.mk).size()) + " " + kPoints.Get(english);
    default:
      break;
  }
  return FormatValue(ctx, d, english);
}

SettingsReport MakeSettingsReport(const SettingsDocument& doc, const ReportOptions& options) {
  const TMK& mk = doc.Model();
  if (mk.Image().empty())
    throw TripError(
        TextPair{"Настроек для отчёта пока нет: считайте их из МК или загрузите из "
                 "файла.",
                 "There are no settings to report yet: read them from the device "
                 "or load them from a file."}
            .Get(options.english));
  // A copy of its own: the report decodes the journals and names parameters
  // after the temperature signature, neither of which may touch the document.
  const auto copy = OpenSettingsDocument(mk.Image(), mk.DeviceVersion);
  std::unique_ptr<SettingsDocument> before;
  if (options.before) {
    const TMK& b = options.before->Model();
    if (b.Image().empty())
      throw TripError(TextPair{"Прежних настроек для сравнения нет.",
                               "There are no earlier settings to compare with."}
                          .Get(options.english));
    before = OpenSettingsDocument(b.Image(), b.DeviceVersion);
  }
  return ReportWriter(*copy, before.get(), options).Write();
}

}  // namespace tc
