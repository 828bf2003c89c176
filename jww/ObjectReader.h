// The object records of a JWW file as read: the class numbering of one file
// (class definitions, class tags, the running object index, which advances
// exactly where the writer's does) and the loop that reads the entity records
// of one order list into the drawing or into a block definition.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <tintwright/document/EntityTarget.h>
#include <tintwright/jww/ArchiveReader.h>

namespace tw::jwwin {

class ObjectReader {
  public:
    // maxTags: FilePrevIn's bound on the tags read, over all loops.
    ObjectReader(ArchiveReader& ar, std::optional<int32_t> maxTags);

    ArchiveReader& archive() { return ar_; }

    // False once a preview has read all the tags it may.
    bool TagsLeft() const { return !tagsLeft_ || *tagsLeft_ > 0; }

    // Reads an order list of `declared` objects into target, one order entry
    // per record read; entries not reached stay of kind 0. The list is never
    // made longer than the rest of the stream could fill, so a damaged count
    // costs no memory. A tag that names no class takes no object. inBlock:
    // the target is a block definition (plain points get the scale 0.0
    // there, 1.0 in the drawing). Ends early only when a preview runs out of
    // tags; throws when the stream cannot hold the objects.
    void ReadOrderList(const EntityTarget& target, int32_t declared, bool inBlock);

    // The tag of a block definition's list: a class definition (any name),
    // which takes an object index, or a tag, which is passed over.
    void ReadListTag();

    // One more object taken (the block definition list itself).
    void CountObject() { ++running_; }

  private:
    void ReadObjects(const EntityTarget& target, bool inBlock);
    // The entity kind that the next tag names, 0 for none.
    int32_t ReadEntityTag();
    int32_t DefineEntityClass();
    bool TakeTag();

    ArchiveReader& ar_;
    std::optional<int64_t> tagsLeft_;
    int64_t running_ = 1;
    std::array<int64_t, kEntityKinds> classIndex_{};  // by kind - kEntLine; 0 until defined
};

}  // namespace tw::jwwin
