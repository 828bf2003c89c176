// TRefTable: the reference file named in Jw_cad's settings file and its
// pairs of "%%" keys and replacement texts. Every error while reading is
// swallowed; what was read before it stays.
#include <tintwright/document/RefTable.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string_view>

#include <tintwright/document/Counted.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

// Tried in this order, so the spaced form wins.
constexpr std::u16string_view kRefFileKeys[] = {u"REF_FILE =", u"REF_FILE="};

// Calls onLine with each line of a code page 932 text file, without its line
// ending (LF or CR LF), until onLine returns false or the file ends.
void ForEachLine(const std::u16string& path,
                 const std::function<bool(const std::u16string&)>& onLine) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!onLine(AnsiBytesToStr(reinterpret_cast<const uint8_t*>(line.data()), line.size()))) {
            return;
        }
    }
}

// Drops leading and trailing characters up to U+0020.
std::u16string Trimmed(const std::u16string& text) {
    const auto isBlank = [](char16_t c) { return c <= u' '; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::u16string(first, last) : std::u16string();
}

// Where a path's folder part ends: after its last backslash, "/" or ":".
size_t FolderLength(const std::u16string& path) {
    const size_t last = path.find_last_of(u"\\/:");
    return last == std::u16string::npos ? 0 : last + 1;
}

// The settings keep the reference file's name in upper case, as file names
// do not differ by case where Jw_cad runs. Where they do, the file is the
// first one in the folder (in name order) whose upper-cased name matches.
std::optional<std::u16string> FindFile(const std::u16string& folder, const std::u16string& name) {
    if (FileExistsAt(folder + name)) return folder + name;
    std::optional<std::u16string> found;
    std::error_code error;
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    for (const auto& entry : std::filesystem::directory_iterator(where, error)) {
        const std::u16string candidate = entry.path().filename().u16string();
        if (UpperText(candidate) != name || !FileExistsAt(folder + candidate)) continue;
        if (!found || folder + candidate < *found) found = folder + candidate;
    }
    return found;
}

}  // namespace

void TRefTable::ClearRefTable() {
    FallbackPenColor = 1;
    FallbackPenStyle = 1;
    RefSubstOn = 0;
    RefCount = 0;
    RefTable = std::vector<TStr2List>();
}

void TRefTable::GetRefFileName(const std::u16string& appFolder) {
    try {
        const std::u16string path = appFolder + u"Jw_win.jwf";
        if (!FileExistsAt(path)) return;
        ForEachLine(path, [this](const std::u16string& line) {
            const std::u16string s = Trimmed(UpperText(line));
            if (s.starts_with(u"END")) return false;
            for (const std::u16string_view key : kRefFileKeys) {
                if (s.starts_with(key)) {
                    RefFileName = Trimmed(s.substr(key.size()));
                    return false;
                }
            }
            return true;
        });
    } catch (...) {
        // A settings file that cannot be read names no reference file.
    }
}

void TRefTable::RefFileOpen(const std::u16string& appFolder) {
    try {
        if (RefFileName.empty()) return;
        std::u16string folder = RefFileName.substr(0, FolderLength(RefFileName));
        const std::u16string name = RefFileName.substr(folder.size());
        if (folder.empty()) {
            folder =
                DrawingPath.empty() ? appFolder : DrawingPath.substr(0, FolderLength(DrawingPath));
        }
        RefCount = 0;
        RefTable = std::vector<TStr2List>();
        if (name.empty()) return;
        const auto path = FindFile(folder, name);
        if (!path) return;
        ForEachLine(*path, [this](const std::u16string& line) {
            const size_t tab = line.find(u'\t');
            if (tab == std::u16string::npos) return true;
            const std::u16string key = line.substr(0, tab);
            if (key.empty() || RemoveBlanks(key) != key || !key.starts_with(u"%%")) return true;
            RefTable.push_back({key, RemoveControls(line.substr(tab + 1))});
            RefCount = static_cast<int32_t>(RefTable.size());
            return true;
        });
    } catch (...) {
        // The pairs read before the error stay.
    }
}

std::u16string TRefTable::LookupRefText(const std::u16string& text) const {
    if (RefSubstOn != 1 || !text.starts_with(u"%%")) return text;
    for (const auto& pair : Counted(RefTable, RefCount)) {
        if (pair.s1 == text) return pair.s2;
    }
    return text;
}

}  // namespace tw
