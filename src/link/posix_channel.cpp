// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/posix_channel.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "link/port_texts.h"

namespace tc {

namespace {

speed_t SpeedConstant(uint32_t baud) {
  switch (baud) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    default:
      return B0;
  }
}

uint32_t SpeedValue(speed_t s) {
  switch (s) {
    case B1200:
      return 1200;
    case B2400:
      return 2400;
    case B4800:
      return 4800;
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    case B230400:
      return 230400;
    default:
      return 0;
  }
}

}  // namespace

PortOpenError PortOpenErrorFromErrno(int err, const std::string& path) {
  const std::string sys = std::strerror(err);
  switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return PortOpenError(PortOpenFailure::NotFound, path + ": " + sys + ". " + kPortGoneText());
    case EACCES:
    case EPERM:
      return PortOpenError(PortOpenFailure::PermissionDenied,
                           path + ": " + sys + ". " + kPortPermissionText());
    case EBUSY:
      return PortOpenError(PortOpenFailure::Busy, path + ": " + sys + ". " + kPortBusyText());
    default:
      return PortOpenError(PortOpenFailure::Other, path + ": " + sys);
  }
}

PosixChannel::~PosixChannel() {
  Close();
}

void PosixChannel::Open(const std::string& path, uint32_t baudRate) {
  Close();
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw PortOpenErrorFromErrno(errno, path);
  // Exclusive: while we hold the port, any further open fails with EBUSY.
  if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) {
    const int err = errno;
    ::close(fd);
    throw PortOpenErrorFromErrno(err, path);
  }
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) {
    const int err = errno;
    ::close(fd);
    throw PortOpenError(PortOpenFailure::Other,
                        path + ": " + std::strerror(err) + ". " + kPortNotSerialText());
  }
  ::cfmakeraw(&tio);
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CRTSCTS);
  tio.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::tcsetattr(fd, TCSANOW, &tio);
  fd_ = fd;
  gone_ = false;
  SetBaudRate(baudRate);
  SetDtr(true);
  PurgeInput();
}

void PosixChannel::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool PosixChannel::Write(const uint8_t* data, size_t size) {
  if (fd_ < 0) return false;
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd_, data + done, size - done);
    if (n > 0) {
      done += size_t(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd p{fd_, POLLOUT, 0};
      if (::poll(&p, 1, 1000) <= 0) return false;
    } else {
      gone_ = gone_ || (n < 0 && (errno == EIO || errno == ENXIO || errno == ENODEV));
      return false;
    }
  }
  return true;
}

long PosixChannel::Read(uint8_t* buffer, size_t maxSize) {
  if (fd_ < 0) return 0;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, maxSize);
    if (n > 0) return long(n);
    if (n == 0) {
      // Raw mode with VMIN 0: 0 means nothing yet, unless the line hung up.
      // A pseudo-terminal whose other end closed reads as 0 with a hang-up
      // rather than failing, and waiting out each time-out would only delay
      // the same message.
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR))) {
        gone_ = true;
        return -1;
      }
      return 0;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
    // EIO and the like: the other end of a pseudo-terminal closed, or the
    // adapter was unplugged.
    gone_ = true;
    return -1;
  }
}

bool PosixChannel::WaitForInput(int ms) {
  if (fd_ < 0 || gone_) {
    // Nothing can arrive; still let the time pass so callers keep their pace.
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return gone_;
  }
  pollfd p{fd_, POLLIN, 0};
  const int r = ::poll(&p, 1, ms);
  if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) && !(p.revents & POLLIN)) {
    gone_ = true;
    return true;
  }
  return r > 0;
}

void PosixChannel::PurgeInput() {
  if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

void PosixChannel::PurgeOutput() {
  if (fd_ >= 0) ::tcflush(fd_, TCOFLUSH);
}

void PosixChannel::SetModemLine(int bit, bool on) {
  if (fd_ < 0) return;
  // Pseudo-terminals have no modem lines; the error is of no consequence.
  (void)::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit);
}

void PosixChannel::SetRts(bool on) {
  SetModemLine(TIOCM_RTS, on);
}
void PosixChannel::SetDtr(bool on) {
  SetModemLine(TIOCM_DTR, on);
}

uint32_t PosixChannel::SetBaudRate(uint32_t baudRate) {
  if (fd_ < 0) return 0;
  termios tio{};
  if (::tcgetattr(fd_, &tio) != 0) return 0;
  const speed_t s = SpeedConstant(baudRate);
  if (s != B0) {
    ::cfsetispeed(&tio, s);
    ::cfsetospeed(&tio, s);
    ::tcsetattr(fd_, TCSANOW, &tio);
  }
  if (::tcgetattr(fd_, &tio) != 0) return 0;
  return SpeedValue(::cfgetospeed(&tio));
}

}  // namespace tc

#else
// Other platforms reach their ports through the Qt channel only.
namespace tc {
PosixChannel::~PosixChannel() = default;
void PosixChannel::Open(const std::string& path, uint32_t) {
  throw PortOpenError(PortOpenFailure::Other, path + ": not supported on this platform");
}
void PosixChannel::Close() {}
bool PosixChannel::Write(const uint8_t*, size_t) {
  return false;
}
long PosixChannel::Read(uint8_t*, size_t) {
  return 0;
}
bool PosixChannel::WaitForInput(int) {
  return false;
}
void PosixChannel::PurgeInput() {}
void PosixChannel::PurgeOutput() {}
void PosixChannel::SetRts(bool) {}
void PosixChannel::SetDtr(bool) {}
uint32_t PosixChannel::SetBaudRate(uint32_t) {
  return 0;
}
void PosixChannel::SetModemLine(int, bool) {}
PortOpenError PortOpenErrorFromErrno(int, const std::string& path) {
  return PortOpenError(PortOpenFailure::Other, path);
}
}  // namespace tc
#endif
