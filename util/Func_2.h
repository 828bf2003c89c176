// Text conversion, character filters, casing, number and colour helpers, and
// path helpers shared by the whole program. Texts are UTF-16 in memory; the
// ANSI code page is code page 932. The platform calls (ICU, std::filesystem)
// stay behind these functions so that another platform can swap them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tw {

using ByteBuffer = std::vector<uint8_t>;

// Text and bytes.
ByteBuffer StrToAnsiBytes(const std::u16string& text);  // unmappable -> "?"
// The same into out, whose storage is reused: for callers converting many texts.
void StrToAnsiBytes(const std::u16string& text, ByteBuffer& out);
ByteBuffer StrToWideBytes(const std::u16string& text);  // UTF-16LE, no BOM
int32_t AnsiByteCount(const std::u16string& text);
// The characters of text (a surrogate pair is one) that do not read back as
// themselves from bytes, its code page 932 form (StrToAnsiBytes): those
// written as "?", as another character, or dropped. Text up to its first
// U+0000, as the bytes stop there.
int32_t AnsiLostCharacters(const std::u16string& text, const ByteBuffer& bytes);
int32_t ByteStrLen(const ByteBuffer& buf);
std::u16string AnsiBytesToStr(const ByteBuffer& buf);
std::u16string AnsiBytesToStr(const uint8_t* data, size_t size);
std::u16string WideBytesToStr(const ByteBuffer& buf);
std::u16string WideBytesToStr(const uint8_t* data, size_t size);
void FillBytes(uint8_t value, int32_t count, ByteBuffer& buf);

// Filters.
std::u16string RemoveControls(const std::u16string& text);
std::u16string RemoveBlanks(const std::u16string& text);
std::u16string StripLineCodes(const std::u16string& text);

// Case and numbers.
std::u16string UpperText(const std::u16string& text);  // throws on failure
std::u16string LowerText(const std::u16string& text);  // throws on failure
int32_t StrToIntOrZero(const std::u16string& text);
std::u16string IntToText(int32_t value);
int32_t PackRGB(int32_t red, int32_t green, int32_t blue);
uint32_t PackAlphaRGB(int32_t red, int32_t green, int32_t blue);

// Paths and folders.
char16_t DirSeparator();
std::u16string FileNameOf(const std::u16string& path);
std::u16string LowerExtOf(const std::u16string& path);  // throws on an invalid path
std::u16string ChangeExtOf(const std::u16string& path, const std::u16string& ext);
bool FileExistsAt(const std::u16string& path);
bool CreateFolder(const std::u16string& path);
bool DeleteFileAt(const std::u16string& path);
bool RemoveFolder(const std::u16string& path);

// True for a name that stays inside the folder it is joined to: not empty,
// not absolute, no drive, no "/" or "\", not "." or "..".
bool IsPlainFileName(const std::u16string& name);

// Conversions between UTF-16 texts and the platform's UTF-8 paths and
// messages.
std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& text);
#ifdef _WIN32
// UTF-8 as the wide characters Windows' calls take (UTF-16 there).
inline std::wstring WideFromUtf8(const std::string& text) {
    const std::u16string wide = FromUtf8(text);
    return {wide.begin(), wide.end()};
}
#endif
// The same, or nothing when the text cannot be kept exactly (an unpaired
// surrogate; bytes that are not UTF-8).
std::optional<std::string> ExactUtf8(const std::u16string& text);
std::optional<std::u16string> ExactFromUtf8(const std::string& text);
// The platform's path for a name, or nothing when no path names exactly it.
std::optional<std::filesystem::path> ExactPathOf(const std::u16string& name);

}  // namespace tw
