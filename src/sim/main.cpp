// SPDX-License-Identifier: GPL-3.0-or-later
// tripsim: the trip computer on a pseudo-terminal, for the tests, the
// benchmarks and the demo. The host opens the printed slave path as its
// serial port.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "sim/sim_device.h"
#include "util/errors.h"
#include "util/files.h"

namespace {

using tc::sim::SimDevice;

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) {
  g_stop = 1;
}

struct Options {
  std::string link, image, sample, dump;
  uint32_t memory = 0;
  int address = -1;
  long version = -1;
  uint32_t baud = 0;
  int latencyMs = 2;
  bool noEcho = false, busy = false;
  double badChecksum = 0, dropReply = 0;
  long stallAfter = -1, vanishAfter = -1, dropChunk = 0;
  unsigned seed = 1;
};

long Number(const std::string& text, const std::string& what) {
  try {
    size_t used = 0;
    const long v = std::stol(text, &used, 0);
    if (used == text.size()) return v;
  } catch (...) {
  }
  throw tc::TripError("'" + text + "' is not a number (" + what + ")");
}

double Probability(const std::string& text, const std::string& what) {
  try {
    size_t used = 0;
    const double v = std::stod(text, &used);
    if (used == text.size() && v >= 0 && v <= 1) return v;
  } catch (...) {
  }
  throw tc::TripError(what + " takes a probability from 0 to 1");
}

// The options as text, checked and converted after CLI11 has split them up,
// so that every refusal names the option in our own words.
struct RawOptions {
  std::string memory, address, version, baud, latency, badChecksum, dropReply, stallAfter,
      vanishAfter, dropChunk, seed;
};

void Define(CLI::App& app, Options& o, RawOptions& r) {
  app.add_option("--link", o.link, "keep a symlink to the slave at PATH")->type_name("PATH");
  app.add_option("--memory", r.memory, "settings memory size (default: from the image, else 8k)")
      ->type_name("8k|32k");
  app.add_option("--address", r.address, "bus address (default 0xFC for 8k, 0xFE for 32k)")
      ->type_name("0xFC|0xFD|0xFE");
  app.add_option("--version", r.version, "device version word (default: from the image)")
      ->type_name("0xNNNN");
  app.add_option("--image", o.image, "settings to hold (default: a sample of the memory size)")
      ->type_name("FILE.dvkps");
  app.add_option("--sample", o.sample, "a built-in sample (v104-8k, v8002-8k, v8003-32k, ve01-32k)")
      ->type_name("NAME");
  app.add_option("--baud", r.baud, "pace every byte at N bit/s, 11 bits a byte (0 = unpaced)")
      ->type_name("N");
  app.add_option("--latency", r.latency, "reply turnaround (default 2)")->type_name("MS");
  app.add_option("--dump", o.dump, "write the memory to FILE at exit (raw)")->type_name("FILE");
  app.add_flag("--no-echo", o.noEcho, "the bus does not echo the host's bytes");
  app.add_flag("--busy", o.busy, "answer every request as busy");
  app.add_option("--bad-checksum", r.badChecksum, "damage a reply's checksum with probability P")
      ->type_name("P");
  app.add_option("--drop-reply", r.dropReply, "leave a request unanswered with probability P")
      ->type_name("P");
  app.add_option("--stall-after", r.stallAfter,
                 "after N replies, stop half-way through the next and stay silent")
      ->type_name("N");
  app.add_option("--vanish-after", r.vanishAfter,
                 "after N replies, disappear (close the terminal and exit)")
      ->type_name("N");
  app.add_option("--drop-chunk", r.dropChunk,
                 "acknowledge the Nth write chunk (from 1) but do not store it")
      ->type_name("N");
  app.add_option("--seed", r.seed, "seed for the fault probabilities (default 1)")->type_name("N");
  for (CLI::Option* opt : app.get_options())
    opt->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void Convert(const RawOptions& r, Options& o) {
  if (!r.memory.empty()) {
    if (r.memory == "8k" || r.memory == "8192")
      o.memory = 8192;
    else if (r.memory == "32k" || r.memory == "32768")
      o.memory = 32768;
    else
      throw tc::TripError("--memory takes 8k or 32k");
  }
  if (!r.address.empty()) {
    o.address = int(Number(r.address, "--address"));
    if (o.address < 1 || o.address > 255) throw tc::TripError("--address takes 1 to 0xFF");
  }
  if (!r.version.empty()) {
    o.version = Number(r.version, "--version");
    if (o.version < 0 || o.version > 0xFFFF) throw tc::TripError("--version must fit 16 bits");
  }
  if (!r.baud.empty()) {
    const long b = Number(r.baud, "--baud");
    if (b < 0 || b > 4000000) throw tc::TripError("--baud out of range");
    o.baud = uint32_t(b);
  }
  if (!r.latency.empty()) {
    const long l = Number(r.latency, "--latency");
    if (l < 0 || l > 60000) throw tc::TripError("--latency out of range");
    o.latencyMs = int(l);
  }
  if (!r.badChecksum.empty()) o.badChecksum = Probability(r.badChecksum, "--bad-checksum");
  if (!r.dropReply.empty()) o.dropReply = Probability(r.dropReply, "--drop-reply");
  if (!r.stallAfter.empty()) o.stallAfter = Number(r.stallAfter, "--stall-after");
  if (!r.vanishAfter.empty()) o.vanishAfter = Number(r.vanishAfter, "--vanish-after");
  if (!r.dropChunk.empty()) {
    o.dropChunk = Number(r.dropChunk, "--drop-chunk");
    if (o.dropChunk < 1) throw tc::TripError("--drop-chunk counts from 1");
  }
  if (!r.seed.empty()) o.seed = unsigned(Number(r.seed, "--seed"));
  if (!o.image.empty() && !o.sample.empty())
    throw tc::TripError("--image and --sample exclude each other");
}

timespec Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t;
}
uint64_t NowNs() {
  const timespec t = Now();
  return uint64_t(t.tv_sec) * 1000000000ull + uint64_t(t.tv_nsec);
}
void SleepUntilNs(uint64_t ns) {
  timespec t{time_t(ns / 1000000000ull), long(ns % 1000000000ull)};
  while (!g_stop && clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
  }
}

