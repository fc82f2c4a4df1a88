// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ml_rs_base.h"

#include <iostream>

#include "link/port_texts.h"
#include "link/posix_channel.h"
#include "util/ini_file.h"

namespace tc {

LinkPlatform PosixLinkPlatform() {
  LinkPlatform p;
  p.ListPorts = ListSystemPorts;
  p.PortExists = PortPathExists;
  p.NewChannel = [] { return std::make_unique<PosixChannel>(); };
  p.ShowError = [](const std::string& text) { std::cerr << text << "\n"; };
  return p;
}

TML_RS_Base::TML_RS_Base(LinkPlatform platform)
    : TMLBaseInterface("RS232"),
      platform_(std::move(platform)),
      clock_(platform_.Clock ? platform_.Clock : &SystemClock()) {
  if (!platform_.ListPorts) platform_.ListPorts = [] { return std::vector<PortInfo>{}; };
  if (!platform_.PortExists) platform_.PortExists = PortPathExists;
  if (!platform_.NewChannel) platform_.NewChannel = [] { return std::make_unique<PosixChannel>(); };
  if (!platform_.BuildTable) platform_.BuildTable = BuildPortTable;
  if (ScanPorts() > 0)
    PortNumber = FirstAvailablePort();
  else
    ReportNoPort();
}

TML_RS_Base::~TML_RS_Base() {
  ClosePort();
}

void TML_RS_Base::ReportNoPort() {
  if (platform_.ShowError) platform_.ShowError(kNoFreePortText);
}

int TML_RS_Base::ScanPorts() {
  // Our own open handle would make the port look taken.
  if (PortOpen) ClosePort();
  ports_ = platform_.BuildTable(platform_.ListPorts(), ExtraPorts);
  PortCount = 0;
  PortAvailable.fill(false);
  for (size_t i = 0; i < ports_.size(); ++i) {
    PortAvailable[i + 1] = platform_.PortExists(ports_[i].path);
    if (PortAvailable[i + 1]) ++PortCount;
  }
  return PortCount;
}

int TML_RS_Base::FirstAvailablePort() const {
  for (int n = 1; n <= kMaxPorts; ++n)
    if (PortAvailable[n]) return n;
  return 0;
}

void TML_RS_Base::OpenPort(int n) {
  if (n <= 0) return;
  PortNumber = n;
  if (n > kMaxPorts || !PortAvailable[n]) PortNumber = FirstAvailablePort();
  if (PortNumber == 0) {
    ReportNoPort();
    return;
  }
  OpenPath(ports_[size_t(PortNumber - 1)].path);
}

void TML_RS_Base::OpenPath(const std::string& path) {
  ClosePort();
  portPath_ = path;
  auto channel = platform_.NewChannel();
  try {
    channel->Open(path, BaudRate);
  } catch (const PortOpenError& e) {
    lastOpenError_ = e.what();
    lastOpenFailure_ = e.Kind();
    return;
  } catch (const std::exception& e) {
    lastOpenError_ = path + ": " + e.what();
    lastOpenFailure_ = PortOpenFailure::Other;
    return;
  }
  channel_ = std::move(channel);
  lastOpenError_.clear();
  lastOpenFailure_ = PortOpenFailure::None;
  SetBaudRate(BaudRate);
  PortOpen = true;
}

void TML_RS_Base::ClosePort() {
  if (channel_) channel_->Close();
  channel_.reset();
  PortOpen = false;
}

void TML_RS_Base::SetBaudRate(uint32_t baudRate) {
  BaudRate = baudRate;
  if (!channel_) return;
  const uint32_t actual = channel_->SetBaudRate(baudRate);
  if (actual != 0) BaudRate = actual;
}

void TML_RS_Base::LoadLinkSettings(const TMIniFile& ini) {
  ExtraPorts = SplitExtraPorts(ini.ReadString(SectionName(), "ExtraPorts", ""));
  if (!ExtraPorts.empty()) {
    ScanPorts();
    if (PortNumber == 0) PortNumber = FirstAvailablePort();
  }
  OpenPort(ini.ReadInteger(SectionName(), "Port", PortNumber));
}

void TML_RS_Base::SaveLinkSettings(TMIniFile& ini) const {
  ini.WriteInteger(SectionName(), "Port", PortNumber);
}

std::string TML_RS_Base::PortName(int n) const {
  if (n < 1 || size_t(n) > ports_.size()) return {};
  return PortDisplayName(n, ports_[size_t(n - 1)]);
}

}  // namespace tc
