#include "gui/manage/WeekHistoryScreen.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace tc {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

WeekHistoryScreen::WeekHistoryScreen(Services& services, FileAccess& files, std::string weekFile,
                                     std::function<void(int)> putBack, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), files_(files), weekFile_(std::move(weekFile)),
      putBack_(std::move(putBack)) {
    setObjectName(QStringLiteral("WeekHistoryScreen"));
    setWindowTitle(QStringLiteral("History of ") + qs(weekFile_));
    setAttribute(Qt::WA_DeleteOnClose);

    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("HistoryNotes"));
    notes_->setWordWrap(true);
    notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    list_ = new QTableWidget(0, 3, this);
    list_->setObjectName(QStringLiteral("HistoryList"));
    list_->setHorizontalHeaderLabels({QStringLiteral("When"), QStringLiteral("What"), QStringLiteral("Who")});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    list_->setWordWrap(false);
    putBackButton_ = new QPushButton(QStringLiteral("Put the Week Back as Before This Save"), this);
    putBackButton_->setObjectName(QStringLiteral("PutBack"));
    putBackButton_->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseHistory"));
    close->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(putBackButton_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notes_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = list_->currentRow();
        putBackButton_->setEnabled(row >= 0 && row < int(items_.size()) &&
                                   items_[std::size_t(row)].saveLine > 0);
    });
    connect(putBackButton_, &QPushButton::clicked, this, &WeekHistoryScreen::putBackSelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(900, 500);
    reload();
}

void WeekHistoryScreen::reload() {
    const std::string path = journalPathOf(weekFile_);
    std::string text;
    std::string notes;
    items_.clear();
    if (!files_.exists(path)) {
        notes = "There is no journal " + path + " yet.\n";
    } else if (Status st = readJournalFile(files_, path, text); !st) {
        notes = st.message() + "\n";
    } else {
        items_ = weekHistory(parseJournal(text));
    }
    WeekVerification v;
    if (Status st = verifyWeekFile(files_, weekFile_, v); !st)
        notes += st.message() + "\n";
    else if (v.passed() && v.witnessed() && v.notes.empty())
        notes += "Every punch in the week file is explained by the journal.";
    else
        notes += v.text(weekFile_);
    notes_->setText(qs(notes).trimmed());
    notes_->setStyleSheet(v.passed() && v.witnessed() ? QString() : QStringLiteral("color: #c00000"));

    list_->setRowCount(int(items_.size()));
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const HistoryItem& item = items_[i];
        list_->setItem(int(i), 0, new QTableWidgetItem(qs(item.when)));
        auto* what = new QTableWidgetItem(qs(item.what));
        what->setToolTip(what->text()); // a save's changes run past the column
        list_->setItem(int(i), 1, what);
        list_->setItem(int(i), 2, new QTableWidgetItem(qs(item.who)));
    }
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(2);
    list_->clearSelection();
    putBackButton_->setEnabled(false);
}

void WeekHistoryScreen::selectItem(int index) {
    list_->selectRow(index);
}

void WeekHistoryScreen::putBackSelected() {
    const int row = list_->currentRow();
    if (row < 0 || row >= int(items_.size()) || items_[std::size_t(row)].saveLine == 0)
        return;
    putBack_(items_[std::size_t(row)].saveLine);
    reload();
    // The put-back's messages belong to the time sheet, which comes to the
    // front with them: the history goes back above it, showing the new week.
    raise();
    activateWindow();
}

} // namespace tc
