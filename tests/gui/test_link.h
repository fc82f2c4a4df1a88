// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Serial ports for the GUI tests: a channel that only records what the
// program did with it, a recorder around a real channel, and tripsim.
#include <QProcess>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "link/byte_channel.h"
#include "link/ml_rs_base.h"

namespace tc::test {

// What the channels of one test saw.
struct ChannelLog {
  std::vector<std::string> opened;  // paths, in order
  std::vector<uint8_t> written;     // every byte sent
  // Paths whose Open fails, with the kind of failure and the text.
  std::vector<std::pair<std::string, PortOpenError>> failing;
};

// A port without a device behind it: opens (or fails as told), swallows what
// is written and never answers.
class DeadChannel : public ByteChannel {
 public:
  explicit DeadChannel(std::shared_ptr<ChannelLog> log) : log_(std::move(log)) {}
  void Open(const std::string& path, uint32_t) override;
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  bool Write(const uint8_t* data, size_t size) override;
  long Read(uint8_t*, size_t) override { return 0; }
  bool WaitForInput(int) override { return false; }
  void PurgeInput() override {}
  void PurgeOutput() override {}
  void SetRts(bool) override {}
  void SetDtr(bool) override {}
  uint32_t SetBaudRate(uint32_t b) override { return b; }

 private:
  std::shared_ptr<ChannelLog> log_;
  bool open_ = false;
};

// The program's own channel, with its opens and writes logged.
class RecordingChannel : public ByteChannel {
 public:
  explicit RecordingChannel(std::shared_ptr<ChannelLog> log);
  ~RecordingChannel() override;
  void Open(const std::string& path, uint32_t baudRate) override;
  void Close() override;
  bool IsOpen() const override;
  bool Write(const uint8_t* data, size_t size) override;
  long Read(uint8_t* buffer, size_t maxSize) override;
  bool WaitForInput(int ms) override;
  void PurgeInput() override;
  void PurgeOutput() override;
  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  uint32_t SetBaudRate(uint32_t baudRate) override;

 private:
  std::shared_ptr<ChannelLog> log_;
  std::unique_ptr<ByteChannel> inner_;
};

// Ports named ttyS0.. at /dev/ttyS0.. that all exist, with dead channels.
LinkPlatform DeadPortsPlatform(int count, std::shared_ptr<ChannelLog> log);
// No system ports (the ini's extra ports only), real channels, logged.
LinkPlatform ExtraPortsOnlyPlatform(std::shared_ptr<ChannelLog> log);

// tripsim on a pseudo-terminal, ended with the test.
class SimProcess {
 public:
  SimProcess() = default;
  ~SimProcess();
  // Starts tripsim with the arguments; false (and why) if it did not come up.
  bool Start(const QStringList& args, std::string* why = nullptr);
  const std::string& Path() const { return path_; }
  // Ends it as an unplugged device would go.
  void Stop();

 private:
  QProcess process_;
  std::string path_;
};

bool HaveSim();

}  // namespace tc::test
