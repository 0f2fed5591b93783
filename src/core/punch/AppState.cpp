#include "core/punch/AppState.h"

#include "core/files/Paths.h"

namespace tc {

void setWeekFile(AppState& state, const DateTime& now) {
    state.WeekFile = weekFilePath(state.baseFolder, now);
}

} // namespace tc
