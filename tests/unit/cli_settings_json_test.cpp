// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli's settings for scripts: the JSON forms parsed back, and the
// NAME=VALUE dump replayed with set --from, run as a user runs them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <variant>

#include "cli_runner.h"
#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "schema_values.h"
#include "util/files.h"

using namespace tc;

namespace {
using tc::testing::RunCli;

// A strict JSON reader: anything that is not JSON fails the test.
struct Json {
  std::variant<std::nullptr_t, bool, double, std::string, std::vector<Json>,
               std::map<std::string, Json>>
      v;
  bool IsObject() const { return std::holds_alternative<std::map<std::string, Json>>(v); }
  bool IsArray() const { return std::holds_alternative<std::vector<Json>>(v); }
  bool IsString() const { return std::holds_alternative<std::string>(v); }
  bool IsNumber() const { return std::holds_alternative<double>(v); }
  bool IsBool() const { return std::holds_alternative<bool>(v); }
  const Json& operator[](const std::string& k) const {
    static const Json none;
    const auto& m = std::get<std::map<std::string, Json>>(v);
    const auto it = m.find(k);
    return it == m.end() ? none : it->second;
  }
  bool Has(const std::string& k) const {
    return IsObject() && std::get<std::map<std::string, Json>>(v).count(k) > 0;
  }
  const std::vector<Json>& Array() const { return std::get<std::vector<Json>>(v); }
  const std::string& Str() const { return std::get<std::string>(v); }
  double Num() const { return std::get<double>(v); }
  bool Bool() const { return std::get<bool>(v); }
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& s) : s_(s) {}
  Json Document() {
    Json j = Value();
    Blank();
    if (i_ != s_.size()) Fail("text after the document");
    return j;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) {
    throw std::runtime_error(why + " at " + std::to_string(i_));
  }
  void Blank() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  bool Take(char c) {
    Blank();
    if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
    return false;
  }
  Json Value() {
    Blank();
    if (i_ >= s_.size()) Fail("end of text");
    const char c = s_[i_];
    if (c == '{') {
      ++i_;
      std::map<std::string, Json> m;
      if (Take('}')) return {m};
      do {
        Blank();
        if (i_ >= s_.size() || s_[i_] != '"') Fail("key expected");
        std::string k = String();
        if (!Take(':')) Fail("':' expected");
        if (m.count(k)) Fail("duplicate key " + k);
        m[k] = Value();
      } while (Take(','));
      if (!Take('}')) Fail("'}' expected");
      return {m};
    }
    if (c == '[') {
      ++i_;
      std::vector<Json> a;
      if (Take(']')) return {a};
      do a.push_back(Value());
      while (Take(','));
      if (!Take(']')) Fail("']' expected");
      return {a};
    }
    if (c == '"') return {String()};
    for (const auto& [word, value] :
         {std::pair{"true", Json{true}}, std::pair{"false", Json{false}},
          std::pair{"null", Json{nullptr}}})
      if (s_.compare(i_, std::strlen(word), word) == 0) {
        i_ += std::strlen(word);
        return value;
      }
    size_t used = 0;
    const double d = std::stod(s_.substr(i_, 40), &used);
    if (!used) Fail("value expected");
    i_ += used;
    return {d};
  }
  std::string String() {
    ++i_;  // the opening quote
    std::string out;
    while (i_ < s_.size() && s_[i_] != '"') {
      const auto c = static_cast<unsigned char>(s_[i_]);
      if (c < 0x20) Fail("control character in a string");
      if (c == '\\') {
        if (++i_ >= s_.size()) Fail("escape at end");
        const char e = s_[i_];
        if (e == 'n')
          out += '\n';
        else if (e == 't')
          out += '\t';
        else if (e == 'r')
          out += '\r';
        else if (e == '"' || e == '\\' || e == '/')
          out += e;
        else if (e == 'u') {
          out += char(std::stoi(s_.substr(i_ + 1, 4), nullptr, 16));
          i_ += 4;
        } else
          Fail("bad escape");
        ++i_;
        continue;
      }
      out += char(c);
      ++i_;
    }
    if (i_ >= s_.size()) Fail("string not closed");
    ++i_;
    return out;
  }
  const std::string& s_;
  size_t i_ = 0;
};