// The line towards the host. Bytes leave at the line's pace when a speed is
// set; what the host never reads is dropped after a while, as on a real bus.
class Line {
 public:
  Line(int master, uint32_t baud)
      : fd_(master), byteNs_(baud ? uint64_t(11) * 1000000000ull / baud : 0) {}

  // When the line is next free.
  uint64_t FreeAt() const { return freeAt_; }

  // Sends bytes, each taking its time on the line from `start` on.
  void Send(const uint8_t* data, size_t n, uint64_t start) {
    if (byteNs_ == 0) {
      Put(data, n);
      return;
    }
    uint64_t t = std::max(start, freeAt_);
    for (size_t i = 0; i < n && !g_stop; ++i) {
      t += byteNs_;
      SleepUntilNs(t);
      Put(data + i, 1);
    }
    freeAt_ = t;
  }
  uint64_t ByteNs() const { return byteNs_; }
  void SetFreeAt(uint64_t t) { freeAt_ = std::max(freeAt_, t); }

 private:
  void Put(const uint8_t* data, size_t n) {
    size_t done = 0;
    while (done < n && !g_stop) {
      const ssize_t w = ::write(fd_, data + done, n - done);
      if (w > 0) {
        done += size_t(w);
      } else if (w < 0 && (errno == EAGAIN || errno == EINTR)) {
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, 200) <= 0) return;  // nobody reads: the bytes are lost
      } else {
        return;
      }
    }
  }
  int fd_;
  uint64_t byteNs_;
  uint64_t freeAt_ = 0;
};

void WriteDump(const Options& o, const SimDevice& dev) {
  if (o.dump.empty()) return;
  try {
    tc::WriteFileAtomic(o.dump, dev.memory);
  } catch (const std::exception& e) {
    std::cerr << "tripsim: " << e.what() << "\n";
  }
}

