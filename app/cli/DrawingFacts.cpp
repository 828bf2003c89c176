#include "app/cli/DrawingFacts.h"

namespace tw::cli {

KindCounts CountsOf(const EntityView& view) {
    KindCounts counts{};
    size_t next = 0;
    ForEachKind([&]<class R>(std::type_identity<R>) {
        counts[next++] = {EntityKind<R>::name, view.All<R>().size()};
    });
    return counts;
}

}  // namespace tw::cli
