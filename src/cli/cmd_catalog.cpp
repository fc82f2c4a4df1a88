// SPDX-License-Identifier: GPL-3.0-or-later
// catalog: what the program knows about a device variant (flags, protocols,
// measured parameters, device menu), for scripts and for checking a variant
// without a device at hand.
#include <cstdio>
#include <string>

#include "catalog/meas_par.h"
#include "catalog/variant_flag_names.h"
#include "catalog/variants.h"
#include "cli/cli.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc::cli {
namespace {

std::string Join(std::span<const uint8_t> codes) {
  std::string s;
  for (uint8_t c : codes) {
    if (!s.empty()) s += ' ';
    s += std::to_string(c);
  }
  return s;
}

// Tabs and line breaks inside a text would break the columns.
std::string Cell(std::string s) {
  for (char& c : s)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return s;
}

void ListFlags(const TVariantCatalog& cat) {
  for (const auto& name : SetFlagNames(cat.Flags())) std::printf("%s\n", name.c_str());
}

void ListProtocols(const TVariantCatalog& cat) {
  int position = 0;
  for (const auto& p : cat.Protocols())
    std::printf("%d\t%d\t%s\t%s\t%s\t%d\n", position++, p->Code, Cell(p->Name()).c_str(),
                Join(p->Params()).c_str(), Join(p->Blocks()).c_str(), p->FaultFormat);
}

void ListParams(const TVariantCatalog& cat) {
  const VariantFlags& flags = cat.Flags();
  TMeasParList list = BuildMeasParList(flags);
  // The captions as the editor shows them with the default temperature signature.
  ApplyCaptionVariants(list, flags, 0);
  for (const auto& p : list) {
    p->PrepareData();
    std::string line = std::to_string(p->Code) + '\t' + p->ClassName();
    for (const TextPair* t :
         {&p->Name, &p->Caption1, &p->QuadName, &p->QuadUnit, &p->GridName, &p->GridUnit,
          &p->ColumnCaption, &p->GaugeName, &p->GaugeUnit, &p->GraphCaption})
      line += '\t' + Cell((*t)());
    for (const std::string* s : {&p->SampleText, &p->MinText, &p->MaxText}) line += '\t' + Cell(*s);
    std::string labels;
    for (int32_t v : p->GaugeLabels()) labels += (labels.empty() ? "" : " ") + std::to_string(v);
    std::printf("%s\t%s\n", line.c_str(), labels.c_str());
  }
}

void ListMenu(const TVariantCatalog& cat) {
  for (const TMKMenuItem& item : cat.MenuItems())
    std::printf("%u\t%s\t%u\t%s\n", item.Code, item.Ident.c_str(), item.Group,
                Cell(item.Caption()).c_str());
}

int RunCatalog(const Args& a) {
  ApplyLanguageOption(a);
  const long device = ParseNumber(a.Required("--device"), "--device");
  if (device < 0 || device > 0xFFFF)
    throw TripError(Say("--device должен умещаться в 16 бит (от 0 до 0xFFFF)",
                        "--device must fit 16 bits (0 to 0xFFFF)"));
  const long layout = a.IntOption("--layout").value_or(0);
  if (layout < 0 || layout > 255)
    throw TripError(Say("--layout: от 0 до 255", "--layout takes 0 to 255"));
  const auto protocol = a.IntOption("--protocol");
  if (protocol && (*protocol < 0 || *protocol > 255))
    throw TripError(Say("--protocol: от 0 до 255", "--protocol takes 0 to 255"));
  const std::string list = a.Required("--list");
  if (list != "flags" && list != "protocols" && list != "params" && list != "menu")
    throw TripError(Say("--list: flags, protocols, params или menu",
                        "--list takes flags, protocols, params or menu"));

  TVariantCatalog cat;
  try {
    cat.SelectVariant(uint16_t(device), uint8_t(protocol.value_or(0)), uint8_t(layout));
  } catch (const ListIndexError&) {
    // Without --protocol nobody asked for a current protocol: a variant that
    // offers none can still be listed.
    if (protocol) throw;
  }

  if (list == "flags")
    ListFlags(cat);
  else if (list == "protocols")
    ListProtocols(cat);
  else if (list == "params")
    ListParams(cat);
  else
    ListMenu(cat);
  return 0;
}

const Register kCatalog(
    {"catalog",
     "list a device variant's flags, protocols, parameters or menu items",
     {},
     {{"--device", "0xNNNN", "the device type (version word)", true},
      {"--layout", "N", "settings layout version, for the types whose variants depend on it"},
      {"--protocol", "N", "check that the variant offers that protocol position"},
      {"--list", "flags|protocols|params|menu", "what to list", true}},
     "Selects the variant of the device type (and settings layout version, for the\n"
     "types whose variants depend on it) and prints, tab-separated:\n"
     "  flags      the capability flags the variant sets, one per line\n"
     "  protocols  position, code, name, parameter codes, block codes, fault format\n"
     "  params     code, class, name, captions and units of every screen kind,\n"
     "             sample, minimum and maximum texts, needle-gauge labels\n"
     "  menu       code, identifier, group, caption of every device menu item",
     RunCatalog});

}  // namespace
}  // namespace tc::cli
