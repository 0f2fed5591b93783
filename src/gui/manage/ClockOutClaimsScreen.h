#pragma once

#include "core/files/FileAccess.h"
#include "core/journal/ClockOutClaim.h"
#include "platform/Services.h"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tc {

// "Clock-Out Claims": the clock-outs employees told at the station for the
// week, not yet answered. Accept stores the OUT by a save (the time sheet
// does it when the claims were opened from there, so its grid shows the
// saved week); Reject keeps the note typed beside it. Nothing else changes
// a week here.
class ClockOutClaimsScreen : public QWidget {
    Q_OBJECT
  public:
    struct Item {
        std::string weekFile;
        ClockOutClaim claim;
    };
    // Stores the accepted claim's OUT; true when it was saved. Empty: a
    // save of its own, told on this screen.
    using Accept = std::function<bool(const Item&)>;
    ClockOutClaimsScreen(Services& services, FileAccess& files, std::vector<std::string> weekFiles,
                         Accept accept, QWidget* parent = nullptr);

    // Reads the journals again.
    void reload();
    const std::vector<Item>& items() const { return items_; }
    void selectItem(int index);
    void acceptSelected();
    void rejectSelected();

  signals:
    // A claim was accepted or rejected: whatever shows the week shows it again.
    void answered();

  private:
    const Item* selected() const;

    Services& services_;
    FileAccess& files_;
    std::vector<std::string> weekFiles_;
    Accept accept_;
    std::vector<Item> items_;
    QLabel* notes_ = nullptr;
    QTableWidget* list_ = nullptr;
    QLineEdit* note_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
    QPushButton* rejectButton_ = nullptr;
};

} // namespace tc
