#pragma once

#include <QWidget>
#include <string>

namespace tc {

class FileAccess;
struct Services;

// Makes the two editors that the password screen opens. The station hands
// the password screen this one; a test hands it one that fails.
class EditorFactory {
  public:
    enum class Editor { ListEditor, TimeSheetScreen };

    virtual ~EditorFactory() = default;

    // A new editor window over the lists and week files of `baseFolder`,
    // owned by `parent`. Throws (a std::exception) when the editor cannot be
    // made or loaded.
    virtual QWidget* make(Services& services, Editor editor, FileAccess& files, const std::string& baseFolder,
                          QWidget* parent);
};

} // namespace tc
