// SPDX-License-Identifier: GPL-3.0-or-later
// Carrying a configuration onto another device variant or software version:
// known answers for each kind of setting, the account's rules checked for
// every setting of every sample pair, and a file carried onto itself.
#include "editor_core/carry_over.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "schema_values.h"
#include "util/errors.h"

namespace tc {
namespace {

constexpr const char* kSamples[] = {"v104-8k", "v8002-8k", "v8003-32k", "ve01-32k"};

std::unique_ptr<SettingsDocument> OpenSample(const char* name) {
  const SampleSetup setup = SampleSetupByName(name);
  return OpenSettingsDocument(BuildSampleImage(setup), setup.deviceVersion);
}

// A sample edited through a session, as the editor leaves it.
struct Edited {
  explicit Edited(const char* name) : doc(OpenSample(name)), session(*doc) {}
  void Set(const char* setting, const std::string& text) {
    SetFromText(session.Context(), *FindSetting(setting), text);
  }
  EditorContext& Ctx() { return session.Context(); }
  std::unique_ptr<SettingsDocument> doc;
  TSettingsEditSession session;
};

// A carry onto a sample, with the account.
struct Carried {
  Carried(const EditorContext& source, const char* target)
      : doc(OpenSample(target)), session(*doc) {
    account = CarryOver(source, session.Context(), true);
  }
  EditorContext& Ctx() { return session.Context(); }
  std::string Text(const char* setting) { return FormatValue(Ctx(), *FindSetting(setting), true); }
  std::unique_ptr<SettingsDocument> doc;
  TSettingsEditSession session;
  SettingsAccount account;
};

AccountOutcome OutcomeOf(const SettingsAccount& a, const char* name) {
  const AccountEntry* e = a.Find(name);
  EXPECT_NE(e, nullptr) << name << " is not in the account";
  return e ? e->outcome : AccountOutcome::Changed;
}

// Holds the same as the source by meaning: a list that depends on the
// variant by its item's text, everything else by value.
bool HoldsTheSame(const EditorContext& src, const EditorContext& tgt, const SettingDef& d) {
  if (d.IsChoice() && d.dynamicItems) {
    const auto a = SettingItems(src, d), b = SettingItems(tgt, d);
    const int i = GetIndex(src, d), k = GetIndex(tgt, d);
    if (i >= 0 && k >= 0) return std::string(a[size_t(i)].text.en) == b[size_t(k)].text.en;
  }
  return ReadValue(src, d) == ReadValue(tgt, d);
}

TEST(CarryOver, KnownAnswersForEachKindOfSetting) {
  // A manual protocol (code 12 sits at position 2 of this variant's list and
  // at 5 of the next), a number, a colour, a text of the service file, a
  // display cell and a hot menu with an item the newer device lacks.
  Edited src("v104-8k");
  src.Set("cbProtocolSelectMeth", "Man.");
  src.Set("cbProtocol", "#2");
  ASSERT_EQ(src.Ctx().ProtocolCode(), 12);
  src.Set("seTankContFull", "75");
  src.Set("day.palette.1", "1,2,3");
  src.Set("eUniMeasStr", "Turbo");
  src.Set("sghmAver", "52, 48, 97");
  // A stored number the target's limits refuse (a file may hold one).
  WriteStored(src.Ctx(), *FindSetting("seTankLimit"), 120);

  Carried on8002(src.Ctx(), "v8002-8k");
  EXPECT_EQ(on8002.Ctx().ProtocolCode(), 12);
  EXPECT_EQ(GetIndex(on8002.Ctx(), *FindSetting("cbProtocol")), 5);
  EXPECT_EQ(OutcomeOf(on8002.account, "cbProtocol"), AccountOutcome::Carried);
  EXPECT_EQ(on8002.Text("cbProtocolSelectMeth"), "Man.");
  EXPECT_EQ(on8002.Text("seTankContFull"), "75");
  EXPECT_EQ(on8002.Text("day.palette.1"), "1,2,3");
  EXPECT_EQ(GetTextValue(on8002.Ctx(), *FindSetting("eUniMeasStr")), "Turbo");
  EXPECT_EQ(OutcomeOf(on8002.account, "eUniMeasStr"), AccountOutcome::CarriedWithFile);
  EXPECT_EQ(OutcomeOf(on8002.account, "sghmAver"), AccountOutcome::Carried);
  EXPECT_EQ(OutcomeOf(on8002.account, "seTankLimit"), AccountOutcome::OutOfRange);
  EXPECT_NE(on8002.account.Find("seTankLimit")->reason.find("120"), std::string::npos);
  EXPECT_NE(on8002.Text("seTankLimit"), "120");
  EXPECT_TRUE(on8002.account.SomethingLeftOut());

  // The newer device has no menu item 48: the other entries come along in
  // their order, and the missing one is named.
  Carried one01(src.Ctx(), "ve01-32k");
  EXPECT_EQ(OutcomeOf(one01.account, "sghmAver"), AccountOutcome::EntryMissing);
  const auto menu = ReadValue(one01.Ctx(), *FindSetting("sghmAver")).numbers;
  ASSERT_GE(menu.size(), 3u);
  EXPECT_EQ(menu[0], 52);
  EXPECT_EQ(menu[1], 97);
  EXPECT_EQ(menu[2], 0);
  EXPECT_NE(one01.account.Find("sghmAver")->reason.find("48"), std::string::npos);
  // Protocol 12 is none of this variant's.
  EXPECT_EQ(OutcomeOf(one01.account, "cbProtocol"), AccountOutcome::NotOffered);
  EXPECT_NE(one01.account.Find("cbProtocol")->reason.find("12"), std::string::npos);
  // The speed correction is not on this device's pages.
  EXPECT_EQ(OutcomeOf(one01.account, "seVelocityCorr"), AccountOutcome::NotShown);

  // A protocol subtype choice the older variant's protocol does not offer.
  auto v8003 = OpenSample("v8003-32k");
  const EditorContext c8003{v8003->Model(), v8003->Variant()};
  Carried on104(c8003, "v104-8k");
  EXPECT_EQ(OutcomeOf(on104.account, "cbProtTypeAdd1"), AccountOutcome::NotOffered);
  EXPECT_FALSE(on104.account.Find("cbProtTypeAdd1")->reason.empty());
}

TEST(CarryOver, EveryPairFollowsTheRulesForEverySetting) {
  int pairs = 0;
  std::map<AccountOutcome, int> seen;
  for (const char* from : kSamples) {
    // A source that differs from every sample wherever it can: each setting
    // it shows gets another valid value (a refused one is simply skipped).
    Edited src(from);
    const Visibility shownInSource = ControlVisibility(src.Ctx());
    for (const SettingDef& d : SettingsSchema()) {
      if (!shownInSource.Visible(d.name)) continue;
      const std::string other = OtherValue(src.Ctx(), d);
      if (other.empty()) continue;
      try {
        SetFromText(src.Ctx(), d, other);
      } catch (const TripError&) {
      }
    }
    const Visibility sourceShows = ControlVisibility(src.Ctx());
    for (const char* to : kSamples) {
      if (std::string(from) == to) continue;
      ++pairs;
      SCOPED_TRACE(std::string(from) + " -> " + to);
      Carried c(src.Ctx(), to);
      const Visibility targetShows = ControlVisibility(c.Ctx());
      size_t listed = 0;
      for (const SettingDef& d : SettingsSchema()) {
        SCOPED_TRACE(d.name);
        const AccountEntry* e = c.account.Find(d.name);
        const bool inSource = sourceShows.Visible(d.name), inTarget = targetShows.Visible(d.name);
        if (d.readOnly || (!inSource && !inTarget)) {
          // Unless its side file carried it byte for byte.
          if (e) {
            ++listed;
            EXPECT_EQ(e->outcome, AccountOutcome::CarriedWithFile);
          }
          continue;
        }
        ASSERT_NE(e, nullptr);
        ++listed;
        ++seen[e->outcome];
        switch (e->outcome) {
          case AccountOutcome::Carried:
            EXPECT_TRUE(inSource && inTarget);
            EXPECT_TRUE(HoldsTheSame(src.Ctx(), c.Ctx(), d));
            break;
          case AccountOutcome::CarriedWithFile:
            EXPECT_EQ(ReadValue(src.Ctx(), d), ReadValue(c.Ctx(), d));
            break;
          case AccountOutcome::NotShown:
            EXPECT_TRUE(inSource && !inTarget);
            break;
          case AccountOutcome::TargetOnly:
            EXPECT_TRUE(!inSource && inTarget);
            break;
          case AccountOutcome::NotOffered:
          case AccountOutcome::OutOfRange:
          case AccountOutcome::EntryMissing:
            EXPECT_TRUE(inSource && inTarget);
            EXPECT_FALSE(e->reason.empty());
            EXPECT_FALSE(HoldsTheSame(src.Ctx(), c.Ctx(), d));
            break;
          case AccountOutcome::Changed:
            ADD_FAILURE() << "a carry-over lists no plain changes";
        }
      }
      EXPECT_EQ(listed, c.account.Entries());
      // The result is a settings image like any other.
      c.session.Accept();
      EXPECT_NO_THROW(OpenSettingsDocument(c.doc->Model().Image(), c.doc->Model().DeviceVersion));
    }
  }
  EXPECT_EQ(pairs, 12);
  // The pairs meet every rule.
  for (AccountOutcome o :
       {AccountOutcome::Carried, AccountOutcome::CarriedWithFile, AccountOutcome::NotShown,
        AccountOutcome::TargetOnly, AccountOutcome::NotOffered, AccountOutcome::EntryMissing})
    EXPECT_GT(seen[o], 0) << OutcomeText(o).en;
}

TEST(CarryOver, ASampleOntoItselfChangesNothingAndCarriesEverything) {
  for (const char* name : kSamples) {
    SCOPED_TRACE(name);
    auto src = OpenSample(name);
    const EditorContext sc{src->Model(), src->Variant()};
    Carried c(sc, name);
    c.session.Accept();
    EXPECT_EQ(c.doc->Model().Image(), src->Model().Image());
    EXPECT_FALSE(c.account.SomethingLeftOut());
    EXPECT_EQ(
        c.account.Count(AccountOutcome::Carried) + c.account.Count(AccountOutcome::CarriedWithFile),
        c.account.Entries());
    EXPECT_GT(c.account.Entries(), 300u);
  }
}

TEST(CarryOver, SettingsFullOfNonsenseAreLeftWithReasonsNotCrashes) {
  // Every byte of every block set to one value: items no list has, numbers
  // beyond every limit, texts without a terminator, hot menus of unknown codes.
  for (const uint8_t fill : {uint8_t(0xFF), uint8_t(0x80), uint8_t(0x00)}) {
    SCOPED_TRACE(int(fill));
    auto src = OpenSample("v8002-8k");
    for (int n = 1; n <= kBlockCount; ++n)
      for (uint8_t& b : src->Model().Block(n)) b = fill;
    const EditorContext sc{src->Model(), src->Variant()};
    for (const char* to : kSamples) {
      SCOPED_TRACE(to);
      std::unique_ptr<Carried> c;
      ASSERT_NO_THROW(c = std::make_unique<Carried>(sc, to));
      for (const AccountPage& p : c->account.pages)
        for (const AccountEntry& e : p.entries) {
          if (LeftOut(e.outcome)) {
            EXPECT_FALSE(e.reason.empty()) << e.def->name;
          }
        }
      c->session.Accept();
      EXPECT_NO_THROW(OpenSettingsDocument(c->doc->Model().Image(), c->doc->Model().DeviceVersion));
    }
  }
}

TEST(SettingsAccount, ChangesAreGroupedByPageWithTheEditorsCaptions) {
  auto a = OpenSample("v104-8k");
  Edited b("v104-8k");
  b.Set("seTankContFull", "80");
  b.Set("day.palette.1", "1,2,3");
  const EditorContext ca{a->Model(), a->Variant()};
  const SettingsAccount changes = ChangesAccount(ca, b.Ctx(), false);
  ASSERT_EQ(changes.Entries(), 2u);
  ASSERT_EQ(changes.pages.size(), 2u);
  EXPECT_EQ(changes.pages[1].caption, "Дисплей / Цветовые схемы");
  const AccountEntry* e = changes.Find("seTankContFull");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->from, "50");
  EXPECT_EQ(e->to, "80");
  EXPECT_EQ(e->outcome, AccountOutcome::Changed);
  EXPECT_NE(AccountText(changes, false).find("seTankContFull\t"), std::string::npos);
  // JSON keeps quotes and control characters of the texts escaped.
  SettingsAccount odd;
  odd.Add({FindSetting("eUniMeasStr"), "a\"b\\c\n", "", "", AccountOutcome::Changed, {}}, true);
  EXPECT_NE(AccountJson(odd, true).find("\"label\": \"a\\\"b\\\\c\\n\""), std::string::npos);
  EXPECT_TRUE(ChangesAccount(ca, ca, true).pages.empty());
}

}  // namespace
}  // namespace tc
