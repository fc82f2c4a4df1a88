// SPDX-License-Identifier: GPL-3.0-or-later
// The settings report: for each sample in both languages it holds exactly
// what the editor shows (every visible setting with its caption and value,
// no hidden one, a preview per display of each shown layout page and none of
// a hidden one), in one language and without internal names; its pictures
// decode; "what changed" names exactly what the comparison names; making it
// leaves the document alone.
#include "editor_core/report_html.h"

#include <gtest/gtest.h>
#if __has_include(<png.h>)
#include <png.h>
#define TRIPCONF_TEST_LIBPNG 1
#endif

#include <algorithm>
#include <regex>
#include <set>
#include <string>

#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/editor_pages.h"
#include "editor_core/page_layouts.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_report.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {
namespace {

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

std::unique_ptr<SettingsDocument> Sample(const SampleImage& s) {
  return OpenSettingsDocument(BuildSampleImage(s.setup), s.setup.deviceVersion);
}

// What a reader sees: the text between the tags of the body, style left out.
std::string VisibleText(const std::string& html) {
  const size_t body = html.find("<body>");
  std::string out;
  bool inTag = false;
  for (size_t i = body; i < html.size(); ++i) {
    if (html[i] == '<') {
      inTag = true;
      out += ' ';
    } else if (html[i] == '>') {
      inTag = false;
    } else if (!inTag) {
      out += html[i];
    }
  }
  return out;
}

// The element that carries data-name="NAME", up to the end of its row (or
// of the element itself where the name sits on a cell or a box).
std::string ElementOf(const std::string& html, const std::string& name) {
  const size_t at = html.find("data-name=\"" + name + "\"");
  if (at == std::string::npos) return "";
  const size_t start = html.rfind('<', at);
  size_t end = html.find("</tr>", at);
  const size_t endSpan = html.find("</span>", at);
  const size_t endTd = html.find("</td>", at);
  if (html.compare(start, 3, "<td") == 0) end = endTd;
  if (html.compare(start, 5, "<span") == 0) end = endSpan;
  if (html.compare(start, 3, "<th") == 0 || html.compare(start, 3, "<h3") == 0)
    end = html.find("</", at);
  return html.substr(start, end - start + 1);
}

std::vector<uint8_t> FromBase64(const std::string& text) {
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int bits = 0;
  for (char c : text) {
    int v;
    if (c >= 'A' && c <= 'Z')
      v = c - 'A';
    else if (c >= 'a' && c <= 'z')
      v = c - 'a' + 26;
    else if (c >= '0' && c <= '9')
      v = c - '0' + 52;
    else if (c == '+')
      v = 62;
    else if (c == '/')
      v = 63;
    else
      break;
    acc = acc << 6 | uint32_t(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(uint8_t(acc >> bits));
    }
  }
  return out;
}

#ifdef TRIPCONF_TEST_LIBPNG
bool Decodes(const std::vector<uint8_t>& png, uint32_t* w, uint32_t* h) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  const bool ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
  png_image_free(&image);
  *w = image.width;
  *h = image.height;
  return ok;
}
#else
// Without libpng (the Windows cross build): the signature and the header's
// size only; the Linux suite decodes the pictures whole.
bool Decodes(const std::vector<uint8_t>& png, uint32_t* w, uint32_t* h) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 33 || !std::equal(kSignature, kSignature + 8, png.begin())) return false;
  const auto be32 = [&](size_t at) {
    return uint32_t(png[at]) << 24 | uint32_t(png[at + 1]) << 16 | uint32_t(png[at + 2]) << 8 |
           png[at + 3];
  };
  *w = be32(16);
  *h = be32(20);
  return true;
}
#endif

size_t Count(const std::string& s, const std::string& what) {
  size_t n = 0;
  for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

bool HasCyrillic(const std::string& s) {
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    const unsigned char a = s[i], b = s[i + 1];
    if ((a == 0xD0 && b >= 0x90) || (a == 0xD1 && b <= 0x9F) || (a == 0xD0 && b == 0x81))
      return true;
  }
  return false;
}

