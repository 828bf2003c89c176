#include <tintwright/jww/ArchiveReader.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <tintwright/jww/Framing.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

using namespace framing;

uint64_t RegularFileSize(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error && error != std::errc::no_such_file_or_directory) throw ReadError(error.message());
    if (!std::filesystem::exists(status)) throw ReadError("no such file");
    if (std::filesystem::is_directory(status)) throw ReadError("a folder, not a file");
    if (!std::filesystem::is_regular_file(status)) throw ReadError("not a regular file");
    const uint64_t size = std::filesystem::file_size(file, error);
    if (error) throw ReadError("cannot read the file size: " + error.message());
    return size;
}

}  // namespace

ArchiveReader::ArchiveReader(std::span<const uint8_t> bytes)
    : cur_(bytes.data()), end_(bytes.data() + bytes.size()), loaded_(bytes.size()) {}

ArchiveReader::ArchiveReader(const std::filesystem::path& file) : unread_(RegularFileSize(file)) {
    // The archive reads large blocks itself; the stream needs no buffer.
    file_.rdbuf()->pubsetbuf(nullptr, 0);
    file_.open(file, std::ios::binary);
    if (!file_) throw ReadError(std::string("cannot open the file: ") + std::strerror(errno));
    buffer_.resize(static_cast<size_t>(std::min<uint64_t>(unread_, kBlockSize)));
    cur_ = end_ = buffer_.data();
}

void ArchiveReader::Refill(size_t n) {
    const size_t kept = static_cast<size_t>(end_ - cur_);
    if (n - kept > unread_) {
        // Consume what is left, so that a reader at the end stays there.
        cur_ = end_;
        throw ReadError(kFileIoError);
    }
    // The buffer holds the whole file or kBlockSize bytes, more than the
    // longest text or class name of the format.
    if (n > buffer_.size()) throw ReadError(kFileIoError);
    std::memmove(buffer_.data(), cur_, kept);
    const size_t want = static_cast<size_t>(std::min<uint64_t>(buffer_.size() - kept, unread_));
    file_.read(reinterpret_cast<char*>(buffer_.data() + kept), static_cast<std::streamsize>(want));
    const auto got = static_cast<size_t>(file_.gcount());
    // A file that shrank while open ends where its bytes end.
    unread_ = got < want ? 0 : unread_ - got;
    loaded_ += got;
    cur_ = buffer_.data();
    end_ = buffer_.data() + kept + got;
    if (kept + got < n) {
        cur_ = end_;
        throw ReadError(kFileIoError);
    }
}

std::span<const uint8_t> ArchiveReader::Piece(uint64_t max) {
    if (max == 0) return {};
    if (cur_ == end_) Refill(1);
    const size_t n =
        static_cast<size_t>(std::min<uint64_t>(max, static_cast<uint64_t>(end_ - cur_)));
    const uint8_t* p = cur_;
    cur_ += n;
    return {p, n};
}

void ArchiveReader::Skip(uint64_t n) {
    const auto inBuffer = static_cast<uint64_t>(end_ - cur_);
    if (n <= inBuffer) {
        cur_ += n;
        return;
    }
    const uint64_t beyond = n - inBuffer;
    cur_ = end_;
    if (beyond > unread_) {
        loaded_ += unread_;
        unread_ = 0;
        throw ReadError(kFileIoError);
    }
    file_.seekg(static_cast<std::streamoff>(beyond), std::ios::cur);
    if (!file_) {
        unread_ = 0;
        throw ReadError(kFileIoError);
    }
    unread_ -= beyond;
    loaded_ += beyond;
}

int32_t ArchiveReader::Count() {
    const uint16_t w = Word();
    return w == kLongCount ? Int32() : w;
}

std::u16string ArchiveReader::Ansi(size_t n) {
    return AnsiBytesToStr(Take(n), n);
}

static_assert(ArchiveReader::kBlockSize >= kMaxTextBytes, "a longest text fits a block");

uint64_t ArchiveReader::LengthAfterWord(uint16_t word) {
    const uint64_t n = word == kLongerLength ? Le<uint32_t>(Take(4)) : word;
    if (n > kMaxTextBytes) throw ReadError(kFileIoError);
    return n;
}

std::u16string ArchiveReader::ReadString() {
    const uint8_t b = Byte();
    if (b != kLongLength) return Ansi(b);
    const uint16_t w = Word();
    if (w != kWideMarker) return Ansi(static_cast<size_t>(LengthAfterWord(w)));
    if (utf16Flag_ != nullptr) *utf16Flag_ = true;
    uint64_t n = Byte();
    if (n == kLongLength) n = LengthAfterWord(Word());
    if (2 * n > kMaxTextBytes) throw ReadError(kFileIoError);
    return WideBytesToStr(Take(static_cast<size_t>(2 * n)), static_cast<size_t>(2 * n));
}

std::u16string ArchiveReader::ReadText() {
    std::u16string s = ReadString();
    if (std::any_of(s.begin(), s.end(), [](char16_t c) { return c < 0x20; })) s = RemoveControls(s);
    return s;
}

}  // namespace tw
