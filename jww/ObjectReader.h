// The object records of a JWW file as read: the class numbering of one file
// (class definitions, class tags, the running object index, which advances
// exactly where the writer's does) and the loop that reads the entity records
// of one order list into the drawing or into a block definition.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/EntityTarget.h"
#include "jww/ArchiveReader.h"

namespace tw::jwwin {

// An order list as read: `declared` entries of kind 0, but never more than
// the rest of the stream could hold, so a damaged count costs no memory.
// Returns the number of entries made. Throws ReadError for a negative count.
int32_t SizeOrderList(std::vector<TEntJwwNo>& order, int32_t declared, const ArchiveReader& ar);

class ObjectReader {
  public:
    // maxTags: FilePrevIn's bound on the tags read, over all loops.
    ObjectReader(ArchiveReader& ar, std::optional<int32_t> maxTags);

    ArchiveReader& archive() { return ar_; }

    // False once a preview has read all the tags it may.
    bool TagsLeft() const { return !tagsLeft_ || *tagsLeft_ > 0; }

    // Reads objects until target.order.count of them are taken, writing one
    // order entry per record read. A tag that names no class takes no
    // object. inBlock: the target is a block definition (plain points get
    // the scale 0.0 there, 1.0 in the drawing). Ends early only when a
    // preview runs out of tags; throws when the stream ends first.
    void ReadObjects(const EntityTarget& target, bool inBlock);

    // The tag of a block definition's list: a class definition (any name),
    // which takes an object index, or a tag, which is passed over.
    void ReadListTag();

    // One more object taken (the block definition list itself).
    void CountObject() { ++running_; }

  private:
    // The entity kind that the next tag names, 0 for none.
    int32_t ReadEntityTag();
    int32_t DefineEntityClass();
    bool TakeTag();

    ArchiveReader& ar_;
    std::optional<int64_t> tagsLeft_;
    int64_t running_ = 1;
    std::array<int64_t, 7> classIndex_{};  // by kind - 1; 0 until defined
};

}  // namespace tw::jwwin
