// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli report: every setting the editor shows is in the report with
// its label and value, nothing it hides is, and every picture is a PNG that
// decodes to a screen of the device.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "catalog/variants.h"
#include "cli_runner.h"
#include "editor_core/editor_pages.h"
#include "editor_core/page_layouts.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/preview.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

using tc::testing::RunCli;

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
      break;  // '=' padding
    acc = acc << 6 | uint32_t(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(uint8_t(acc >> bits));
    }
  }
  return out;
}

// Width and height of a PNG that libpng decodes whole, else 0 x 0.
std::pair<uint32_t, uint32_t> DecodedSize(const std::vector<uint8_t>& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) return {0, 0};
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  const bool ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
  png_image_free(&image);
  return ok ? std::pair{image.width, image.height} : std::pair{0u, 0u};
}

void MarkShownPages(tc::PageList pages, const tc::VariantFlags& flags, bool parentShown,
                    std::map<std::string, bool>& shown) {
  for (const auto& p : pages) {
    const bool here = parentShown && tc::PageShown(p, flags);
    shown[p.name] = here;
    MarkShownPages(p.pages, flags, here, shown);
  }
}

class CliReport : public tc::testing::TempDirTest {};

TEST_F(CliReport, EveryShownSettingAndEveryScreenOfEachSampleInBothLanguages) {
  for (const auto& sample : tc::SampleImages()) {
    const std::string file = P(sample.name + ".dvkps");
    ASSERT_EQ(RunCli("sample " + sample.name + " --out " + file).status, 0);
    for (const bool english : {true, false}) {
      SCOPED_TRACE(sample.name + (english ? " en" : " ru"));
      const std::string out = P("report.html");
      const auto r =
          RunCli("report " + file + " --out " + out + (english ? " --lang en" : " --lang ru"));
      ASSERT_EQ(r.status, 0) << r.out;
      const auto bytes = tc::ReadWholeFile(out);
      const std::string html(bytes.begin(), bytes.end());
      EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
      EXPECT_NE(html.find(english ? "lang=\"en\"" : "lang=\"ru\""), std::string::npos);
      char version[16];
      std::snprintf(version, sizeof version, "<td>0x%04X</td>", sample.setup.deviceVersion);
      EXPECT_NE(html.find(version), std::string::npos) << version;

      // The same view of the file the editor has.
      tc::SettingsDocument doc;
      tc::TMK& mk = doc.Model();
      tc::ReadSettingsFile(mk, file);
      mk.DecodeSettingsBlocks();
      try {
        doc.SelectVariant();
      } catch (const tc::ListIndexError&) {
      }
      tc::EditorContext ctx{mk, doc.Variant()};
      tc::ApplyTemperatureSignature(ctx);
      const tc::Visibility visible = tc::ControlVisibility(ctx);
      std::map<std::string, bool> pageShown;
      MarkShownPages(tc::EditorPages(), ctx.Flags(), true, pageShown);
      int rows = 0;
      for (const auto& d : tc::SettingsSchema()) {
        const size_t at = html.find("data-name=\"" + std::string(d.name) + "\"");
        if (!visible.Visible(d.name) || !pageShown[d.page]) {
          EXPECT_EQ(at, std::string::npos) << d.name << " is hidden in the editor";
          continue;
        }
        ++rows;
        ASSERT_NE(at, std::string::npos) << d.name;
        // Settings of their own row: the caption beside the value as the
        // editor shows it (check boxes read as words).
        if (html.compare(html.rfind('<', at), 3, "<tr") != 0) continue;
        const std::string row = html.substr(at, html.find("</tr>", at) - at);
        if (d.IsStructured() || html.find("data-section=\"changes\"") < at) continue;
        EXPECT_NE(row.find("<td>" + Escape(tc::SettingLabel(ctx, d).Get(english)) + "</td>"),
                  std::string::npos)
            << row;
        if (d.kind != tc::ControlKind::Check && (!d.IsChoice() || tc::GetIndex(ctx, d) >= 0)) {
          EXPECT_NE(row.find(">" + Escape(tc::FormatValue(ctx, d, english)) + "</td>"),
                    std::string::npos)
              << row;
        }
      }
      EXPECT_GT(rows, 40);

      // A preview per display of every layout page the editor shows, and
      // the colour schemes on four screens by day and by night.
      int pictures = 8;
      for (const auto& l : tc::CellLayouts())
        if (tc::LayoutShown(ctx, l.screen)) pictures += l.displays;
      int found = 0;
      const std::string mark = "src=\"data:image/png;base64,";
      for (size_t at = html.find(mark); at != std::string::npos; at = html.find(mark, at + 1)) {
        const size_t from = at + mark.size();
        const auto size = DecodedSize(FromBase64(html.substr(from, html.find('"', from) - from)));
        EXPECT_TRUE(size == std::pair(320u, 240u) || size == std::pair(80u, 240u))
            << size.first << " x " << size.second;
        ++found;
      }
      EXPECT_EQ(found, pictures);
    }
  }
}

