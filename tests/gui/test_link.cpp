// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_link.h"

#include "app/gui_link.h"

namespace tc::test {

void DeadChannel::Open(const std::string& path, uint32_t) {
  log_->opened.push_back(path);
  for (const auto& [p, error] : log_->failing)
    if (p == path) throw error;
  open_ = true;
}

bool DeadChannel::Write(const uint8_t* data, size_t size) {
  log_->written.insert(log_->written.end(), data, data + size);
  return true;
}

RecordingChannel::RecordingChannel(std::shared_ptr<ChannelLog> log)
    : log_(std::move(log)), inner_(GuiLinkPlatform().NewChannel()) {}
RecordingChannel::~RecordingChannel() = default;
void RecordingChannel::Open(const std::string& path, uint32_t baudRate) {
  log_->opened.push_back(path);
  inner_->Open(path, baudRate);
}
void RecordingChannel::Close() {
  inner_->Close();
}
bool RecordingChannel::IsOpen() const {
  return inner_->IsOpen();
}
bool RecordingChannel::Write(const uint8_t* data, size_t size) {
  log_->written.insert(log_->written.end(), data, data + size);
  return inner_->Write(data, size);
}
long RecordingChannel::Read(uint8_t* buffer, size_t maxSize) {
  return inner_->Read(buffer, maxSize);
}
bool RecordingChannel::WaitForInput(int ms) {
  return inner_->WaitForInput(ms);
}
void RecordingChannel::PurgeInput() {
  inner_->PurgeInput();
}
void RecordingChannel::PurgeOutput() {
  inner_->PurgeOutput();
}
void RecordingChannel::SetRts(bool on) {
  inner_->SetRts(on);
}
void RecordingChannel::SetDtr(bool on) {
  inner_->SetDtr(on);
}
uint32_t RecordingChannel::SetBaudRate(uint32_t b) {
  return inner_->SetBaudRate(b);
}

LinkPlatform DeadPortsPlatform(int count, std::shared_ptr<ChannelLog> log) {
  LinkPlatform p = GuiLinkPlatform();
  p.ListPorts = [count] {
    std::vector<PortInfo> ports;
    for (int i = 0; i < count; ++i) {
      const std::string name = "ttyS" + std::to_string(i);
      ports.push_back({name, "/dev/" + name, i == 2 ? "FT232R USB UART" : ""});
    }
    return ports;
  };
  p.PortExists = [](const std::string&) { return true; };
  p.NewChannel = [log] { return std::make_unique<DeadChannel>(log); };
  return p;
}

LinkPlatform ExtraPortsOnlyPlatform(std::shared_ptr<ChannelLog> log) {
  LinkPlatform p = GuiLinkPlatform();
  p.ListPorts = [] { return std::vector<PortInfo>{}; };
  p.NewChannel = [log] { return std::make_unique<RecordingChannel>(log); };
  return p;
}

bool HaveSim() {
  return !std::string(TRIPSIM).empty();
}

SimProcess::~SimProcess() {
  Stop();
}

bool SimProcess::Start(const QStringList& args, std::string* why) {
  process_.start(TRIPSIM, args);
  if (!process_.waitForStarted(5000)) {
    if (why) *why = "tripsim did not start";
    return false;
  }
  while (!process_.canReadLine()) {
    if (!process_.waitForReadyRead(5000)) {
      if (why) *why = "tripsim printed no port: " + process_.readAllStandardError().toStdString();
      return false;
    }
  }
  path_ = QString::fromUtf8(process_.readLine()).trimmed().toStdString();
  return !path_.empty();
}

void SimProcess::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(3000)) {
    process_.kill();
    process_.waitForFinished(3000);
  }
}

}  // namespace tc::test
