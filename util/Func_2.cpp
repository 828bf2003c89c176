// Func_2: byte buffers, character filters, numbers, colours and paths. The
// code page 932, casing and UTF-8 conversions live in the platform file.
#include <tintwright/util/Func_2.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace tw {

namespace {

constexpr size_t kMaxPathLength = 260;
constexpr std::u16string_view kSeparators = u"\\/";
constexpr std::u16string_view kSeparatorsAndDrive = u"\\/:";

// The characters the file system refuses in a path.
bool IsInvalidPathChar(char16_t c) {
#ifdef _WIN32
    return c < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|';
#else
    return c == u'\0';
#endif
}

bool HasInvalidPathChar(const std::u16string& path) {
    return std::any_of(path.begin(), path.end(), IsInvalidPathChar);
}

// The absolute form of a path that passes the checks made before a folder is
// created or removed; nothing when it fails them. May throw.
std::optional<std::filesystem::path> CheckedFolderPath(const std::u16string& text) {
    if (text.empty() || HasInvalidPathChar(text)) return std::nullopt;
    auto path = std::filesystem::absolute(std::filesystem::path(text));
    if (path.u16string().size() > kMaxPathLength) return std::nullopt;
    if (!std::filesystem::exists(path.root_path())) return std::nullopt;
    return path;
}

std::u16string Filtered(const std::u16string& text, bool (*keep)(char16_t)) {
    std::u16string result;
    result.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(result), keep);
    return result;
}

int DigitValue(char16_t c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9') value = c - u'0';
    if (c >= u'a' && c <= u'f') value = c - u'a' + 10;
    if (c >= u'A' && c <= u'F') value = c - u'A' + 10;
    return value < base ? value : -1;
}

}  // namespace

ByteBuffer StrToWideBytes(const std::u16string& text) {
    ByteBuffer result;
    result.reserve(text.size() * 2);
    for (char16_t unit : text) {
        result.push_back(static_cast<uint8_t>(unit & 0xFF));
        result.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return result;
}

int32_t AnsiByteCount(const std::u16string& text) {
    // A character never encodes to a zero byte, so the bytes before the first
    // zero are those of the text before its first U+0000.
    const std::u16string head = text.substr(0, text.find(u'\0'));
    ByteBuffer bytes = StrToAnsiBytes(head);
    bytes.push_back(0);
    return ByteStrLen(bytes);
}

int32_t AnsiLostCharacters(const std::u16string& text, const ByteBuffer& bytes) {
    const std::u16string head = text.substr(0, text.find(u'\0'));
    if (AnsiBytesToStr(bytes) == head) return 0;
    // Character by character only for the rare text that changes.
    int32_t lost = 0;
    for (size_t i = 0; i < head.size();) {
        const bool pair = head[i] >= 0xD800 && head[i] <= 0xDBFF && i + 1 < head.size();
        const std::u16string c = head.substr(i, pair ? 2 : 1);
        if (AnsiBytesToStr(StrToAnsiBytes(c)) != c) ++lost;
        i += c.size();
    }
    return lost;
}

int32_t ByteStrLen(const ByteBuffer& buf) {
    return static_cast<int32_t>(std::find(buf.begin(), buf.end(), 0) - buf.begin());
}

std::u16string AnsiBytesToStr(const ByteBuffer& buf) {
    return AnsiBytesToStr(buf.data(), buf.size());
}

std::u16string WideBytesToStr(const ByteBuffer& buf) {
    return WideBytesToStr(buf.data(), buf.size());
}

std::u16string WideBytesToStr(const uint8_t* data, size_t size) {
    std::u16string result;
    result.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == u'\0') break;
        result.push_back(unit);
    }
    return result;
}

void FillBytes(uint8_t value, int32_t count, ByteBuffer& buf) {
    if (count <= 0) return;
    std::fill_n(buf.begin(), std::min(static_cast<size_t>(count), buf.size()), value);
}

std::u16string RemoveControls(const std::u16string& text) {
    return Filtered(text, [](char16_t c) { return c >= 0x20; });
}

std::u16string RemoveBlanks(const std::u16string& text) {
    return Filtered(text, [](char16_t c) { return c > 0x20 && c != 0x3000; });
}

std::u16string StripLineCodes(const std::u16string& text) {
    if (text.empty()) return {};
    std::u16string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const bool pair = i + 1 < text.size() && ((text[i] == u'^' && text[i + 1] == u'm') ||
                                                  (text[i] == u'\\' && text[i + 1] == u'n'));
        if (pair) {
            i += 2;
            continue;
        }
        if (text[i] >= 0x20) result.push_back(text[i]);
        ++i;
    }
    return result.empty() ? u" " : result;
}