// The names `diff` prints first on each line of a setting.
std::set<std::string> DiffNames(const std::string& out) {
  std::set<std::string> names;
  size_t start = 0;
  while (start < out.size()) {
    const size_t end = out.find('\n', start);
    const std::string line = out.substr(start, end - start);
    start = end == std::string::npos ? out.size() : end + 1;
    const std::string name = line.substr(0, line.find('\t'));
    if (line.find('\t') == std::string::npos || name == "device version" || name == "image size" ||
        name == "image" || name.rfind("block ", 0) == 0)
      continue;
    names.insert(name);
  }
  return names;
}

std::set<std::string> ChangeNames(const std::string& html) {
  std::set<std::string> names;
  const size_t from = html.find("data-section=\"changes\"");
  if (from == std::string::npos) return names;
  const size_t to = html.find("data-page=", from);
  const std::string mark = "<tr data-name=\"";
  for (size_t at = html.find(mark, from); at < to; at = html.find(mark, at + 1)) {
    const size_t a = at + mark.size();
    names.insert(html.substr(a, html.find('"', a) - a));
  }
  return names;
}

TEST_F(CliReport, AgainstListsExactlyWhatDiffNames) {
  const std::string before = P("before.dvkps"), after = P("after.dvkps");
  ASSERT_EQ(RunCli("sample v8003-32k --out " + before).status, 0);
  ASSERT_EQ(RunCli("sample v8003-32k --out " + after).status, 0);
  ASSERT_EQ(RunCli("set " + after +
                   " seVelocityLimit=90 x4.1.1=13 cbShowDisp_G_2=off sghmAver=52 rgDispSpeed=3")
                .status,
            0);
  const auto diff = RunCli("diff " + before + " " + after + " --lang en", false);
  const std::set<std::string> expected = DiffNames(diff.out);
  EXPECT_TRUE(expected.count("seVelocityLimit") && expected.count("x4.1.1")) << diff.out;
  for (const char* lang : {"en", "ru"}) {
    const auto r = RunCli("report " + after + " --against " + before + " --out " + P("r.html") +
                          " --lang " + lang);
    ASSERT_EQ(r.status, 0) << r.out;
    const auto bytes = tc::ReadWholeFile(P("r.html"));
    EXPECT_EQ(ChangeNames(std::string(bytes.begin(), bytes.end())), expected) << lang;
  }
  // A settings file against itself changed nothing.
  ASSERT_EQ(RunCli("report " + before + " --against " + before + " --out " + P("same.html") +
                   " --lang en")
                .status,
            0);
  const auto same = tc::ReadWholeFile(P("same.html"));
  const std::string html(same.begin(), same.end());
  EXPECT_TRUE(ChangeNames(html).empty());
  EXPECT_NE(html.find("No setting was changed."), std::string::npos);
}

TEST_F(CliReport, RefusedFilesLeaveNoReport) {
  auto r = RunCli("report " + P("missing.dvkps") + " --out " + P("r.html"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("missing.dvkps"), std::string::npos) << r.out;
  EXPECT_FALSE(tc::FileExists(P("r.html")));
  ASSERT_EQ(RunCli("sample v104-8k --out " + P("s.dvkps")).status, 0);
  r = RunCli("report " + P("s.dvkps") + " --out " + P("no/such/r.html"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("r.html"), std::string::npos) << r.out;
  // A "before" file that cannot be read writes no report either.
  r = RunCli("report " + P("s.dvkps") + " --against " + P("gone.dvkps") + " --out " + P("r.html"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("gone.dvkps"), std::string::npos) << r.out;
  EXPECT_FALSE(tc::FileExists(P("r.html")));
  r = RunCli("report " + P("s.dvkps"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("--out"), std::string::npos) << r.out;
}

}  // namespace
