// The reference table of text substitutions, read through Jw_cad's settings
// file, and the fallback numbers the writer uses for pen colours and line
// types it cannot write. One object, owned by the application and handed to
// the documents that need it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <tintwright/document/jwwtype.h>

namespace tw {

class TRefTable {
  public:
    std::u16string RefFileName;  // upper case; empty when none was found
    std::vector<TStr2List> RefTable;
    int32_t RefCount = 0;
    int32_t RefSubstOn = 0;  // LookupRefText replaces only when 1
    int32_t FallbackPenColor = 1;
    int32_t FallbackPenStyle = 1;
    std::u16string DrawingPath;  // the last drawing read

    // Empty table, substitution off, both fallbacks 1.
    void ClearRefTable();
    // Sets RefFileName from "Jw_win.jwf" in appFolder (ending in a separator).
    void GetRefFileName(const std::u16string& appFolder);
    // Loads the table from RefFileName; a name without folder is looked for
    // beside DrawingPath, else in appFolder.
    void RefFileOpen(const std::u16string& appFolder);
    // The replacement of text when substitution is on and a key matches.
    std::u16string LookupRefText(const std::u16string& text) const;
};

}  // namespace tw