Json Parse(const std::string& text) {
  try {
    return JsonReader(text).Document();
  } catch (const std::exception& e) {
    ADD_FAILURE() << "not JSON: " << e.what() << "\n" << text.substr(0, 2000);
    return {};
  }
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class CliSettingsData : public tc::testing::TempDirTest {
 protected:
  std::string Sample(const std::string& name) {
    const std::string path = P(name + ".dvkps");
    const SampleSetup setup = SampleSetupByName(name);
    WriteFileAtomic(path, EncodeSettingsFile(setup.deviceVersion, BuildSampleImage(setup)));
    return path;
  }
  // The model's defaults in the sample's image and variant.
  std::string Defaults(const std::string& name) {
    const std::string path = P(name + "-defaults.dvkps");
    const SampleSetup setup = SampleSetupByName(name);
    TMK fresh(setup.english);
    fresh.ReplaceImage(BuildSampleImage(setup));
    fresh.SetInt(layout::kProtocolNumber, setup.protocol);
    fresh.EncodeSettingsBlocks();
    WriteFileAtomic(path, EncodeSettingsFile(setup.deviceVersion, fresh.Image()));
    return path;
  }
  static std::vector<uint8_t> Bytes(const std::string& path) { return ReadWholeFile(path); }
  // The settings a dump lists only as a comment: values set refuses.
  static std::set<std::string> Commented(const std::string& list) {
    std::set<std::string> names;
    std::ifstream in(list);
    std::string line;
    while (std::getline(in, line))
      if (line.size() > 2 && line[0] == '#' && line.find('=') != std::string::npos)
        names.insert(line.substr(2, line.find('=') - 2));
    return names;
  }
  // What every visible setting of `reference` shows, checked in `other`
  // (but for those the dump could only comment on).
  static void ExpectSameVisible(const std::string& reference, const std::string& other,
                                const std::string& what, const std::set<std::string>& skip) {
    auto a = OpenSettingsDocument(reference);
    auto b = OpenSettingsDocument(other);
    EditorContext ca{a->Model(), a->Variant()}, cb{b->Model(), b->Variant()};
    const Visibility v = ControlVisibility(ca);
    int checked = 0;
    for (const SettingDef& d : SettingsSchema()) {
      if (!v.Visible(d.name) || skip.count(d.name)) continue;
      ++checked;
      EXPECT_EQ(FormatValue(cb, d, true), FormatValue(ca, d, true)) << what << ": " << d.name;
    }
    EXPECT_GT(checked, 100) << what;
  }
};
}  // namespace

// For every sample: the full dump replayed onto the same file changes no
// byte, and onto the defaults of the same variant brings back every visible
// setting; the dump of what differs from the defaults does the same.
TEST_F(CliSettingsData, AsSetDumpReplaysOntoTheSameFileAndOntoDefaults) {
  for (const SampleImage& s : SampleImages()) {
    SCOPED_TRACE(s.name);
    const std::string file = Sample(s.name);
    for (const char* lang : {"en", "ru"}) {
      const std::string list = P(s.name + "-" + lang + ".txt");
      auto r = RunCli("settings " + file + " --as-set --all --lang " + lang + " >" + list, false);
      ASSERT_EQ(r.status, 0);
      const std::string copy = P(s.name + "-copy.dvkps");
      std::filesystem::copy_file(file, copy, std::filesystem::copy_options::overwrite_existing);
      r = RunCli("set " + copy + " --from " + list + " --lang " + lang);
      ASSERT_EQ(r.status, 0) << r.out;
      EXPECT_TRUE(Bytes(copy) == Bytes(file)) << lang << ": the replay changed the file\n"
                                              << RunCli("diff " + file + " " + copy).out;

      const std::string defaults = Defaults(s.name);
      r = RunCli("set " + defaults + " --from " + list + " --lang " + lang);
      ASSERT_EQ(r.status, 0) << r.out;
      ExpectSameVisible(file, defaults, std::string("--all onto defaults, ") + lang,
                        Commented(list));
    }
    const std::string changed = P(s.name + "-changed.txt");
    auto r = RunCli("settings " + file + " --as-set --lang en >" + changed, false);
    ASSERT_EQ(r.status, 0);
    const std::string defaults = Defaults(s.name);
    r = RunCli("set " + defaults + " --from " + changed);
    ASSERT_EQ(r.status, 0) << r.out;
    ExpectSameVisible(file, defaults, "changed ones onto defaults", Commented(changed));
  }
}

