// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings report an installer hands to a car owner: one HTML page in the
// user's language with the pages, settings and screens the editor shows for
// the document's variant, under the editor's captions, the journals' sums and,
// when a "before" document is given, what changed. The command line writes it
// to a file; the program saves or prints it.
#include <cstdint>
#include <string>
#include <vector>

namespace tc {

class SettingsDocument;

struct ReportOptions {
  bool english = false;
  // How the header names the file the settings came from ("" leaves it out).
  std::string fileName;
  // When the report was made, as the header shows it; empty: now, local time.
  std::string made;
  // The settings before the job: the report then starts with every setting
  // that differs from them. Not owned; nullptr: no such section.
  const SettingsDocument* before = nullptr;
  std::string beforeName;
  // True: pictures are embedded as data URLs (a file that stands alone).
  // False: they are named "report-picture-N.png" and handed back in
  // `pictures`, for a renderer that takes them as resources.
  bool embedPictures = true;
};

struct ReportPicture {
  std::string name;  // as the HTML refers to it
  std::vector<uint8_t> png;
  int width = 0;
  int height = 0;
};

struct SettingsReport {
  std::string html;
  std::vector<ReportPicture> pictures;  // only when not embedded
};

// Builds the report from a copy of the document's settings image, so the
// document itself is left exactly as it was. Throws TripError in the user's
// language when the document holds no settings yet.
SettingsReport MakeSettingsReport(const SettingsDocument& doc, const ReportOptions& options);

// The value of one setting as the report shows it, given its text as the
// editor's controls show it: check boxes as words, items by their text, a
// stored value that is none of the items as the number and a note that says
// so, hot menus and systems by their captions.
struct EditorContext;
struct SettingDef;
std::string ReportValueText(const EditorContext& ctx, const SettingDef& def, bool english);

}  // namespace tc
