#pragma once

#include "core/files/FileAccess.h"
#include "core/format/ListFiles.h"
#include "core/sheet/ListTexts.h"
#include "platform/Services.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QAction;

namespace tc {

// "Button Data": the 24 employee names in button order, the 20 job lines and
// the two clock notes, read from and written back to the two list files.
// Shown beside the station (not modal); the station keeps the old names until
// it is started again, the job screen reads the new jobs at its next opening.
class ListEditor : public QMainWindow {
    Q_OBJECT
  public:
    ListEditor(Services& services, FileAccess& files, std::string baseFolder, QWidget* parent = nullptr);

    // The warning beside the note boxes, 399 characters that the label wraps.
    static QString positionWarning();

    // Saves both files from the boxes (the Save button and menu). False when
    // something typed was refused or a file could not be written; the person
    // has been told which.
    bool saveButtonData();
    // Reads both files into the boxes. False when a file was missing or
    // short; the person has been told which, and the boxes show what was read.
    bool loadButtonData();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void resetButtonData();
    void reloadWithMessage();
    ListTexts boxes() const;

    Services& services_;
    FileAccess& files_;
    std::string baseFolder_;
    ListTexts loaded_; // as read or last saved: the lists journal's "before"
    std::array<QLineEdit*, kPositions> nameBoxes_{};
    std::array<QLabel*, kPositions> nameNumbers_{};
    std::array<QLineEdit*, kJobs> jobBoxes_{};
    std::array<QLabel*, kJobs> jobNumbers_{};
    std::array<QLineEdit*, 2> noteBoxes_{};
    std::array<QAction*, 3> menuActions_{}; // Save, Reload, Exit
};

} // namespace tc
