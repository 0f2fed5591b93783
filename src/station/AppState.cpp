#include "station/AppState.h"

#include "data/Paths.h"

namespace tc {

void SetWeekFile(AppState& state, const DateTime& now) {
    state.WeekFile = weekFilePath(state.baseFolder, now);
}

} // namespace tc
