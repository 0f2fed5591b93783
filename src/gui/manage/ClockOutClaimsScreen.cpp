#include "gui/manage/ClockOutClaimsScreen.h"

#include "core/sheet/ClaimAnswers.h"
#include "platform/Environment.h"
#include "platform/Messages.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace tc {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// A save's questions and messages on this screen.
class ClaimsTalk : public SaveTalk {
  public:
    ClaimsTalk(Messages& messages, QWidget* screen) : messages_(messages), screen_(screen) {}
    bool ask(const std::string& question) override {
        return messages_.show(screen_, qs(question), Messages::Buttons::YesNoCancel) == Messages::Answer::Yes;
    }
    void tell(const std::string& message) override { messages_.show(screen_, qs(message)); }

  private:
    Messages& messages_;
    QWidget* screen_;
};

} // namespace

ClockOutClaimsScreen::ClockOutClaimsScreen(Services& services, FileAccess& files,
                                           std::vector<std::string> weekFiles, Accept accept, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), files_(files), weekFiles_(std::move(weekFiles)),
      accept_(std::move(accept)) {
    setObjectName(QStringLiteral("ClockOutClaimsScreen"));
    setWindowTitle(QStringLiteral("Clock-Out Claims"));
    setAttribute(Qt::WA_DeleteOnClose);

    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("ClaimNotes"));
    notes_->setWordWrap(true);
    list_ = new QTableWidget(0, 4, this);
    list_->setObjectName(QStringLiteral("ClaimList"));
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("Pos."), QStringLiteral("Name"), QStringLiteral("Punch"), QStringLiteral("Claim")});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    note_ = new QLineEdit(this);
    note_->setObjectName(QStringLiteral("RejectNote"));
    note_->setPlaceholderText(QStringLiteral("Why the claim is rejected"));
    acceptButton_ = new QPushButton(QStringLiteral("Accept"), this);
    acceptButton_->setObjectName(QStringLiteral("AcceptClaim"));
    rejectButton_ = new QPushButton(QStringLiteral("Reject"), this);
    rejectButton_->setObjectName(QStringLiteral("RejectClaim"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseClaims"));
    for (QPushButton* b : {acceptButton_, rejectButton_, close})
        b->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(acceptButton_);
    buttons->addSpacing(24);
    buttons->addWidget(note_, 1);
    buttons->addWidget(rejectButton_);
    buttons->addSpacing(24);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notes_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        acceptButton_->setEnabled(selected() != nullptr);
        rejectButton_->setEnabled(selected() != nullptr);
    });
    connect(acceptButton_, &QPushButton::clicked, this, &ClockOutClaimsScreen::acceptSelected);
    connect(rejectButton_, &QPushButton::clicked, this, &ClockOutClaimsScreen::rejectSelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(900, 400);
    reload();
}

void ClockOutClaimsScreen::reload() {
    items_.clear();
    std::string notes;
    for (const std::string& file : weekFiles_) {
        std::vector<ClockOutClaim> open;
        if (Status st = openClaims(files_, file, open); !st)
            notes += st.message() + "\n";
        for (ClockOutClaim& c : open)
            items_.push_back({file, std::move(c)});
    }
    if (items_.empty())
        notes += "No clock-out told at the station waits for an answer this week.";
    notes_->setText(qs(notes).trimmed());
    list_->setRowCount(int(items_.size()));
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const ClockOutClaim& c = items_[i].claim;
        const QString cells[] = {QString::number(c.position), qs(c.name), QString::number(c.entry),
                                 qs(claimText(c))};
        for (int col = 0; col < 4; ++col)
            list_->setItem(int(i), col, new QTableWidgetItem(cells[col]));
    }
    list_->clearSelection();
    acceptButton_->setEnabled(false);
    rejectButton_->setEnabled(false);
}

void ClockOutClaimsScreen::selectItem(int index) {
    list_->selectRow(index);
}

const ClockOutClaimsScreen::Item* ClockOutClaimsScreen::selected() const {
    const QList<QTableWidgetItem*> chosen = list_->selectedItems();
    const int row = chosen.isEmpty() ? -1 : chosen.front()->row();
    return row >= 0 && row < int(items_.size()) ? &items_[std::size_t(row)] : nullptr;
}

void ClockOutClaimsScreen::acceptSelected() {
    const Item* item = selected();
    if (!item)
        return;
    const Item chosen = *item;
    ClaimsTalk talk(services_.messages, this);
    const bool saved = accept_
                           ? accept_(chosen)
                           : acceptClaim(files_, chosen.weekFile, chosen.claim, talk,
                                         Environment::journalStamp(services_.clock)) == SaveOutcome::Saved;
    if (saved) {
        reload();
        emit answered();
    }
}

void ClockOutClaimsScreen::rejectSelected() {
    const Item* item = selected();
    if (!item)
        return;
    const Status st = rejectClaim(files_, item->weekFile, item->claim, note_->text().toStdString(),
                                  Environment::journalStamp(services_.clock));
    if (!st) {
        services_.messages.show(this, qs(st.message()));
        return;
    }
    note_->clear();
    reload();
    emit answered();
}

} // namespace tc
