// SPDX-License-Identifier: GPL-3.0-or-later
// No text is ever silently misread: for every setting of every sample, in
// both languages, each hostile text is either refused with a message in the
// chosen language and every byte left as it was, or taken, in which case
// the value it shows is taken back to the very same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalog/variants.h"
#include "editor_core/edit_session.h"
#include "editor_core/page_kit.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc {
namespace {

using Blocks = std::vector<std::vector<uint8_t>>;

Blocks AllBlocks(const TMK& mk) {
  Blocks b;
  for (int n = 1; n <= kBlockCount; ++n) b.emplace_back(mk.Block(n).begin(), mk.Block(n).end());
  return b;
}

// The blocks as they were, and the protocol they name (choosing another
// one selects it at once).
void PutBack(EditorContext& ctx, const Blocks& b) {
  const int64_t protocol = ctx.mk.GetInt(layout::kProtocolNumber);
  for (int n = 1; n <= kBlockCount; ++n)
    std::copy(b[size_t(n - 1)].begin(), b[size_t(n - 1)].end(), ctx.mk.Block(n).begin());
  if (ctx.mk.GetInt(layout::kProtocolNumber) != protocol)
    ctx.catalog.SelectProtocol(int(ctx.mk.GetInt(layout::kProtocolNumber)));
}

bool HasCyrillic(const std::string& s) {
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    const auto c = uint8_t(s[i]), n = uint8_t(s[i + 1]);
    if ((c == 0xD0 && n >= 0x90) || (c == 0xD1 && n <= 0x8F) || (c == 0xD0 && n == 0x81) ||
        (c == 0xD1 && n == 0x91))
      return true;
  }
  return false;
}

void EraseAll(std::string& s, const std::string& part) {
  if (part.empty()) return;
  for (size_t at; (at = s.find(part)) != std::string::npos;) s.erase(at, part.size());
}

// Latin letters swapped for the Cyrillic ones that look the same, and back.
std::string LookAlike(const std::string& s) {
  static const std::pair<const char*, const char*> kPairs[] = {
      {"a", "а"}, {"e", "е"}, {"o", "о"}, {"p", "р"}, {"c", "с"}, {"x", "х"},
      {"A", "А"}, {"B", "В"}, {"E", "Е"}, {"K", "К"}, {"M", "М"}, {"H", "Н"},
      {"O", "О"}, {"P", "Р"}, {"C", "С"}, {"T", "Т"}, {"X", "Х"}};
  std::string out = s;
  for (const auto& [latin, cyrillic] : kPairs) {
    if (out.find(latin) != std::string::npos) {
      std::string r;
      for (char ch : out) r += ch == latin[0] ? std::string(cyrillic) : std::string(1, ch);
      return r;
    }
    if (const auto at = out.find(cyrillic); at != std::string::npos)
      return out.replace(at, std::string(cyrillic).size(), latin);
  }
  return out + "\xD0\xB0";
}

std::vector<std::string> HostileTexts(const EditorContext& ctx, const SettingDef& d, bool english) {
  std::vector<std::string> t = {"",
                                " ",
                                "\t",
                                "  \n ",
                                "-",
                                "--",
                                "+",
                                ".",
                                ",",
                                ":",
                                "#",
                                "#-1",
                                "#999",
                                "#1 2",
                                "# 1",
                                "#1x",
                                "on",
                                "off",
                                "да",
                                "yes ",
                                "07:30",
                                "7:5",
                                "24:00",
                                "99:99",
                                "12-30",
                                "07:__",
                                "01.02.03",
                                "31.02.05",
                                "ab.01.20",
                                "10:200",
                                "10:10000",
                                "1e1",
                                "3E2",
                                "1e309",
                                "-1e309",
                                "NaN",
                                "nan",
                                "inf",
                                "-inf",
                                "0x10",
                                "1,5",
                                "1.",
                                ".5",
                                "1..2",
                                "5 5",
                                "5abc",
                                "5 x",
                                "99999999999999999999",
                                "-99999999999999999999",
                                "-1",
                                "-0",
                                "2147483648",
                                "65536",
                                "\xEF\xBC\x91",  // a full-width digit one
                                "\x01",
                                "5\x7F",
                                "\"text\"",
                                "5,9,0",
                                "5 9 12",
                                "22 21",
                                "21 x",
                                "1,,2",
                                std::string(300, '7'),
                                std::string(2000, 'a'),
                                "Ё\xD0",
                                "\xFF\xFE"};
  t.push_back(
      std::string("5\0"
                  "6",
                  3));
  // What it shows now, with a word too many and in the other language.
  const std::string now = FormatValue(ctx, d, english);
  t.push_back(now + " x");
  t.push_back("x " + now);
  t.push_back(now + now);
  t.push_back(LookAlike(now));
  t.push_back(FormatValue(ctx, d, !english));
  for (const SettingItem& i : SettingItems(ctx, d)) {
    t.push_back(i.text.Get(!english));
    t.push_back(LookAlike(i.text.Get(english)));
    t.push_back(std::string(i.text.Get(english)) + " 2");
  }
  return t;
}

