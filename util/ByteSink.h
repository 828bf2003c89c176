// Where an output's bytes go: a file replaced only when complete
// (util/ReplacingFile.h) or memory. Every failure is a WriteError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace tw {

// Why an output could not be written.
class WriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Write takes every byte or throws.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Write(const uint8_t* data, size_t size) = 0;
};

}  // namespace tw
