// The block-definition section as read.
#pragma once

#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/ObjectReader.h>

namespace tw::jwwin {

// Reads the definitions into doc.EntBlockDef, continuing the numbering of
// the entity section. A preview stops when it runs out of tags.
void ReadBlockSection(TJwwData& doc, ObjectReader& rd);

}  // namespace tw::jwwin