// Each Cyrillic letter of a text, as UTF-8.
std::vector<std::string> CyrillicLetters(const std::string& s) {
  std::vector<std::string> letters;
  for (size_t i = 0; i + 1 < s.size(); ++i)
    if (HasCyrillic(s.substr(i, 2))) letters.push_back(s.substr(i, 2));
  return letters;
}

// What is left of a refusal once the user's own text (and any piece of it
// the message quotes), the setting's name and its captions and items (texts
// of the device, which may be letters of either alphabet) are taken out:
// our words.
std::string OurWords(const EditorContext& ctx, const SettingDef& d, const std::string& message,
                     const std::string& text, bool english) {
  std::string m = message;
  // Longer items first ("ДУТ ЭБУ" before "ДУТ"), and the user's text last:
  // a blank or a word of it must not break an item apart.
  std::vector<std::string> items;
  for (const SettingItem& i : SettingItems(ctx, d)) items.push_back(i.text.Get(english));
  std::sort(items.begin(), items.end(),
            [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  for (const std::string& i : items) EraseAll(m, i);
  EraseAll(m, SettingLabel(ctx, d).Get(english));
  EraseAll(m, d.name);
  EraseAll(m, text);
  EraseAll(m, TrimBlanks(text));
  if (english)
    for (const std::string& letter : CyrillicLetters(text)) EraseAll(m, letter);
  return m;
}

TEST(HostileValues, EveryTextIsRefusedCleanlyOrTakenBackToTheSameBytes) {
  const bool was = EnglishVersion();
  long refused = 0, taken = 0;
  for (const SampleImage& sample : SampleImages()) {
    for (const bool english : {false, true}) {
      SetEnglishVersion(english);
      auto doc = OpenSettingsDocument(BuildSampleImage(sample.setup), sample.setup.deviceVersion);
      TSettingsEditSession session(*doc);
      EditorContext& ctx = session.Context();
      const Blocks original = AllBlocks(ctx.mk);
      for (const SettingDef& d : SettingsSchema()) {
        for (const std::string& text : HostileTexts(ctx, d, english)) {
          const std::string where =
              sample.name + (english ? " en " : " ru ") + d.name + "='" + text.substr(0, 40) + "'";
          try {
            SetFromText(ctx, d, text);
          } catch (const TripError& e) {
            ++refused;
            EXPECT_EQ(AllBlocks(ctx.mk), original) << where << ": " << e.what();
            const std::string ours = OurWords(ctx, d, e.what(), text, english);
            EXPECT_FALSE(ours.empty()) << where;
            // A cell's list of choices names the parameters by their captions,
            // which the device gives partly in Cyrillic in both languages.
            if (english && d.kind != ControlKind::Cell) {
              EXPECT_FALSE(HasCyrillic(ours)) << where << ": " << e.what();
            }
            if (!english) {
              EXPECT_TRUE(HasCyrillic(ours)) << where << ": " << e.what();
            }
            // The other language says it in its own words.
            SetEnglishVersion(!english);
            try {
              SetFromText(ctx, d, text);
              ADD_FAILURE() << where << ": taken in the other language";
            } catch (const TripError& other) {
              EXPECT_NE(std::string(other.what()), e.what()) << where;
            }
            SetEnglishVersion(english);
            PutBack(ctx, original);
            continue;
          } catch (const std::exception& e) {
            ADD_FAILURE() << where << ": not our error: " << e.what();
            PutBack(ctx, original);
            continue;
          }
          ++taken;
          const Blocks stored = AllBlocks(ctx.mk);
          const std::string shown = FormatValue(ctx, d, english);
          try {
            SetFromText(ctx, d, shown);
            EXPECT_EQ(AllBlocks(ctx.mk), stored) << where << " shows '" << shown << "'";
          } catch (const std::exception& e) {
            ADD_FAILURE() << where << " shows '" << shown << "', refused: " << e.what();
          }
          PutBack(ctx, original);
        }
      }
    }
  }
  SetEnglishVersion(was);
  // Both outcomes occur; the corpus is not all refusals.
  EXPECT_GT(refused, 10000);
  EXPECT_GT(taken, 500);
}

}  // namespace
}  // namespace tc
