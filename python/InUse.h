// A drawing handed to the library with the GIL released is read there by
// another thread: changing it meanwhile from Python would pull its arrays
// from under that thread. So a drawing is marked in use for that time, and a
// change (or a save, which sets the file options) raises instead of crashing.
#pragma once

#include <tintwright/document/JwwUnit.h>

namespace tw::python {

class InUse {
  public:
    // Several readings at once are fine; `exclusive` (a save) wants the
    // drawing to itself. Raises RuntimeError when that cannot be; made with
    // the GIL held, before releasing it.
    explicit InUse(const TJwwData& doc, bool exclusive = false);
    ~InUse();
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;

  private:
    const TJwwData& doc_;
};

// Raises RuntimeError when the drawing is in use in another thread.
void RefuseChangeWhileInUse(const TJwwData& doc);

}  // namespace tw::python
