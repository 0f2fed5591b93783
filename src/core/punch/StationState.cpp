#include "core/punch/StationState.h"

#include "core/files/Paths.h"

namespace tc {

void setWeekFile(StationState& state, const DateTime& now) {
    state.weekFile = weekFilePath(state.baseFolder, now);
}

} // namespace tc
