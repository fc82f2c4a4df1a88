// SPDX-License-Identifier: GPL-3.0-or-later
// The QSerialPort channel against tripsim: the desktop program's link.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>

#include "../e2e/harness.h"
#include "link/mk_transfer.h"
#include "link/qt/qt_serial_channel.h"
#include "model/sample_image.h"
#include "model/tmk.h"
#include "util/text_pair.h"

using namespace tc;
using namespace tc::e2e;

namespace {

class PumpingObserver : public TransferObserver {
 public:
  int pumps = 0;
  std::vector<int> gauge;
  void SetLabel(const std::string&) override {}
  void SetGauge(int p) override { gauge.push_back(p); }
  void SetCancelVisible(bool) override {}
  bool Cancelled() const override { return false; }
  void Pump() override {
    ++pumps;
    QCoreApplication::processEvents();
  }
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}
};

std::unique_ptr<TML_RS> QtLink(const std::string& path) {
  auto rs = std::make_unique<TML_RS>(QtLinkPlatform());
  rs->OpenPath(path);
  rs->SetBaudRate(19200);
  rs->SetPortType(2);
  rs->FirstByteTimeout = 100;
  return rs;
}

}  // namespace

TEST(QtChannel, ReadsTheSettingsWhileTheEventLoopTurns) {
  TempDir tmp;
  Sim sim(tmp.path, {"--sample", "v104-8k"});
  ASSERT_TRUE(sim.Running());
  auto rs = QtLink(sim.Port());
  ASSERT_TRUE(rs->PortOpen) << rs->LastOpenError();
  EXPECT_EQ(rs->BaudRate, 19200u);
  TMKTransfer t(*rs);
  TMK mk;
  PumpingObserver obs;
  ASSERT_EQ(t.ReadDeviceSettings(mk, obs), TransferResult::Done);
  EXPECT_EQ(mk.Image(), BuildSampleImage(SampleSetupByName("v104-8k")));
  EXPECT_EQ(obs.gauge.back(), 100);
  EXPECT_GT(obs.pumps, 254);
}

TEST(QtChannel, OpenFailuresAndAVanishedDeviceAreReported) {
  SetEnglishVersion(true);
  auto rs = QtLink("/nonexistent/ttyQ");
  EXPECT_FALSE(rs->PortOpen);
  EXPECT_EQ(rs->LastOpenFailure(), PortOpenFailure::NotFound);

  TempDir tmp;
  Sim sim(tmp.path, {"--vanish-after", "30"});
  ASSERT_TRUE(sim.Running());
  auto link = QtLink(sim.Port());
  ASSERT_TRUE(link->PortOpen);
  TMKTransfer t(*link);
  TMK mk;
  PumpingObserver obs;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(t.ReadDeviceSettings(mk, obs), LinkError);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(mk.Image().empty());
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
