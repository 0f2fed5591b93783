#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace tc {

// The file-open and file-save dialogs (nullopt: the person cancelled).
class FileDialog {
  public:
    virtual ~FileDialog() = default;
    virtual std::optional<QString> getOpenFileName(QWidget* parent, const QString& title,
                                                   const QString& folder, const QString& filter) = 0;
    // Asks where to save; `suggested` is the folder and file name offered.
    virtual std::optional<QString> getSaveFileName(QWidget* parent, const QString& title,
                                                   const QString& suggested, const QString& filter) = 0;
};

} // namespace tc
