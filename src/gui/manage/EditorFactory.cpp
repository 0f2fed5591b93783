#include "gui/manage/EditorFactory.h"

#include "gui/manage/ListEditor.h"
#include "gui/manage/TimeSheetScreen.h"

namespace tc {

QWidget* EditorFactory::make(Editor editor, FileAccess& files, const std::string& baseFolder,
                             QWidget* parent) {
    if (editor == Editor::ListEditor)
        return new ListEditor(files, baseFolder, parent);
    return new TimeSheetScreen(files, baseFolder, parent);
}

} // namespace tc
