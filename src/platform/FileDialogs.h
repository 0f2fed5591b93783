#pragma once

#include "platform/FileDialog.h"

namespace tc {

// Qt's file dialogs: the only place that opens one.
class FileDialogs : public FileDialog {
  public:
    std::optional<QString> getOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                           const QString& filter) override;
    std::optional<QString> getSaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                           const QString& filter) override;
};

} // namespace tc
