#pragma once

#include "core/files/FileAccess.h"
#include "platform/Services.h"

#include <QMainWindow>
#include <QString>
#include <string>

class QLabel;
class QLineEdit;
class QTableView;

namespace tc {

class TimeSheetModel;

// The weekly time sheet editor (its window title is "Form1"): any week file in a grid, one row per
// punch, corrected cell by cell through the edit field, copied to and pasted
// from a spreadsheet, and saved back after a backup copy. Shown beside the
// station, which goes on taking punches into the same files meanwhile.
class TimeSheetScreen : public QMainWindow {
    Q_OBJECT
  public:
    TimeSheetScreen(Services& services, FileAccess& files, std::string baseFolder, QWidget* parent = nullptr);
    ~TimeSheetScreen() override;

    static QString blankRowsNote();                 // the note on blank rows beside the grid
    static QString openFilter();                    // the open dialog's filter list, "name|pattern|..."
    static QString qtFilter(const QString& filter); // "a|*.x|b|*.y" -> "a;;b"

    // The week file last opened here; empty until one is opened.
    const std::string& openedFile() const { return openedFile_; }
    const TimeSheetModel& model() const { return *model_; }
    // Current cell of the grid, in sheet rows (0 = the heading row).
    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentCol_; }
    // Moves the current cell as a click on it does (fills the edit field).
    void selectCell(int sheetRow, int column);

    // What the buttons of the same captions do.
    void openFile();
    void replaceCell();
    void saveFile();
    void copyAll();
    void pasteAll();
    void addRow();
    void removeRow();
    void showHistory(); // File > History...
    void showClaims();  // File > Clock-Out Claims...
    // Puts the open week back as it was before the save on line `saveLine`
    // of its journal, after asking.
    void putBack(int saveLine);

  private:
    class ScreenTalk;
    void setCurrent(int sheetRow, int column);
    void showCurrentInEditField();
    void setEditFieldGrey();

    Services& services_;
    FileAccess& files_;
    std::string baseFolder_;
    std::string openedFile_;
    TimeSheetModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLineEdit* editField_ = nullptr;
    int currentRow_ = 1;
    int currentCol_ = 0;
    bool programMove_ = false;
};

} // namespace tc
