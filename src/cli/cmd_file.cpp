// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that work on settings files: info, unpack, pack, dump, sample.
#include <cstdio>
#include <iostream>

#include "catalog/variant_flag_names.h"
#include "catalog/variants.h"
#include "cli/cli.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"

namespace tc::cli {
namespace {

void PrintDirectory(const TMK& mk) {
  std::printf("entry\taddress\tsize\tblock\n");
  for (int k = 1; k <= 14; ++k) {
    const DirEntry e = mk.Entry(k);
    const char* block[] = {"",  "1", "2",  "3",  "4", "5",  "6", "7",
                           "8", "9", "10", "11", "-", "12", "13"};
    std::printf("%d\t0x%04X\t%u\t%s\n", k, e.address, e.size, block[k]);
  }
}

// The variant the file's identity selects, as the editor would see it. A
// file whose blocks or identity cannot be used says why instead of failing
// the whole listing.
void PrintVariant(SettingsDocument& doc) {
  std::string problem;
  try {
    doc.Model().DecodeIdentityBlock();
    doc.SelectVariant();
  } catch (const TripError& e) {
    problem = e.what();
  }
  const TVariantCatalog& cat = doc.Variant();
  std::string flags;
  for (const auto& name : SetFlagNames(cat.Flags())) flags += (flags.empty() ? "" : " ") + name;
  std::printf("project\t%s\n", cat.ProjectName().empty() ? "-" : cat.ProjectName().c_str());
  std::printf("flags\t%s\n", flags.c_str());
  if (const TProtBase* p = cat.CurrentProtocol(); p && problem.empty())
    std::printf("protocol\t%d\t%d\t%s\n", cat.CurrentProtocolNumber(), p->Code, p->Name().c_str());
  else
    std::printf("protocol\t-\t%s\n", problem.c_str());
}

int RunInfo(const Args& a) {
  ApplyLanguageOption(a);
  // Only the identity block is decoded: a file whose other blocks cannot be
  // still shows what it is.
  SettingsDocument doc;
  TMK& mk = doc.Model();
  ReadSettingsFile(mk, a.Single("settings file"));
  mk.RefreshDirectory();
  std::printf("device version\t0x%04X\n", mk.DeviceVersion);
  std::printf("layout version\t%u\n", mk.LayoutVersion());
  std::printf("image size\t%zu bytes\n", mk.Image().size());
  std::printf("entries written\t%u\n", mk.EntryCountToWrite());
  PrintVariant(doc);
  PrintDirectory(mk);
  return 0;
}

int RunUnpack(const Args& a) {
  TMK mk;
  ReadSettingsFile(mk, a.Single("settings file"));
  WriteFileAtomic(a.Required("--out"), mk.Image());
  return 0;
}

int RunPack(const Args& a) {
  const long version = ParseNumber(a.Required("--version"), "--version");
  if (version < 0 || version > 0xFFFF)
    throw TripError(Say("--version должен умещаться в 16 бит", "--version must fit 16 bits"));
  const auto image = ReadWholeFile(a.Single("image file"), kMaxSettingsFileSize - 2);
  WriteFileAtomic(a.Required("--out"), EncodeSettingsFile(uint16_t(version), image));
  return 0;
}

int RunDump(const Args& a) {
  TMK mk;
  ReadSettingsFile(mk, a.Single("settings file"));
  for (int n = 1; n <= kBlockCount; ++n) {
    try {
      mk.DecodeBlock(n);
    } catch (const RangeError& e) {
      throw RangeError(Say("блок ", "block ") + std::to_string(n) +
                       Say(" не удаётся разобрать: ", " cannot be decoded: ") + e.what() + " (" +
                       Say("запись каталога ", "directory entry ") +
                       std::to_string(DirectoryEntryOfBlock(n)) +
                       Say(" даёт размер ", " gives size ") +
                       std::to_string(mk.Entry(DirectoryEntryOfBlock(n)).size) + ")");
    }
  }
  int from = 1, to = kBlockCount;
  if (auto b = a.IntOption("--block")) {
    if (*b < 1 || *b > kBlockCount)
      throw TripError(Say("--block: от 1 до 13", "--block takes 1 to 13"));
    from = to = int(*b);
  }
  for (int n = from; n <= to; ++n) {
    const auto block = mk.Block(n);
    std::printf("block %d (%zu bytes)\n", n, block.size());
    for (size_t i = 0; i < block.size(); i += 16) {
      std::printf("  %04zX ", i);
      for (size_t j = i; j < i + 16 && j < block.size(); ++j) std::printf(" %02X", block[j]);
      std::printf("\n");
    }
  }
  return 0;
}

int RunSample(const Args& a) {
  const SampleSetup setup = SampleSetupByName(a.Single("sample name"));
  const auto image = BuildSampleImage(setup);
  WriteFileAtomic(a.Required("--out"), EncodeSettingsFile(setup.deviceVersion, image));
  return 0;
}

std::string SampleNames() {
  std::string s;
  for (const auto& i : SampleImages()) s += "  " + i.name + "\n";
  return s;
}

const Register kInfo({"info",
                      "show a settings file's versions and block directory",
                      {{"FILE.dvkps", "the settings file"}},
                      {},
                      "Prints the device version, the layout version, the image size, the\n"
                      "variant (project, capability flags, current protocol: position, code,\n"
                      "name) and the block directory (entry, address, size).",
                      RunInfo});
const Register kUnpack({"unpack",
                        "write the raw settings image of a settings file",
                        {{"FILE.dvkps", "the settings file"}},
                        {{"--out", "IMAGE.bin", "where to write the raw image", true}},
                        "",
                        RunUnpack});
const Register kPack({"pack",
                      "make a settings file from a raw settings image",
                      {{"IMAGE.bin", "the raw settings image"}},
                      {{"--version", "0xNNNN", "the device version word to store", true},
                       {"--out", "FILE.dvkps", "the settings file to write", true}},
                      "",
                      RunPack});
const Register kDump({"dump",
                      "hex dump of the settings blocks after loading a file",
                      {{"FILE.dvkps", "the settings file"}},
                      {{"--block", "N", "only block N (1 to 13)"}},
                      "Loads the file, decodes the blocks as the main window does and prints\n"
                      "them in hexadecimal.",
                      RunDump});
const Register kSample({"sample",
                        "write a built-in sample settings file",
                        {{"NAME", "the sample's name"}},
                        {{"--out", "FILE.dvkps", "the settings file to write", true}},
                        "Writes a built-in sample settings file. Names:\n" + SampleNames(),
                        RunSample});

}  // namespace
}  // namespace tc::cli
