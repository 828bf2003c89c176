// The names a DXF file gives the drawing's layers, line types, text styles
// and block definitions, encoded once in the file's code page. Characters
// DXF does not allow in names are replaced by "_".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/dxf/TagWriter.h>

namespace tw::dxf {

// The name with every character DXF forbids in table names replaced.
std::u16string SafeName(const std::u16string& name);

class Names {
  public:
    Names(const TJwwData& doc, TagWriter& w, const rules::Appearance& print);

    // "g-l" in hexadecimal as the program shows them, then the group's and
    // the layer's names; for a record that does not print (auxiliary colour
    // or line type), its layer's twin "<layer>_noplot", which is not plotted.
    const std::string& Layer(const TEntJwwAttr& att) const;
    const std::array<std::string, 256>& Layers() const { return layers_; }
    // The twins that records use, by layer index; empty for the others.
    const std::array<std::string, 256>& NoPlotLayers() const { return noPlotLayers_; }

    // The style of a text's font; "Standard" for none.
    const std::string& Style(const std::u16string& font) const;
    // Style names and the fonts they stand for.
    const std::vector<std::pair<std::string, std::string>>& Styles() const { return styles_; }

    // The line type of a pen style (LineTypeNames); empty for solid lines.
    const std::string& LineType(uint8_t style) const { return lineTypes_[style]; }

    // The block name of definition i, unique in the file.
    const std::string& Block(size_t definition) const { return blocks_[definition]; }

  private:
    std::array<std::string, 256> layers_;
    std::array<std::string, 256> noPlotLayers_;
    std::array<std::string, 256> lineTypes_;
    std::vector<std::pair<std::string, std::string>> styles_;
    std::unordered_map<std::u16string, size_t> styleOfFont_;
    std::vector<std::string> blocks_;
};

}  // namespace tw::dxf
