// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli report: every setting the editor shows is in the report with
// its label and value, nothing it hides is, and every picture is a PNG that
// decodes to a screen of the device.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <map>
#include <string>

#include "catalog/variants.h"
#include "cli_runner.h"
#include "editor_core/editor_pages.h"
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
  int pictures = 0;
  for (int s = 0; s < 10; ++s) pictures += 2 * tc::PreviewDisplayCount(tc::PreviewScreen(s));
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
      const tc::Visibility visible = tc::ControlVisibility(ctx);
      std::map<std::string, bool> pageShown;
      MarkShownPages(tc::EditorPages(), ctx.Flags(), true, pageShown);
      int rows = 0;
      for (const auto& d : tc::SettingsSchema()) {
        const std::string key = "<tr data-name=\"" + std::string(d.name) + "\">";
        const size_t at = html.find(key);
        if (!visible.Visible(d.name) || !pageShown[d.page]) {
          EXPECT_EQ(at, std::string::npos) << d.name << " is hidden in the editor";
          continue;
        }
        ++rows;
        ASSERT_NE(at, std::string::npos) << d.name;
        const std::string row = html.substr(at, html.find("</tr>", at) - at);
        EXPECT_NE(row.find("<td>" + Escape(tc::SettingLabel(ctx, d).Get(english)) + "</td>"),
                  std::string::npos)
            << row;
        if (d.kind != tc::ControlKind::Check) {
          EXPECT_NE(row.find("<td>" + Escape(tc::FormatValue(ctx, d, english)) + "</td>"),
                    std::string::npos)
              << row;
        }
      }
      EXPECT_GT(rows, 40);

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

TEST_F(CliReport, RefusedFilesLeaveNoReport) {
  auto r = RunCli("report " + P("missing.dvkps") + " --out " + P("r.html"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("missing.dvkps"), std::string::npos) << r.out;
  EXPECT_FALSE(tc::FileExists(P("r.html")));
  ASSERT_EQ(RunCli("sample v104-8k --out " + P("s.dvkps")).status, 0);
  r = RunCli("report " + P("s.dvkps") + " --out " + P("no/such/r.html"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("r.html"), std::string::npos) << r.out;
  r = RunCli("report " + P("s.dvkps"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("--out"), std::string::npos) << r.out;
}

}  // namespace
