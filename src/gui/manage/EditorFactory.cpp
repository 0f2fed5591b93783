#include "gui/manage/EditorFactory.h"

#include "gui/manage/ListEditor.h"
#include "gui/manage/TimeSheetScreen.h"

namespace tc {

QWidget* EditorFactory::make(Services& services, Editor editor, FileAccess& files,
                             const std::string& baseFolder, QWidget* parent) {
    if (editor == Editor::ListEditor)
        return new ListEditor(services, files, baseFolder, parent);
    return new TimeSheetScreen(services, files, baseFolder, parent);
}

} // namespace tc