TEST(SettingsReport, EachSampleShowsWhatTheEditorShowsInOneLanguage) {
  for (const SampleImage& sample : SampleImages()) {
    auto doc = Sample(sample);
    EditorContext ctx{doc->Model(), doc->Variant()};
    ApplyTemperatureSignature(ctx);
    const Visibility visible = ControlVisibility(ctx);
    for (const bool english : {false, true}) {
      SCOPED_TRACE(sample.name + (english ? " en" : " ru"));
      ReportOptions o;
      o.english = english;
      o.fileName = sample.name + ".dvkps";
      o.made = "09.12.2026 07:00";
      const std::string html = MakeSettingsReport(*doc, o).html;
      EXPECT_NE(html.find(english ? "lang=\"en\"" : "lang=\"ru\""), std::string::npos);
      EXPECT_NE(html.find(sample.name + ".dvkps"), std::string::npos);
      EXPECT_NE(html.find("09.12.2026 07:00"), std::string::npos);

      int shown = 0;
      for (const SettingDef& d : SettingsSchema()) {
        const std::string element = ElementOf(html, d.name);
        if (!visible.Visible(d.name)) {
          EXPECT_EQ(element, "") << d.name << " is hidden in the editor";
          continue;
        }
        ++shown;
        ASSERT_NE(element, "") << d.name;
        // Cells, colours and warnings stand in tables whose rows carry the
        // caption; every other setting has its own caption beside its value.
        const std::string label = Escape(SettingLabel(ctx, d).Get(english));
        if (d.kind != ControlKind::Cell && d.kind != ControlKind::Colour &&
            std::string_view(d.name).find('.') == std::string::npos &&
            std::string_view(d.name).substr(0, 6) != "rgWarn") {
          EXPECT_NE(element.find(label), std::string::npos) << element << " / " << label;
        }
        const bool plain = d.kind == ControlKind::Spin || d.kind == ControlKind::Time ||
                           d.kind == ControlKind::Text || d.kind == ControlKind::Date ||
                           (d.IsChoice() && GetIndex(ctx, d) >= 0);
        if (plain && std::string_view(d.name).find('.') == std::string::npos) {
          EXPECT_NE(element.find(">" + Escape(FormatValue(ctx, d, english)) + "<"),
                    std::string::npos)
              << element;
        }
      }
      EXPECT_GT(shown, 150);

      // No internal names and no word of the other language in what a
      // reader sees. (Parameter names of the device's own catalogue may
      // carry Latin letters in Russian, so the Russian check is on the
      // report's and the editor's own texts.)
      std::string text = VisibleText(html);
      // What the editor shows alike in both languages (some item lists, the
      // names a user typed) stays as it is.
      for (const SettingDef& d : SettingsSchema()) {
        if (!visible.Visible(d.name)) continue;
        std::vector<std::string> same;
        if (d.kind == ControlKind::Text) same.push_back(FormatValue(ctx, d, english));
        if (d.IsChoice())
          for (const SettingItem& i : SettingItems(ctx, d))
            if (std::string_view(i.text.ru) == i.text.en) same.push_back(i.text.ru);
        for (const std::string& s : same)
          for (size_t at; !s.empty() && (at = text.find(s)) != std::string::npos;)
            text.erase(at, s.size());
      }
      EXPECT_EQ(text.find("Variant"), std::string::npos);
      EXPECT_FALSE(std::regex_search(text, std::regex("[A-Za-z0-9_]Menu")));
      EXPECT_EQ(text.find("?"), std::string::npos) << "a raw '?N' value";
      if (english) {
        EXPECT_FALSE(HasCyrillic(text));
      } else {
        for (const char* word : {">Display ", ">Cell ", ">Setting<", ">Value<", ">Before<", ">Day<",
                                 ">Night<", ">yes<", ">no<", ">Page "})
          EXPECT_EQ(html.find(word), std::string::npos) << word;
        for (const SettingDef& d : SettingsSchema()) {
          const TextPair l = SettingLabel(ctx, d);
          if (visible.Visible(d.name) && std::string_view(l.ru) != l.en && *l.en) {
            EXPECT_EQ(html.find(">" + Escape(l.en) + "<"), std::string::npos) << l.en;
          }
        }
      }

      // A preview for each display of each layout the editor shows, none
      // for the others; every picture a PNG of a device screen.
      for (const CellLayout& l : CellLayouts()) {
        const size_t n = Count(html, "data-display=\"" + std::string(l.key) + ".");
        EXPECT_EQ(n, LayoutShown(ctx, l.screen) ? size_t(l.displays) : 0u) << l.key;
      }
      const std::string mark = "src=\"data:image/png;base64,";
      int pictures = 0;
      for (size_t at = html.find(mark); at != std::string::npos; at = html.find(mark, at + 1)) {
        const size_t from = at + mark.size();
        uint32_t w = 0, h = 0;
        ASSERT_TRUE(Decodes(FromBase64(html.substr(from, html.find('"', from) - from)), &w, &h));
        EXPECT_TRUE((w == 320 || w == 80) && h == 240) << w << " x " << h;
        ++pictures;
      }
      EXPECT_GT(pictures, 8);
    }
  }
}