int32_t StrToIntOrZero(const std::u16string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return 0;
    // The magnitude of the most negative value is the largest one accepted.
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return 0;
        magnitude = magnitude * base + digit;
        if (magnitude > kLimit) return 0;
    }
    if (!negative && magnitude == kLimit) return 0;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::u16string IntToText(int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

int32_t PackRGB(int32_t red, int32_t green, int32_t blue) {
    // Unsigned arithmetic wraps as the plain 32-bit sum does, without overflow.
    return static_cast<int32_t>(static_cast<uint32_t>(red) + static_cast<uint32_t>(green) * 256u +
                                static_cast<uint32_t>(blue) * 65536u);
}

uint32_t PackAlphaRGB(int32_t red, int32_t green, int32_t blue) {
    return 0xFF000000u + static_cast<uint32_t>(red) * 65536u + static_cast<uint32_t>(green) * 256u +
           static_cast<uint32_t>(blue);
}

char16_t DirSeparator() {
    return static_cast<char16_t>(std::filesystem::path::preferred_separator);
}

std::u16string FileNameOf(const std::u16string& path) {
    if (HasInvalidPathChar(path)) return {};
    const size_t last = path.find_last_of(kSeparatorsAndDrive);
    return last == std::u16string::npos ? path : path.substr(last + 1);
}

std::u16string LowerExtOf(const std::u16string& path) {
    if (HasInvalidPathChar(path)) throw std::invalid_argument("invalid character in path");
    const size_t dot = path.rfind(u'.');
    if (dot == std::u16string::npos) return {};
    if (path.find_first_of(kSeparators, dot) != std::u16string::npos) return {};
    return LowerText(path.substr(dot));
}

std::u16string ChangeExtOf(const std::u16string& path, const std::u16string& ext) {
    try {
        if (HasInvalidPathChar(path)) return {};
        const size_t last = path.find_last_of(kSeparatorsAndDrive);
        const size_t dot = path.rfind(u'.');
        const bool hasExt =
            dot != std::u16string::npos && (last == std::u16string::npos || dot > last);
        return (hasExt ? path.substr(0, dot) : path) + ext;
    } catch (...) {
        return {};
    }
}

bool FileExistsAt(const std::u16string& path) {
    try {
        if (path.empty() || HasInvalidPathChar(path)) return false;
        std::error_code error;
        const auto status = std::filesystem::status(std::filesystem::path(path), error);
        return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
    } catch (...) {
        return false;
    }
}

bool CreateFolder(const std::u16string& path) {
    try {
        const auto folder = CheckedFolderPath(path);
        if (!folder) return false;
        std::error_code ignored;
        std::filesystem::create_directories(*folder, ignored);
        return true;
    } catch (...) {
        return false;
    }
}

bool DeleteFileAt(const std::u16string& path) {
    try {
        if (path.empty() || HasInvalidPathChar(path)) return false;
        const std::filesystem::path file(path);
        std::error_code error;
        // A link is deleted itself; a folder is never deleted here.
        const auto status = std::filesystem::symlink_status(file, error);
        if (!std::filesystem::exists(status) || std::filesystem::is_directory(status)) return false;
        return std::filesystem::remove(file, error) && !error;
    } catch (...) {
        return false;
    }
}

bool RemoveFolder(const std::u16string& path) {
    try {
        const auto folder = CheckedFolderPath(path);
        if (!folder) return false;
        // The program's own executable is a file, so it fails this check too.
        if (!std::filesystem::is_directory(*folder)) return false;
        if (!std::filesystem::is_empty(*folder)) return false;
        // Removing a folder never removes contents: a folder filled since the
        // check above makes the removal fail, which is not looked at.
        std::error_code ignored;
        std::filesystem::remove(*folder, ignored);
        return true;
    } catch (...) {
        return false;
    }
}

bool IsPlainFileName(const std::u16string& name) {
    if (name.empty()) return false;
    const bool hasSeparatorOrNul = std::any_of(
        name.begin(), name.end(), [](char16_t c) { return c == u'/' || c == u'\\' || c == u'\0'; });
    if (hasSeparatorOrNul) return false;
    if (name.size() >= 2 && name[1] == u':') return false;  // "C:name" is relative to a drive
    // ".", ".." and, as Windows drops trailing dots and spaces, "... " too.
    return name.find_first_not_of(u". ") != std::u16string::npos;
}

// Windows names are UTF-16 themselves; elsewhere they are bytes, UTF-8 here.
std::optional<std::filesystem::path> ExactPathOf(const std::u16string& name) {
#ifdef _WIN32
    return std::filesystem::path(name);
#else
    std::optional<std::string> bytes = ExactUtf8(name);
    if (!bytes) return std::nullopt;
    return std::filesystem::path(std::move(*bytes));
#endif
}

}  // namespace tw
