#include "gui/report/PayrollIdsDialog.h"

#include "core/report/PayrollIds.h"
#include "platform/Services.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace tc {

PayrollIdsDialog::PayrollIdsDialog(Services& services, FileAccess& files, std::string baseFolder,
                                   const std::vector<std::string>& names, QWidget* parent)
    : QDialog(parent), services_(services), files_(files), baseFolder_(std::move(baseFolder)) {
    setObjectName(QStringLiteral("PayrollIdsDialog"));
    setWindowTitle(QStringLiteral("Payroll IDs"));
    PayrollIds ids;
    Status read = PayrollIds::read(files_, baseFolder_, ids);
    std::vector<std::pair<std::string, std::string>> rows = ids.entries;
    for (const std::string& name : names)
        if (ids.idOf(name).empty() &&
            std::none_of(rows.begin(), rows.end(), [&name](const auto& r) { return r.first == name; }))
            rows.emplace_back(name, "");
    table_ = new QTableWidget(int(rows.size()), 2, this);
    table_->setObjectName(QStringLiteral("PayrollIdsTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Payroll ID")});
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < int(rows.size()); ++r) {
        auto* name = new QTableWidgetItem(QString::fromStdString(rows[std::size_t(r)].first));
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        table_->setItem(r, 0, name);
        table_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(rows[std::size_t(r)].second)));
    }
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("SavePayrollIds"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &PayrollIdsDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    if (!read)
        services_.messages.show(parent, QString::fromStdString(read.message()));
}

void PayrollIdsDialog::save() {
    PayrollIds ids;
    for (int r = 0; r < table_->rowCount(); ++r) {
        const std::string id = table_->item(r, 1)->text().trimmed().toStdString();
        if (!id.empty())
            ids.entries.emplace_back(table_->item(r, 0)->text().toStdString(), id);
    }
    if (Status st = PayrollIds::write(files_, baseFolder_, ids); !st) {
        services_.messages.show(this, QString::fromStdString(st.message()));
        return;
    }
    accept();
}

} // namespace tc