TEST(SettingsReport, ReadsLikeTheEditor) {
  auto doc = Sample(SampleImages()[0]);  // v104-8k
  {
    TSettingsEditSession s(*doc);
    // A value no item has, a display box cleared, a hot menu entry.
    s.Model().SetInt(FindSetting("rgActiveColorScheme")->field, 2);
    ASSERT_TRUE(SetFromText(s.Context(), *FindSetting("cbShowDisp_9_1"), "off"));
    s.Accept();
  }
  for (const bool english : {false, true}) {
    ReportOptions o;
    o.english = english;
    const std::string html = MakeSettingsReport(*doc, o).html;
    EXPECT_NE(ElementOf(html, "rgActiveColorScheme")
                  .find(english ? ">2 (not one of the items)<" : ">2 (не из списка вариантов)<"),
              std::string::npos)
        << ElementOf(html, "rgActiveColorScheme");
    EXPECT_NE(ElementOf(html, "cbShowDisp_9_1").find("data-ticked=\"0\">☐ #2"), std::string::npos)
        << ElementOf(html, "cbShowDisp_9_1");
    EXPECT_NE(ElementOf(html, "cbShowDisp_9_0").find("data-ticked=\"1\">☑ #1"), std::string::npos);
    // The display boxes stand under the group caption and their kind.
    const size_t group = html.find(english ? ">Show displays<" : ">Показывать дисплеи<");
    ASSERT_NE(group, std::string::npos);
    EXPECT_LT(group, html.find("data-name=\"cbShowDisp_4_0\""));
    // Hot menus by their captions only.
    EXPECT_NE(html.find(english ? "Full tank" : "Заправка до полн."), std::string::npos);
    // Pages that show nothing on this variant are left out entirely.
    for (const char* page : {"tsDisplays1", "tsDisplays3", "tsInfoPanel", "tsServiceInfo"})
      EXPECT_EQ(html.find(std::string("data-page=\"") + page + "\""), std::string::npos) << page;
    EXPECT_NE(html.find("data-page=\"tsDisplays7\""), std::string::npos);
    // The warnings as a table with the editor's column headings.
    EXPECT_NE(html.find(english ? ">Next<" : ">Последующие<"), std::string::npos);
  }
}

TEST(SettingsReport, LeavesTheDocumentAsItWas) {
  auto doc = Sample(SampleImages()[1]);
  const auto image = doc->Model().Image();
  ReportOptions o;
  MakeSettingsReport(*doc, o);
  EXPECT_EQ(doc->Model().Image(), image);

  SettingsDocument empty;
  for (const bool english : {false, true}) {
    o.english = english;
    try {
      MakeSettingsReport(empty, o);
      ADD_FAILURE() << "a report of no settings";
    } catch (const TripError& e) {
      EXPECT_NE(std::string(e.what()).find(english ? "read them" : "считайте"), std::string::npos)
          << e.what();
    }
  }
}

std::set<std::string> ChangedNames(const std::string& html) {
  std::set<std::string> names;
  const size_t from = html.find("data-section=\"changes\"");
  const size_t to = html.find("data-page=", from);
  if (from == std::string::npos) return names;
  static const std::regex row("<tr data-name=\"([^\"]+)\">");
  const std::string part = html.substr(from, to - from);
  for (std::sregex_iterator it(part.begin(), part.end(), row), end; it != end; ++it)
    names.insert((*it)[1]);
  return names;
}

TEST(SettingsReport, WhatChangedListsExactlyTheComparedSettings) {
  const SampleImage& sample = SampleImages()[1];
  auto before = Sample(sample);
  auto after = Sample(sample);
  {
    TSettingsEditSession s(*after);
    ASSERT_TRUE(SetFromText(s.Context(), *FindSetting("seVelocityLimit"), "90"));
    ASSERT_TRUE(SetFromText(s.Context(), *FindSetting("x4.2.3"), "13"));
    ASSERT_TRUE(SetFromText(s.Context(), *FindSetting("cbShowDisp_4_5"), "off"));
    ASSERT_TRUE(SetFromText(s.Context(), *FindSetting("sghmParams"), "2"));
    s.Accept();
  }
  for (const bool english : {false, true}) {
    ReportOptions o;
    o.english = english;
    o.before = before.get();
    o.beforeName = "before.dvkps";
    const std::string html = MakeSettingsReport(*after, o).html;

    EditorContext a{before->Model(), before->Variant()};
    EditorContext b{after->Model(), after->Variant()};
    std::set<std::string> expected;
    for (const NamedDifference& d : CompareSettings(a, b, english).settings)
      expected.insert(d.def->name);
    EXPECT_TRUE(expected.count("seVelocityLimit") && expected.count("x4.2.3"));
    EXPECT_EQ(ChangedNames(html), expected);
    // Before and after as the report shows values, under the page's path.
    const std::string row = ElementOf(html, "seVelocityLimit");
    EXPECT_NE(row.find(">80<"), std::string::npos) << row;
    EXPECT_NE(row.find(">90<"), std::string::npos) << row;
    EXPECT_NE(row.find(english ? ">Limits<" : ">Границы<"), std::string::npos) << row;
    EXPECT_NE(ElementOf(html, "cbShowDisp_4_5").find(english ? ">yes<" : ">да<"),
              std::string::npos);
    EXPECT_LT(html.find("data-section=\"changes\""), html.find("data-page="));
    EXPECT_NE(html.find("before.dvkps"), std::string::npos);
  }
  // Another device: the versions are named too.
  auto other = Sample(SampleImages()[0]);
  ReportOptions across;
  across.before = other.get();
  const std::string html = MakeSettingsReport(*after, across).html;
  EXPECT_NE(ElementOf(html, "device-version").find("0x0104 → 0x8002"), std::string::npos);

  // The same settings on both sides: said so, and no rows.
  ReportOptions o;
  o.before = before.get();
  const std::string same = MakeSettingsReport(*before, o).html;
  EXPECT_TRUE(ChangedNames(same).empty());
  EXPECT_NE(same.find("Ни одна настройка не изменена."), std::string::npos);
}

}  // namespace
}  // namespace tc
