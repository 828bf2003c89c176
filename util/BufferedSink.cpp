#include <tintwright/util/BufferedSink.h>

namespace tw {

void BufferedSink::Flush() {
    const size_t done = held_ == kNotHeld ? used_ : held_;
    if (done == 0) return;
    sink_.Write(buffer_.data(), done);
    std::memmove(buffer_.data(), buffer_.data() + done, used_ - done);
    used_ -= done;
    if (held_ != kNotHeld) held_ = 0;
}

// The buffer grows only for held bytes that do not fit beside the new ones.
void BufferedSink::MakeRoom(size_t size) {
    Flush();
    if (size > buffer_.size() - used_) buffer_.resize(used_ + size);
}

// A block or more that nothing holds goes to the sink as it is, uncopied.
void BufferedSink::PutLarge(const void* data, size_t size) {
    Flush();
    if (held_ == kNotHeld && size >= kBlockSize) {
        sink_.Write(static_cast<const uint8_t*>(data), size);
        return;
    }
    std::memcpy(Room(size), data, size);
    used_ += size;
}

}  // namespace tw
