#include "core/files/MonthFolders.h"

#include "core/files/Paths.h"
#include "core/punch/StationState.h"

namespace tc {

namespace {

Status makeFolder(FileAccess& files, const std::string& folder) {
    if (Status st = files.makeFolder(folder); !st)
        return Status::fail("Cannot create the folder " + folder + ": " + st.message() + ".");
    return Status::ok();
}

} // namespace

FirstRunFolders prepareMonthFolders(FileAccess& files, const std::string& baseFolder) {
    FirstRunFolders result;
    if (files.isFolder(monthFolderPath(baseFolder, 1)))
        return result;
    result.firstRun = true;
    for (int month = 1; month <= 12; ++month) {
        const std::string folder = monthFolderPath(baseFolder, month);
        if (month > 1 && files.isFolder(folder))
            continue;
        if (Status st = makeFolder(files, folder); !st) {
            result.status = st;
            return result;
        }
    }
    return result;
}

Status ensureWeekFolder(StationState& state) {
    if (state.weekFile.empty())
        return Status::fail("This week's file has not been worked out.");
    const std::string folder = parentFolder(state.weekFile);
    if (folder.empty() || state.files->isFolder(folder))
        return Status::ok();
    // Only a month folder is made again; a program folder that has gone
    // (moved or deleted under the running station) is for a person to mend.
    if (!state.files->isFolder(state.baseFolder))
        return Status::fail("The program folder " + state.baseFolder + " is missing, so " + state.weekFile +
                            " cannot be opened or created.");
    return makeFolder(*state.files, folder);
}

} // namespace tc
