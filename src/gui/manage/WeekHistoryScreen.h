#pragma once

#include "core/files/FileAccess.h"
#include "core/journal/JournalReplay.h"
#include "platform/Services.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace tc {

// "History": the open week's journal as a list (when, what, who), with what
// verify finds, and a way to put the week back as it was before a chosen
// save. The time sheet does the putting back (it is a save of its own);
// this screen only says which save.
class WeekHistoryScreen : public QWidget {
    Q_OBJECT
  public:
    WeekHistoryScreen(Services& services, FileAccess& files, std::string weekFile,
                      std::function<void(int saveLine)> putBack, QWidget* parent = nullptr);

    // Reads the journal and the week file again.
    void reload();
    const std::vector<HistoryItem>& items() const { return items_; }
    // Selects the row of history item `index`.
    void selectItem(int index);
    void putBackSelected();

  private:
    Services& services_;
    FileAccess& files_;
    std::string weekFile_;
    std::function<void(int)> putBack_;
    std::vector<HistoryItem> items_;
    QLabel* notes_ = nullptr;
    QTableWidget* list_ = nullptr;
    QPushButton* putBackButton_ = nullptr;
};

} // namespace tc
