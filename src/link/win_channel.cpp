// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/win_channel.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <iostream>
#include <iterator>

#include "link/port_texts.h"

namespace tc {

namespace {

// The queues the driver keeps for us: large enough that nothing arriving
// between two polls is lost.
constexpr DWORD kQueueBytes = 1 << 20;

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring w(size_t(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
  return w;
}

std::string Narrow(const wchar_t* w, int length = -1) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string s(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, length, s.data(), n, nullptr, nullptr);
  if (length < 0 && !s.empty() && s.back() == '\0') s.pop_back();
  return s;
}

// The system's own wording for an error code, in the system's language.
std::string SystemText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string s = n > 0 && text ? Narrow(text, int(n)) : std::string();
  if (text) LocalFree(text);
  return s;
}

HANDLE AsHandle(void* h) {
  return static_cast<HANDLE>(h);
}

}  // namespace

WinChannel::~WinChannel() {
  Close();
}

void WinChannel::Open(const std::string& path, uint32_t baudRate) {
  Close();
  const std::string device = ComDevicePath(path);
  HANDLE h = CreateFileW(Wide(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD err = GetLastError();
    throw PortOpenErrorFromWin32(err, path, SystemText(err));
  }
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(h, &dcb)) {
    const DWORD err = GetLastError();
    CloseHandle(h);
    throw PortOpenError(PortOpenFailure::Other,
                        path + ": " + SystemText(err) + ". " + kPortNotSerialText());
  }
  SetupComm(h, kQueueBytes, kQueueBytes);
  // Raw bytes both ways: no flow control and no character the driver acts
  // on by itself, whatever the previous user of the port left behind. RTS
  // is ours to drive around each request.
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fOutxCtsFlow = FALSE;
  dcb.fOutxDsrFlow = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fDsrSensitivity = FALSE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fRtsControl = RTS_CONTROL_DISABLE;
  dcb.fAbortOnError = FALSE;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = TWOSTOPBITS;
  SetCommState(h, &dcb);
  handle_ = h;
  gone_ = false;
  pending_.clear();
  timeoutsFor_ = -1;
  SetBaudRate(baudRate);
  ApplyReadTimeouts(0);
  SetDtr(true);
  PurgeInput();
}

void WinChannel::Close() {
  if (handle_) CloseHandle(AsHandle(handle_));
  handle_ = nullptr;
  pending_.clear();
  timeoutsFor_ = -1;
}

bool WinChannel::ApplyReadTimeouts(int waitMs) {
  const int key = std::max(waitMs, 0);
  if (timeoutsFor_ == key) return true;
  const CommReadTimeouts t = ReadTimeoutsForWait(key);
  COMMTIMEOUTS ct{};
  ct.ReadIntervalTimeout = t.interval;
  ct.ReadTotalTimeoutMultiplier = t.multiplier;
  ct.ReadTotalTimeoutConstant = t.constant;
  // Writes wait until the driver has taken every byte.
  ct.WriteTotalTimeoutMultiplier = 0;
  ct.WriteTotalTimeoutConstant = 0;
  if (!SetCommTimeouts(AsHandle(handle_), &ct)) {
    timeoutsFor_ = -1;
    return false;
  }
  timeoutsFor_ = key;
  return true;
}

bool WinChannel::Write(const uint8_t* data, size_t size) {
  if (!handle_) return false;
  size_t done = 0;
  while (done < size) {
    DWORD written = 0;
    const DWORD chunk = DWORD(std::min<size_t>(size - done, 1u << 30));
    if (!WriteFile(AsHandle(handle_), data + done, chunk, &written, nullptr)) {
      const DWORD err = GetLastError();
      gone_ = gone_ || err == ERROR_DEVICE_NOT_CONNECTED || err == ERROR_BAD_COMMAND ||
              err == ERROR_GEN_FAILURE || err == ERROR_INVALID_HANDLE;
      return false;
    }
    if (written == 0) return false;
    done += written;
  }
  return true;
}

