// The block definition an insertion names: the first definition with its
// number, as the writer's numbering has it.
#pragma once

#include <span>
#include <unordered_map>

#include <tintwright/document/jwwtype.h>

namespace tw {

class DefinitionIndex {
  public:
    explicit DefinitionIndex(std::span<const TEntJwwBlockDef> defs) {
        for (size_t i = 0; i < defs.size(); ++i)
            first_.try_emplace(defs[i].nNumber, static_cast<int32_t>(i));
    }
    // The index of the definition numbered `number`, or -1.
    int32_t Find(uint32_t number) const {
        const auto found = first_.find(number);
        return found == first_.end() ? -1 : found->second;
    }

  private:
    std::unordered_map<uint32_t, int32_t> first_;
};

}  // namespace tw