int Run(const Options& o) {
  // What the device holds.
  std::vector<uint8_t> image;
  uint16_t version = 0x104;
  uint32_t memory = o.memory;
  if (!o.image.empty()) {
    tc::TMK mk;
    tc::ReadSettingsFile(mk, o.image);
    image = mk.Image();
    version = mk.DeviceVersion;
    if (memory == 0) memory = image.size() > 8128 ? 32768 : 8192;
    if (image.size() != memory - 64)
      throw tc::TripError(o.image + " holds " + std::to_string(image.size()) + " bytes; a " +
                          std::to_string(memory) + "-byte memory needs " +
                          std::to_string(memory - 64));
  } else {
    std::string name = o.sample;
    if (name.empty()) name = memory == 32768 ? "v8003-32k" : "v104-8k";
    tc::SampleSetup setup = tc::SampleSetupByName(name);
    if (memory != 0 && memory != setup.memorySize)
      throw tc::TripError("sample " + name + " is for a " + std::to_string(setup.memorySize) +
                          "-byte memory");
    memory = setup.memorySize;
    image = tc::BuildSampleImage(setup);
    version = setup.deviceVersion;
  }
  if (o.version >= 0) version = uint16_t(o.version);
  const uint8_t address = uint8_t(o.address >= 0 ? o.address : memory == 32768 ? 0xFE : 0xFC);
  SimDevice dev(memory, address, version);
  dev.LoadImage(image);
  dev.busy = o.busy;
  dev.dropChunk = uint64_t(o.dropChunk);

  int master = -1, slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
    throw tc::TripError(std::string("cannot create a pseudo-terminal: ") + std::strerror(errno));
  // Raw both ways: the terminal layer must neither echo nor translate. We
  // keep our slave handle open so the host can close and reopen the port.
  termios tio{};
  tcgetattr(slave, &tio);
  cfmakeraw(&tio);
  tcsetattr(slave, TCSANOW, &tio);
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  const std::string slavePath = ttyname(slave) ? ttyname(slave) : "";
  if (!o.link.empty()) {
    std::error_code ec;
    std::filesystem::remove(o.link, ec);
    std::filesystem::create_symlink(slavePath, o.link, ec);
    if (ec) throw tc::TripError("cannot link " + o.link + ": " + ec.message());
  }
  std::printf("%s\n", slavePath.c_str());
  std::fflush(stdout);

  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::mt19937 rng(o.seed);
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  Line line(master, o.baud);
  long replies = 0, damaged = 0, dropped = 0;
  bool stalled = false;
  std::vector<uint8_t> in(4096), echo;
  while (!g_stop) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, 200) <= 0) continue;
    const ssize_t n = ::read(master, in.data(), in.size());
    if (n <= 0) continue;
    const uint64_t arrived = NowNs();
    echo.clear();
    for (ssize_t i = 0; i < n && !g_stop; ++i) {
      const uint8_t byte = in[size_t(i)];
      uint64_t heardAt = arrived;
      // The host's byte occupies the line for one byte time; the bus hands
      // it back as it goes.
      if (line.ByteNs()) {
        if (!o.noEcho) {
          line.Send(&byte, 1, arrived);
          heardAt = line.FreeAt();
        } else {
          heardAt = std::max(arrived, line.FreeAt()) + line.ByteNs();
          SleepUntilNs(heardAt);
          line.SetFreeAt(heardAt);
        }
      } else if (!o.noEcho) {
        echo.push_back(byte);
      }
      auto reply = dev.Hear(byte, heardAt / 1000000);
      if (!reply || reply->empty()) continue;
      if (!echo.empty()) {
        line.Send(echo.data(), echo.size(), arrived);
        echo.clear();
      }
      if (stalled) continue;
      if (o.vanishAfter >= 0 && replies >= o.vanishAfter) {
        std::fprintf(stderr, "tripsim: vanishing after %ld replies\n", replies);
        WriteDump(o, dev);
        if (!o.link.empty()) unlink(o.link.c_str());
        _exit(0);
      }
      if (o.dropReply > 0 && chance(rng) < o.dropReply) {
        ++dropped;
        continue;
      }
      if (o.badChecksum > 0 && chance(rng) < o.badChecksum) {
        reply->back() ^= 0x01;
        ++damaged;
      }
      // The reply is timed on the line's own clock, from the moment the
      // request's last byte was on the line; a late wake-up here only
      // bunches the bytes, it does not stretch the exchange.
      const uint64_t start = std::max(heardAt, line.FreeAt()) + uint64_t(o.latencyMs) * 1000000ull;
      SleepUntilNs(start);
      size_t count = reply->size();
      if (o.stallAfter >= 0 && replies >= o.stallAfter) {
        count /= 2;
        stalled = true;
      }
      line.Send(reply->data(), count, start);
      ++replies;
    }
    if (!echo.empty()) line.Send(echo.data(), echo.size(), arrived);
  }

  WriteDump(o, dev);
  if (!o.link.empty()) unlink(o.link.c_str());
  for (const auto& w : dev.warnings) std::fprintf(stderr, "tripsim: %s\n", w.c_str());
  std::fprintf(stderr,
               "tripsim: %llu requests, %llu block reads, %llu blocks written, %ld replies "
               "damaged, %ld dropped\n",
               (unsigned long long)dev.requests, (unsigned long long)dev.blockReads,
               (unsigned long long)dev.blocksWritten, damaged, dropped);
  close(slave);
  close(master);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Plays a trip computer on a pseudo-terminal; prints the slave path.", "tripsim");
  app.set_help_flag("-h,--help", "print this help and exit");
  Options o;
  RawOptions raw;
  Define(app, o, raw);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return 0;
  } catch (const CLI::ParseError& e) {
    std::cerr << "tripsim: " << e.what() << " (try --help)\n";
    return 2;
  }
  try {
    Convert(raw, o);
    return Run(o);
  } catch (const std::exception& e) {
    std::cerr << "tripsim: " << e.what() << "\n";
    return 2;
  }
}