// Every visible setting moved to another value, dumped, and replayed onto
// the defaults: the list carries all of it, rules and shared bytes included.
TEST_F(CliSettingsData, AChangedEverythingDumpReplaysOntoDefaults) {
  const std::string file = Sample("v8003-32k");
  {
    SettingsDocument doc;
    ReadSettingsFile(doc.Model(), file);
    TSettingsEditSession session(doc);
    EditorContext& ctx = session.Context();
    const Visibility visible = ControlVisibility(ctx);
    for (const auto& d : SettingsSchema()) {
      if (!visible.Visible(d.name) || d.readOnly) continue;
      const std::string v = OtherValue(ctx, d);
      if (!v.empty()) SetFromText(ctx, d, v);
    }
    session.Accept();
    WriteSettingsFile(doc.Model(), file);
  }
  const std::string list = P("all.txt");
  ASSERT_EQ(RunCli("settings " + file + " --as-set --lang en >" + list, false).status, 0);
  const std::string defaults = Defaults("v8003-32k");
  const auto r = RunCli("set " + defaults + " --from " + list);
  ASSERT_EQ(r.status, 0) << r.out;
  ExpectSameVisible(file, defaults, "changed everything", Commented(list));
}

TEST_F(CliSettingsData, SetFromRefusesBadListsAndWritesNothing) {
  const std::string file = Sample("v104-8k");
  const auto before = Bytes(file);
  const auto write = [&](const std::string& name, const std::string& text) {
    std::ofstream(P(name)) << text;
    return P(name);
  };
  // A line that is no assignment, named by its line number.
  auto r = RunCli("set " + file + " --from " +
                  write("bad.txt", "# comment\n\nseVelocityLimit=100\nnonsense\n") + " --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("bad.txt:4: 'nonsense' is not NAME=VALUE"), std::string::npos) << r.out;
  // An unknown name or a value out of range anywhere in the list.
  r = RunCli("set " + file + " --from " + write("u.txt", "seVelocityLimit=100\nseNoSuch=1\n") +
             " --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("unknown setting 'seNoSuch'"), std::string::npos) << r.out;
  r = RunCli("set " + file + " --from " +
             write("r.txt", "seVelocityLimit=100\r\nseVelocityLimit=100000\r\n") + " --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("nothing was written"), std::string::npos) << r.out;
  r = RunCli("set " + file + " --from " + P("missing.txt") + " --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(Bytes(file), before);

  // Windows line ends and a list followed by an assignment on the line.
  r = RunCli("set " + file + " --from " + write("ok.txt", "  seVelocityLimit=100\r\n") +
             " seSoundVolume=3");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(RunCli("get " + file + " seVelocityLimit seSoundVolume", false).out, "100\n3\n");
}

TEST_F(CliSettingsData, JsonOfSettingsGetAndDiffParsesToTheDocumentedShape) {
  const std::string file = Sample("v8003-32k");
  // A text with quotes and a backslash must survive as data.
  const std::string odd = "a\"b\\c";
  ASSERT_EQ(RunCli("set " + file + " " + Quote("eUniMeasStr=" + odd)).status, 0);

  const Json all = Parse(RunCli("settings " + file + " --json --lang en", false).out);
  ASSERT_TRUE(all.IsObject());
  EXPECT_EQ(all["format"].Str(), "tripconf-settings");
  EXPECT_EQ(all["version"].Num(), 1);
  EXPECT_EQ(all["language"].Str(), "en");
  const auto& settings = all["settings"].Array();
  ASSERT_EQ(settings.size(), SettingsSchema().size());
  auto doc = OpenSettingsDocument(file);
  EditorContext ctx{doc->Model(), doc->Variant()};
  const Visibility v = ControlVisibility(ctx);
  const std::set<std::string> kinds = {"number",    "radio",    "combo", "check",
                                       "time",      "text",     "date",  "table",
                                       "code-list", "code-set", "cell",  "colour"};
  for (size_t i = 0; i < settings.size(); ++i) {
    const Json& s = settings[i];
    const SettingDef& d = SettingsSchema()[i];
    ASSERT_EQ(s["name"].Str(), d.name);
    EXPECT_EQ(s["page"].Str(), d.page);
    EXPECT_TRUE(s["pageCaption"].IsString() && s["caption"].IsString());
    EXPECT_TRUE(kinds.count(s["kind"].Str())) << d.name;
    EXPECT_EQ(s["value"].Str(), FormatValue(ctx, d, true)) << d.name;
    EXPECT_EQ(s["hidden"].Bool(), !v.Visible(d.name)) << d.name;
    EXPECT_TRUE(s["readOnly"].IsBool());
    const SettingValue stored = ReadValue(ctx, d);
    if (stored.isText) {
      EXPECT_EQ(s["stored"].Str(), stored.text) << d.name;
    } else {
      ASSERT_TRUE(s["stored"].IsArray()) << d.name;
      ASSERT_EQ(s["stored"].Array().size(), stored.numbers.size()) << d.name;
      for (size_t k = 0; k < stored.numbers.size(); ++k)
        EXPECT_EQ(s["stored"].Array()[k].Num(), double(stored.numbers[k])) << d.name;
    }
    if (d.kind == ControlKind::Spin) {
      EXPECT_LE(s["min"].Num(), s["max"].Num()) << d.name;
      EXPECT_TRUE(s["decimals"].IsNumber());
    }
    if (d.IsChoice()) {
      ASSERT_TRUE(s["items"].IsArray()) << d.name;
      for (const Json& item : s["items"].Array())
        EXPECT_TRUE(item["text"].IsString() && item["stored"].IsNumber() &&
                    item["enabled"].IsBool());
    } else {
      EXPECT_FALSE(s.Has("items")) << d.name;
    }
  }

  const Json got =
      Parse(RunCli("get " + file + " eUniMeasStr seVelocityLimit --json --lang ru", false).out);
  ASSERT_EQ(got["settings"].Array().size(), 2u);
  EXPECT_EQ(got["language"].Str(), "ru");
  EXPECT_EQ(got["settings"].Array()[0]["value"].Str(), odd);
  EXPECT_EQ(got["settings"].Array()[1]["caption"].Str(), "Скорость, км/час");
  EXPECT_EQ(RunCli("get " + file + " seNoSuch --json").status, 1);

  const std::string other = P("other.dvkps");
  std::filesystem::copy_file(file, other);
  auto r = RunCli("diff " + file + " " + other + " --json", false);
  EXPECT_EQ(r.status, 0);
  Json diff = Parse(r.out);
  EXPECT_EQ(diff["format"].Str(), "tripconf-diff");
  EXPECT_TRUE(diff["settings"].Array().empty());
  EXPECT_TRUE(diff["bytes"].Array().empty());
  ASSERT_EQ(RunCli("set " + other + " seVelocityLimit=100").status, 0);
  r = RunCli("diff " + file + " " + other + " --json --lang en", false);
  EXPECT_EQ(r.status, 1);
  diff = Parse(r.out);
  ASSERT_EQ(diff["settings"].Array().size(), 1u);
  EXPECT_EQ(diff["settings"].Array()[0]["name"].Str(), "seVelocityLimit");
  EXPECT_EQ(diff["settings"].Array()[0]["b"].Str(), "100");
  EXPECT_EQ(diff["deviceVersion"].Array().size(), 2u);
}
