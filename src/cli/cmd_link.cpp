// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that talk to a device: ports, read, write.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_platform.h"
#include "editor_core/settings_report.h"
#include "link/mk_transfer.h"
#include "link/ml_rs.h"
#include "link/port_texts.h"
#include "link/system_link.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/errors.h"
#include "util/files.h"
#include "util/ini_file.h"

namespace tc::cli {
namespace {

namespace fs = std::filesystem;

std::atomic<bool> g_interrupted{false};
void OnInterrupt(int) {
  // Windows resets the handler before calling it; a second Ctrl-C must not
  // end the program in the middle of a write.
  std::signal(SIGINT, OnInterrupt);
  g_interrupted = true;
}

// Thrown out of a wait when Ctrl-C ends a read; not a TripError, so no
// retry or probe loop takes it for a line fault.
struct Interrupted {};

const TextPair kCancelledText{"Операция отменена", "Cancelled"};
const TextPair kNoDeviceText{"МК не ответил", "No device answered"};
const TextPair kSavedText{"Настройки сохранены в файле", "The settings were saved to"};
const TextPair kWriteNoInterruptText{
    "Запись нельзя прервать: МК остался бы с частью настроек",
    "Writing cannot be interrupted: the device would be left with part of the settings"};
const TextPair kNoSuchPortText{"Нет такого порта", "No such port"};
const TextPair kPortFreeText{"свободен", "free"};
const TextPair kPortMissingText{"нет в системе", "missing"};
const TextPair kVersionsMatchText{"Проверка версий: настройки подходят к МК",
                                  "Version check: the settings fit the device"};
const TextPair kVersionCheckText{"Проверка версий", "Version check"};
const TextPair kDryRunNothingText{"Пробный запуск: в МК ничего не записано",
                                  "Dry run: nothing was written to the device"};
const TextPair kNoChangesText{"Запись ничего не изменит в настройках МК",
                              "The write would change no setting in the device"};
const TextPair kWouldChangeText{"Запись изменит в МК настроек:",
                                "Settings the write would change in the device:"};

// The ini beside the program, if there is one (it is not created here).
std::string IniPath(const Args& a) {
  if (auto p = a.Option("--ini")) return *p;
  const std::string dir = ProgramDirectory();
  if (dir.empty()) return {};
  std::error_code ec;
  const fs::path ini = fs::path(dir) / "tripconf.ini";
  return fs::exists(ini, ec) ? ini.string() : std::string();
}

std::unique_ptr<TML_RS> MakeLink(const Args& a) {
  LinkPlatform p = SystemLinkPlatform();
  p.ShowError = nullptr;  // the commands report missing ports themselves
  auto rs = std::make_unique<TML_RS>(p);
  const std::string ini = IniPath(a);
  if (!ini.empty()) {
    if (!FileExists(ini))
      throw TripError("'" + ini + "' " + Say("не существует", "does not exist"));
    TMIniFile file(ini);
    rs->ExtraPorts = SplitExtraPorts(file.ReadString(rs->SectionName(), "ExtraPorts", ""));
    rs->ScanPorts();
  }
  return rs;
}

// Opens --port N (a number of the port table) or --port PATH, with the
// line settings the main window uses.
void OpenPortOption(TML_RS& rs, const Args& a) {
  const std::string port = a.Required("--port");
  const bool number = !port.empty() && port.find_first_not_of("0123456789") == std::string::npos;
  if (number) {
    const long n = ParseNumber(port, "--port");
    if (n < 1 || n > kMaxPorts || !rs.PortAvailable[size_t(n)])
      throw TripError(kNoSuchPortText() + ": COM" + port + " ('tripconf-cli ports' lists them)");
    rs.PortNumber = int(n);
    rs.OpenPath(rs.Ports()[size_t(n - 1)].path);
  } else {
    rs.OpenPath(port);
  }
  if (!rs.PortOpen) throw TripError(rs.LastOpenError());
  rs.SetBaudRate(19200);
  rs.SetPortType(2);
  rs.FirstByteTimeout = 100;
}

// Progress on stderr; Ctrl-C cancels the search and a read, never a write.
class CliObserver : public TransferObserver {
 public:
  explicit CliObserver(long waitSeconds) {
    if (waitSeconds > 0) deadline_ = std::time(nullptr) + waitSeconds;
    tty_ = StderrIsTerminal();
  }
  void SetLabel(const std::string& text) override {
    EndLine();
    label_ = text;
    writing_ = text == kWritingText();
    lastShown_ = -1;
    std::fprintf(stderr, tty_ ? "%s" : "%s\n", text.c_str());
    open_ = tty_;
  }
  void SetGauge(int percent) override {
    percent = std::min(percent, 100);
    if (tty_) {
      std::fprintf(stderr, "\r%s %3d%%", label_.c_str(), percent);
      open_ = true;
    } else if (percent / 10 != lastShown_ / 10 || (percent == 100 && lastShown_ != 100)) {
      std::fprintf(stderr, "%s %d%%\n", label_.c_str(), percent);
    }
    lastShown_ = percent;
  }
  void SetCancelVisible(bool) override {}
  bool Cancelled() const override {
    return g_interrupted || (deadline_ && std::time(nullptr) >= deadline_);
  }
  void Pump() override {
    if (!g_interrupted) return;
    if (writing_) {
      if (!warned_) {
        EndLine();
        std::fprintf(stderr, "%s\n", kWriteNoInterruptText().c_str());
        warned_ = true;
      }
      return;
    }
    if (label_ == kReadingText()) throw Interrupted{};
  }
  void ShowError(const std::string& text) override {
    EndLine();
    std::fprintf(stderr, "%s\n", text.c_str());
    errors_++;
  }
  void ShowInfo(const std::string& text) override {
    EndLine();
    std::printf("%s\n", text.c_str());
  }
  void EndLine() {
    if (open_ && tty_) std::fprintf(stderr, "\n");
    open_ = false;
  }
  bool TimedOut() const { return !g_interrupted && deadline_ && std::time(nullptr) >= deadline_; }

