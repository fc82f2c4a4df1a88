// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/qt/qt_serial_channel.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <cerrno>
#include <cstring>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "link/port_texts.h"
#include "link/posix_channel.h"
#if defined(_WIN32)
#include "link/win_channel.h"
#endif

namespace tc {

namespace {

// QSerialPort reports "no permission" and "held by someone else" alike; the
// file's access rights tell the two apart.
PortOpenError OpenFailure(QSerialPort::SerialPortError error, const std::string& path,
                          const std::string& qtText) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return PortOpenError(PortOpenFailure::NotFound, path + ": " + kPortGoneText());
    case QSerialPort::PermissionError:
#if defined(__unix__) || defined(__APPLE__)
      if (::access(path.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM))
        return PortOpenErrorFromErrno(EACCES, path);
      return PortOpenErrorFromErrno(EBUSY, path);
#else
      return PortOpenError(PortOpenFailure::Busy, path + ": " + qtText + ". " + kPortBusyText());
#endif
    default:
      return PortOpenError(PortOpenFailure::Other, path + ": " + qtText);
  }
}

}  // namespace

void QtSerialChannel::Open(const std::string& path, uint32_t baudRate) {
  Close();
  port_.setPortName(QString::fromStdString(path));
  // Qt's own buffer is unbounded, so nothing that arrives between polls is lost.
  port_.setReadBufferSize(0);
  if (!port_.open(QIODevice::ReadWrite)) {
    const auto err = port_.error();
    const std::string text = port_.errorString().toStdString();
    port_.clearError();
    throw OpenFailure(err, path, text);
  }
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::TwoStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  SetBaudRate(baudRate);
  SetDtr(true);
  PurgeInput();
}

void QtSerialChannel::Close() {
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

bool QtSerialChannel::Gone() const {
  return port_.error() == QSerialPort::ResourceError ||
         port_.error() == QSerialPort::DeviceNotFoundError;
}

bool QtSerialChannel::Write(const uint8_t* data, size_t size) {
  if (!port_.isOpen()) return false;
  if (port_.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) return false;
  // Hand the bytes to the driver now rather than on the next event loop turn.
  while (port_.bytesToWrite() > 0)
    if (!port_.waitForBytesWritten(1000)) return false;
  return true;
}

long QtSerialChannel::Read(uint8_t* buffer, size_t maxSize) {
  if (!port_.isOpen()) return 0;
  if (port_.bytesAvailable() == 0) port_.waitForReadyRead(0);
  if (port_.bytesAvailable() == 0 && Gone()) return -1;
  const qint64 n = port_.read(reinterpret_cast<char*>(buffer), qint64(maxSize));
  if (n < 0) return Gone() ? -1 : 0;
  return long(n);
}

bool QtSerialChannel::WaitForInput(int ms) {
  if (!port_.isOpen()) return false;
  if (port_.bytesAvailable() > 0) return true;
  // A time-out is no error of the port; only a lost device is.
  const bool got = port_.waitForReadyRead(ms);
  if (!got && port_.error() == QSerialPort::TimeoutError) port_.clearError();
  return got || Gone();
}

void QtSerialChannel::PurgeInput() {
  if (!port_.isOpen()) return;
  port_.clear(QSerialPort::Input);
  port_.readAll();
}

void QtSerialChannel::PurgeOutput() {
  if (port_.isOpen()) port_.clear(QSerialPort::Output);
}

// Pseudo-terminals and some adapters have no control lines; Qt reports an
// error that is of no consequence here.
void QtSerialChannel::SetRts(bool on) {
  if (!port_.isOpen()) return;
  port_.setRequestToSend(on);
  if (!Gone()) port_.clearError();
}

void QtSerialChannel::SetDtr(bool on) {
  if (!port_.isOpen()) return;
  port_.setDataTerminalReady(on);
  if (!Gone()) port_.clearError();
}

uint32_t QtSerialChannel::SetBaudRate(uint32_t baudRate) {
  if (!port_.isOpen()) return 0;
  port_.setBaudRate(qint32(baudRate));
  if (!Gone()) port_.clearError();
  const qint32 actual = port_.baudRate();
  return actual > 0 ? uint32_t(actual) : 0;
}

LinkPlatform QtLinkPlatform() {
  LinkPlatform p;
  p.ListPorts = [] {
    std::vector<PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
      ports.push_back({info.portName().toStdString(), info.systemLocation().toStdString(),
                       info.description().toStdString()});
    return ports;
  };
#if defined(_WIN32)
  // A COM port is no file to look at: the driver is asked, and COMn keeps
  // the number n in the dialog and the ini.
  p.PortExists = WindowsPortExists;
  p.BuildTable = BuildComPortTable;
#else
  p.PortExists = [](const std::string& path) {
    return QFileInfo::exists(QString::fromStdString(path));
  };
#endif
  p.NewChannel = [] { return std::make_unique<QtSerialChannel>(); };
  return p;
}

}  // namespace tc
