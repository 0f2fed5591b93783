#pragma once

#include "core/files/FileAccess.h"

#include <QDialog>
#include <string>
#include <vector>

class QTableWidget;

namespace tc {

struct Services;

// "Payroll IDs": each employee's id at the payroll service (payroll.csv),
// one row per name: the names of the file and those given (the week's
// employees). Save writes the whole file; an empty id removes its row.
class PayrollIdsDialog : public QDialog {
    Q_OBJECT
  public:
    PayrollIdsDialog(Services& services, FileAccess& files, std::string baseFolder,
                     const std::vector<std::string>& names, QWidget* parent = nullptr);
    void save();

  private:
    Services& services_;
    FileAccess& files_;
    std::string baseFolder_;
    QTableWidget* table_ = nullptr;
};

} // namespace tc
