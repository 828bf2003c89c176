// Bytes gathered in memory and handed to a ByteSink in large blocks, so that
// writing a value costs a copy into memory, never a system call. The bytes
// from a held mark on stay in memory, however many, until the mark is
// released or they are taken back, so that a record can be left out whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <tintwright/util/ByteSink.h>

namespace tw {

class BufferedSink {
  public:
    static constexpr size_t kBlockSize = size_t{1} << 20;

    explicit BufferedSink(ByteSink& sink) : sink_(sink), buffer_(kBlockSize) {}
    BufferedSink(const BufferedSink&) = delete;
    BufferedSink& operator=(const BufferedSink&) = delete;

    // size contiguous bytes after the buffered ones; Commit makes the first
    // n of them part of the stream.
    uint8_t* Room(size_t size) {
        if (size > buffer_.size() - used_) MakeRoom(size);
        return buffer_.data() + used_;
    }
    void Commit(size_t n) { used_ += n; }

    void Put(const void* data, size_t size) {
        if (size == 0) return;  // data may be null then, which memcpy does not allow
        if (size <= buffer_.size() - used_) {
            std::memcpy(buffer_.data() + used_, data, size);
            used_ += size;
        } else {
            PutLarge(data, size);
        }
    }

    // The bytes from here on stay buffered until Release or TakeBack.
    void Hold() { held_ = used_; }
    void Release() { held_ = kNotHeld; }
    // Drops the bytes since Hold.
    void TakeBack() {
        used_ = held_;
        held_ = kNotHeld;
    }

    // Hands every byte before a held mark to the sink; throws WriteError as
    // the sink does.
    void Flush();

  private:
    static constexpr size_t kNotHeld = SIZE_MAX;

    void MakeRoom(size_t size);
    void PutLarge(const void* data, size_t size);

    ByteSink& sink_;
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
    size_t held_ = kNotHeld;
};

}  // namespace tw
