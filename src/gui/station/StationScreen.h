#pragma once

#include "core/format/WeekFile.h"
#include "core/punch/StatusBoard.h"
#include "gui/station/StationControl.h"
#include "platform/Services.h"
#include "platform/SettleTime.h"

#include <QColor>
#include <QFont>
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QTimer;

namespace tc {

struct StationState;

// The clock station: 24 employee buttons that double as the status board, the
// clock, the two clock notes and the Management button. It is the first
// screen, lives for the whole run and fills the screen on top of everything.
// The other screens reach it only through StationControl.
class StationScreen : public QWidget, public StationControl {
    Q_OBJECT

  public:
    explicit StationScreen(Services& services, StationState& state, QWidget* parent = nullptr);
    ~StationScreen() override;

    // The start-up steps, in order: firstRunSetup, loadButtonNames,
    // setWeekFile, updateStatusBoard, hide the taskbar; then the clock starts.
    // Runs once; later calls do nothing.
    void load();
    bool isLoaded() const { return loaded_; }

    void firstRunSetup();
    void loadButtonNames();
    // Redraws every employee button from this week's file (StationState::weekFile,
    // worked out by the caller). Silent on failure: the board keeps what it showed.
    void updateStatusBoard() override;

    QWidget* stationWindow() override { return this; }
    void setPunchInProgress(bool on) override { punchInProgress_ = on; }
    bool punchInProgress() const override { return punchInProgress_; }

    // Brings the station back to the front.
    void showStation();
    // The station takes presses again once it has settled, so the rest of a
    // quick double tap punches nobody.
    void backFromPunch() override;

    // The station refuses to be closed (window manager, Alt+F4) until the
    // program is being ended on purpose (Exit All).
    void allowClose() override { closeAllowed_ = true; }

    // Controls, for the screens that read them and for tests.
    QPushButton* employeeButton(int index) const { return employeeButtons_[std::size_t(index)]; }
    QColor buttonColour(int index) const;
    QString buttonCaption(int index) const; // the caption with its CR LF line break

    static QColor lightGrey() { return QColor(224, 224, 224); }
    static QColor yellow() { return QColor(255, 255, 0); }
    static QColor red() { return QColor(255, 0, 0); }

  signals:
    // The button of a named employee was pressed; `position` counts from 0.
    void employeePressed(int position);
    // The Management button was pressed.
    void managementPressed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildControls();
    Status drawStatusBoard();
    void setButtonColour(int index, const QColor& colour);
    void setButtonCaption(int index, const QString& caption);
    void onEmployeeButton(int index);
    void showTime();

    Services& services_;
    StationState& state_;
    std::array<QPushButton*, kPositions> employeeButtons_{};
    QPushButton* managementButton_ = nullptr;
    QLabel* clockLabel_ = nullptr;
    std::array<QLabel*, 2> noteLabels_{};
    QTimer* clockTimer_ = nullptr;
    QFont buttonFont_;
    bool loaded_ = false;
    bool punchInProgress_ = false;
    SettleTime settle_{services_.monotonic};
    bool closeAllowed_ = false;
};

} // namespace tc
