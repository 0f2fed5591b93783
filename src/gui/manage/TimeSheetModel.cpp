#include "gui/manage/TimeSheetModel.h"

#include <algorithm>

namespace tc {

TimeSheetModel::TimeSheetModel(QObject* parent) : QAbstractTableModel(parent) {}

int TimeSheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sheet_.rowCount() - 1;
}

int TimeSheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TimeSheet::kColumns;
}

QVariant TimeSheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return cellText(toSheetRow(index.row()), index.column());
}

QVariant TimeSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return cellText(0, section);
    return {};
}

Qt::ItemFlags TimeSheetModel::flags(const QModelIndex& index) const {
    // No editing inside a cell: changes come through the edit field and "Replace".
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString TimeSheetModel::cellText(int sheetRow, int column) const {
    return QString::fromStdString(sheet_.cell(sheetRow, column));
}

bool TimeSheetModel::setCellText(int sheetRow, int column, const QString& text) {
    if (!sheet_.setCell(sheetRow, column, text.toStdString()))
        return false;
    if (sheetRow == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
    } else {
        const QModelIndex at = index(toModelRow(sheetRow), column);
        emit dataChanged(at, at, {Qt::DisplayRole});
    }
    return true;
}

void TimeSheetModel::load(std::string_view fileBytes) {
    beginResetModel();
    sheet_.load(fileBytes);
    endResetModel();
}

int TimeSheetModel::pasteAll(const QString& text) {
    beginResetModel();
    const int leftOut = sheet_.pasteAll(text.toStdString());
    endResetModel();
    return leftOut;
}

int TimeSheetModel::addRow(int sheetRow) {
    const int below = std::clamp(sheetRow, 0, sheet_.rowCount() - 1);
    // The new sheet row is below + 1, which is model row `below`.
    beginInsertRows(QModelIndex(), below, below);
    const int added = sheet_.addRow(below);
    endInsertRows();
    return added;
}

bool TimeSheetModel::removeRow(int sheetRow) {
    if (sheetRow < 1 || sheetRow >= sheet_.rowCount())
        return false;
    beginRemoveRows(QModelIndex(), toModelRow(sheetRow), toModelRow(sheetRow));
    const bool removed = sheet_.removeRow(sheetRow);
    endRemoveRows();
    return removed;
}

} // namespace tc
