// Which layer groups and layers a render shows: the drawing's own states,
// which a viewer may then switch.
#pragma once

#include "document/OutputRules.h"

namespace tw::render {

using Visibility = rules::LayerStates;

}  // namespace tw::render
