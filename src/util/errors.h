// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors carry the text the user sees; front ends show what() as it stands.
#include <stdexcept>
#include <string>

namespace tc {

class TripError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A value that does not fit its field, or an index outside its table.
class RangeError : public TripError {
 public:
  RangeError() : TripError("Range check error") {}
  explicit RangeError(const std::string& what) : TripError(what) {}
};

// A file could not be read or written; the text names the file and the reason.
class FileError : public TripError {
 public:
  using TripError::TripError;
};

// A file refused for its size before it was read.
class FileTooLargeError : public FileError {
 public:
  using FileError::FileError;
};

}  // namespace tc
