#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace tc {

// The file-open and file-save dialogs. In test mode the next queued answer is
// returned instead (nullopt = the person cancelled).
class FileDialog {
  public:
    static std::optional<QString> getOpenFileName(QWidget* parent, const QString& title,
                                                  const QString& folder, const QString& filter);
    // Asks where to save; `suggested` is the folder and file name offered.
    static std::optional<QString> getSaveFileName(QWidget* parent, const QString& title,
                                                  const QString& suggested, const QString& filter);
    static void setTestMode(bool on);
    static void setNextFileName(std::optional<QString> path);
};

} // namespace tc