long WinChannel::Read(uint8_t* buffer, size_t maxSize) {
  if (!handle_ || maxSize == 0) return 0;
  if (!pending_.empty()) {
    const size_t n = std::min(maxSize, pending_.size());
    std::copy_n(pending_.begin(), n, buffer);
    pending_.erase(pending_.begin(), pending_.begin() + long(n));
    return long(n);
  }
  if (gone_) return -1;
  if (!ApplyReadTimeouts(0)) return 0;
  DWORD got = 0;
  const DWORD want = DWORD(std::min<size_t>(maxSize, 1u << 30));
  if (!ReadFile(AsHandle(handle_), buffer, want, &got, nullptr)) {
    // The adapter was unplugged or the driver gave up on the device.
    gone_ = true;
    return -1;
  }
  return long(got);
}

bool WinChannel::WaitForInput(int ms) {
  if (!pending_.empty()) return true;
  if (!handle_ || gone_) {
    // Nothing can arrive; still let the time pass so callers keep their pace.
    Sleep(DWORD(std::max(ms, 0)));
    return gone_;
  }
  // The driver blocks the read until the first byte or the time-out, and
  // then hands over whatever else has arrived with it.
  if (!ApplyReadTimeouts(ms)) {
    Sleep(DWORD(std::max(ms, 0)));
    return false;
  }
  uint8_t buf[256];
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle_), buf, sizeof buf, &got, nullptr)) {
    gone_ = true;
    return true;
  }
  pending_.insert(pending_.end(), buf, buf + got);
  return got > 0;
}

void WinChannel::PurgeInput() {
  pending_.clear();
  if (handle_) PurgeComm(AsHandle(handle_), PURGE_RXCLEAR);
}

void WinChannel::PurgeOutput() {
  if (handle_) PurgeComm(AsHandle(handle_), PURGE_TXCLEAR);
}

void WinChannel::Escape(unsigned long function) {
  // Adapters and emulations without modem lines refuse; that is harmless.
  if (handle_) (void)EscapeCommFunction(AsHandle(handle_), DWORD(function));
}

void WinChannel::SetRts(bool on) {
  Escape(on ? SETRTS : CLRRTS);
}

void WinChannel::SetDtr(bool on) {
  Escape(on ? SETDTR : CLRDTR);
}

uint32_t WinChannel::SetBaudRate(uint32_t baudRate) {
  if (!handle_) return 0;
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(AsHandle(handle_), &dcb)) return 0;
  dcb.BaudRate = baudRate;
  SetCommState(AsHandle(handle_), &dcb);
  DCB back{};
  back.DCBlength = sizeof back;
  if (!GetCommState(AsHandle(handle_), &back)) return 0;
  return uint32_t(back.BaudRate);
}

std::vector<PortInfo> ListWindowsPorts() {
  std::vector<PortInfo> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return ports;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLen = DWORD(std::size(name));
    wchar_t data[256];
    DWORD dataBytes = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG r = RegEnumValueW(key, i, name, &nameLen, nullptr, &type,
                                 reinterpret_cast<BYTE*>(data), &dataBytes);
    if (r == ERROR_NO_MORE_ITEMS) break;
    if (r != ERROR_SUCCESS || type != REG_SZ) continue;
    data[dataBytes / sizeof(wchar_t)] = L'\0';
    PortInfo p;
    p.systemName = Narrow(data);
    if (p.systemName.empty()) continue;
    p.path = ComDevicePath(p.systemName);
    p.description = Narrow(name, int(nameLen));
    ports.push_back(std::move(p));
  }
  RegCloseKey(key);
  SortComPorts(ports);
  return ports;
}

bool WindowsPortExists(const std::string& path) {
  if (path.empty()) return false;
  HANDLE h = CreateFileW(Wide(ComDevicePath(path)).c_str(), 0, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return true;
  }
  const DWORD err = GetLastError();
  // Held by another program: it is there, and opening it will say so.
  return err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION || err == ERROR_BUSY;
}

LinkPlatform WinLinkPlatform() {
  LinkPlatform p;
  p.ListPorts = ListWindowsPorts;
  p.PortExists = WindowsPortExists;
  p.BuildTable = BuildComPortTable;
  p.NewChannel = [] { return std::make_unique<WinChannel>(); };
  p.ShowError = [](const std::string& text) { std::cerr << text << "\n"; };
  return p;
}

}  // namespace tc
#endif
