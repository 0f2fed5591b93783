#include "manage/EditorFactory.h"

#include "manage/ButtonData.h"
#include "manage/TimeManage.h"

namespace tc {

QWidget* EditorFactory::make(Editor editor, FileAccess& files, const std::string& baseFolder,
                             QWidget* parent) {
    if (editor == Editor::ButtonData)
        return new ButtonData(files, baseFolder, parent);
    return new TimeManage(files, baseFolder, parent);
}

} // namespace tc
