#pragma once

#include "core/sheet/TimeSheet.h"

#include <QAbstractTableModel>
#include <string_view>

namespace tc {

// The time sheet as the grid shows it. Sheet row 0 (the headings) is the
// view's horizontal header and model row r is sheet row r + 1, so the heading
// row takes part in "Copy All" and "Paste All" but can never be selected or
// edited in the grid. Every change goes through here so the view follows.
class TimeSheetModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TimeSheetModel(QObject* parent = nullptr);

    const TimeSheet& sheet() const { return sheet_; }
    // For saveWeek, which changes the sheet only through its talk (load).
    TimeSheet& sheetForSave() { return sheet_; }

    static int toSheetRow(int modelRow) { return modelRow + 1; }
    static int toModelRow(int sheetRow) { return sheetRow - 1; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QString cellText(int sheetRow, int column) const;
    bool setCellText(int sheetRow, int column, const QString& text);
    void load(std::string_view fileBytes);
    // Returns how many lines holding data lay beyond a full week (not pasted).
    int pasteAll(const QString& text);
    // Inserts a row below `sheetRow`; returns the new row.
    int addRow(int sheetRow);
    bool removeRow(int sheetRow);

  private:
    TimeSheet sheet_;
};

} // namespace tc