 private:
  std::string label_;
  bool tty_ = false, open_ = false, writing_ = false, warned_ = false;
  int lastShown_ = -1, errors_ = 0;
  std::time_t deadline_ = 0;
};

// std::signal rather than sigaction: Windows knows only the former, and
// the handler does no more than set a flag.
struct InterruptGuard {
  InterruptGuard() {
    g_interrupted = false;
    old = std::signal(SIGINT, OnInterrupt);
  }
  ~InterruptGuard() { std::signal(SIGINT, old == SIG_ERR ? SIG_DFL : old); }
  void (*old)(int) = SIG_DFL;
};

int Cancelled(CliObserver& obs, const TMKTransfer& t) {
  obs.EndLine();
  std::string text = obs.TimedOut() ? kNoDeviceText() : kCancelledText();
  if (obs.TimedOut() && !t.LastProbeError.empty()) text += ": " + t.LastProbeError;
  std::fprintf(stderr, "%s\n", text.c_str());
  return 130;
}

int RunPorts(const Args& a) {
  ApplyLanguageOption(a);
  auto rs = MakeLink(a);
  if (rs->Ports().empty()) {
    std::fprintf(stderr, "%s\n", kNoFreePortText);
    return 1;
  }
  std::printf("number\tdevice\tdescription\tstate\n");
  const LinkPlatform platform = SystemLinkPlatform();
  for (size_t i = 0; i < rs->Ports().size(); ++i) {
    const PortInfo& p = rs->Ports()[i];
    if (p.path.empty()) continue;  // a COM number no port has (Windows)
    std::string state;
    if (!rs->PortAvailable[i + 1]) {
      state = kPortMissingText();
    } else {
      const auto ch = platform.NewChannel();
      try {
        ch->Open(p.path, 19200);
        state = kPortFreeText();
      } catch (const PortOpenError& e) {
        state = e.what();
      }
    }
    std::printf("COM%zu\t%s\t%s\t%s\n", i + 1, p.path.c_str(), p.description.c_str(),
                state.c_str());
  }
  return 0;
}

int RunRead(const Args& a) {
  ApplyLanguageOption(a);
  const std::string out = a.Required("--out");
  auto rs = MakeLink(a);
  OpenPortOption(*rs, a);
  TMKTransfer transfer(*rs);
  CliObserver obs(a.IntOption("--wait").value_or(0));
  InterruptGuard guard;
  TMK mk;
  try {
    if (transfer.ReadDeviceSettings(mk, obs) == TransferResult::Cancelled)
      return Cancelled(obs, transfer);
  } catch (const Interrupted&) {
    return Cancelled(obs, transfer);
  } catch (...) {
    obs.EndLine();
    throw;
  }
  obs.EndLine();
  WriteSettingsFile(mk, out);
  std::fprintf(stderr, "%s %s (0x%04X, %zu bytes)\n", kSavedText().c_str(), out.c_str(),
               mk.DeviceVersion, mk.Image().size());
  return 0;
}

// What a write would change in the device, setting by setting, as `diff`
// names the differences.
void PrintWriteChanges(const std::vector<uint8_t>& device, const std::vector<uint8_t>& toWrite,
                       uint16_t version) {
  std::printf("%s\n", kVersionsMatchText().c_str());
  const bool english = EnglishVersion();
  const auto held = OpenSettingsDocument(device, version);
  const auto sent = OpenSettingsDocument(toWrite, version);
  const EditorContext a{held->Model(), held->Variant()}, b{sent->Model(), sent->Variant()};
  const SettingsAccount changes = ChangesAccount(a, b, english);
  if (changes.pages.empty() && changes.bytes.empty()) {
    std::printf("%s\n", kNoChangesText().c_str());
    return;
  }
  std::printf("%s %zu\n%s", kWouldChangeText().c_str(), changes.Entries(),
              AccountText(changes, english).c_str());
}

int RunWrite(const Args& a) {
  ApplyLanguageOption(a);
  const std::string file = a.Single("settings file");
  TMK mk(EnglishVersion());
  ReadSettingsFile(mk, file);
  mk.DecodeSettingsBlocks();
  auto rs = MakeLink(a);
  OpenPortOption(*rs, a);
  TMKTransfer transfer(*rs);
  CliObserver obs(a.IntOption("--wait").value_or(0));
  InterruptGuard guard;
  WriteReport rep;
  const bool dryRun = a.Flag("--dry-run");
  bool asked = false;
  if (dryRun) {
    // Everything a write does up to its first write command, then the
    // difference between what the device holds and what would be sent.
    transfer.BeforeWrite = [&](const std::vector<uint8_t>& device,
                               const std::vector<uint8_t>& toWrite, uint16_t version) {
      asked = true;
      obs.EndLine();
      PrintWriteChanges(device, toWrite, version);
      return false;
    };
  }
  try {
    const TransferResult result = transfer.WriteDeviceSettings(mk, obs, &rep);
    if (dryRun) {
      obs.EndLine();
      if (result == TransferResult::Cancelled && !asked) return Cancelled(obs, transfer);
      if (result != TransferResult::Cancelled)
        std::printf("%s: %s\n", kVersionCheckText().c_str(),
                    (result == TransferResult::DeviceVersionMismatch ? kDeviceVersionMismatchText
                                                                     : kLayoutVersionMismatchText)()
                        .c_str());
      std::fprintf(stderr, "%s\n", kDryRunNothingText().c_str());
      return result == TransferResult::Cancelled ? 0 : 1;
    }
    switch (result) {
      case TransferResult::Done:
        if (a.Flag("--verify")) {
          // The model now holds exactly the image that was sent.
          const auto diff = transfer.VerifyWrite(mk.Image(), obs);
          obs.EndLine();
          if (diff) throw TripError(kVerifyFailedText() + ": " + diff->Describe());
          std::printf("%s\n", kVerifyDoneText().c_str());
        }
        return 0;
      case TransferResult::Cancelled:
        return Cancelled(obs, transfer);
      default:
        return 1;
    }
  } catch (const Interrupted&) {
    return Cancelled(obs, transfer);
  } catch (const std::exception& e) {
    obs.EndLine();
    if (rep.BackupPath.empty()) throw;
    throw TripError(std::string(e.what()) + "\n" + kBackupSavedText() + ":\n" + rep.BackupPath);
  }
}

const OptionDef kIniOption{"--ini", "FILE",
                           "ini file whose [RS232] ExtraPorts adds ports (default: the one "
                           "beside the program)"};
const OptionDef kWaitOption{"--wait", "SECONDS",
                            "give up the search for the device after that long"};
const OptionDef kPortOption{"--port", "N|PATH",
                            "COM number of 'tripconf-cli ports', or a device path", true};

const Register kPorts({"ports",
                       "list the serial ports and whether they can be opened",
                       {},
                       {kIniOption},
                       "Lists the port table (number, device, description) and why a port\n"
                       "cannot be opened. Extra device paths come from the ini's [RS232]\n"
                       "ExtraPorts (the ini beside the program, or --ini).",
                       RunPorts});
const Register kRead({"read",
                      "read the settings from a device into a settings file",
                      {},
                      {kPortOption,
                       {"--out", "FILE.dvkps", "the settings file to write", true},
                       kWaitOption,
                       kIniOption},
                      "Searches the bus for the device (power it up now), reads its settings\n"
                      "memory and saves it. Progress goes to stderr; Ctrl-C cancels, and\n"
                      "--wait gives up the search after that many seconds. Nothing is saved\n"
                      "unless the whole memory was read.",
                      RunRead});
const Register kWrite({"write",
                       "write a settings file into a device",
                       {{"FILE.dvkps", "the settings file to write into the device"}},
                       {kPortOption,
                        kWaitOption,
                        kIniOption,
                        {"--verify", nullptr, "read the written pages back and compare them"},
                        {"--dry-run", nullptr,
                         "read the device and print what a write would change; write nothing"}},
                       "Checks that the settings fit the device (device and layout version),\n"
                       "saves what the device holds to the backup folder\n"
                       "($XDG_DATA_HOME/tripconf/backups), then writes the settings. A version\n"
                       "mismatch writes nothing and exits with 1. --verify reads the written\n"
                       "pages back and exits with 1, naming the first difference and the\n"
                       "backup, when the device does not hold what was sent. --dry-run goes\n"
                       "as far as the first write command: it reads the device, checks the\n"
                       "versions, prints the settings the write would change in the device\n"
                       "(page by page, device -> file) and writes nothing, not even a backup.",
                       RunWrite});

}  // namespace
}  // namespace tc::cli
