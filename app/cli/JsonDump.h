// `dump --json`: a drawing as one JSON object, every entity with the fields
// of its record under their record names.
#pragma once

#include <ostream>
#include <string>

#include "document/JwwUnit.h"

namespace tw::cli {

// Writes the keys version, memo, utf16, entity_count, counts, blocks, images
// and entities. The entities are written one by one, so the output costs no
// memory beyond one entity's.
void WriteJson(TJwwData& doc, std::ostream& out);

// The keys of WriteJson other than the entities, as the text of one object.
std::string DescriptionJson(TJwwData& doc);

}  // namespace tw::cli
