#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace tc {

// The file-open dialog. In test mode the next queued answer is returned
// instead (nullopt = the person cancelled).
class FileDialog {
public:
    static std::optional<QString> getOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                                  const QString& filter);
    static void setTestMode(bool on);
    static void setNextFileName(std::optional<QString> path);
};

} // namespace tc
