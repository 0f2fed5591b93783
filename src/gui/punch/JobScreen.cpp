#include "gui/punch/JobScreen.h"

#include "core/files/Paths.h"
#include "core/format/ListFiles.h"
#include "core/format/TimeText.h"
#include "core/punch/StationState.h"
#include "gui/punch/ActionScreen.h"
#include "gui/punch/DepartmentScreen.h"
#include "gui/punch/PunchScreens.h"
#include "platform/Environment.h"
#include "platform/Messages.h"
#include "platform/ScreenFonts.h"
#include "platform/ScreenText.h"

#include <QPushButton>

namespace tc {

JobScreen::JobScreen(Services& services, StationState& state, ActionScreen& action, PunchInProgress punch)
    : QWidget(&action, Qt::Window | Qt::FramelessWindowHint), services_(services), state_(state),
      action_(action), punch_(std::move(punch)) {
    setObjectName(QStringLiteral("JobScreen"));
    setWindowTitle(Messages::applicationTitle());
    buildControls();
}

void JobScreen::buildControls() {
    Environment::fillScreen(services_.host.screenSize(), this);
    setAutoFillBackground(true);

    const QFont jobFont = ScreenFonts::arial(services_.host.screenSize(), 18);
    for (int i = 0; i < kJobs; ++i) {
        auto* b = new QPushButton(QStringLiteral("command1"), this);
        b->setObjectName(QStringLiteral("jobButton_%1").arg(i));
        b->setProperty("index", i);
        b->setFont(jobFont);
        b->setFocusPolicy(Qt::NoFocus);
        const int column = i / 10;
        const int row = i % 10;
        b->setGeometry(
            Environment::scaled(services_.host.screenSize(), column == 0 ? 8 : 416, 24 + 72 * row, 400, 63));
        connect(b, &QPushButton::clicked, this, [this, i] { onJob(i); });
        settle_.watch(b);
        jobButtons_[std::size_t(i)] = b;
    }

    static constexpr const char* kCaptions[2] = {"Cancel", "Back"};
    static constexpr int kTops[2] = {672, 600};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(kCaptions[i]), this);
        b->setObjectName(QStringLiteral("cancelAndBack_%1").arg(i));
        b->setProperty("index", i);
        b->setFont(ScreenFonts::arial(services_.host.screenSize(), 18));
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(Environment::scaled(services_.host.screenSize(), 832, kTops[i], 177, 65));
        settle_.watch(b);
        cancelAndBack_[std::size_t(i)] = b;
    }
    connect(cancelAndBack_[0], &QPushButton::clicked, this, &JobScreen::cancel);
    connect(cancelAndBack_[1], &QPushButton::clicked, this, &JobScreen::back);
}

void JobScreen::load() {
    std::vector<JobItem> jobs;
    const Status st = readJobList(*state_.files, state_.baseFolder, jobs);

    for (int i = 0; i < kJobs; ++i) {
        QPushButton* b = jobButtons_[std::size_t(i)];
        const bool listed = std::size_t(i) < jobs.size();
        const JobItem item = listed ? jobs[std::size_t(i)] : JobItem{};
        const std::string job = trimSpaces(item.first);
        const std::string description = trimSpaces(item.second);
        state_.jobs[std::size_t(i)] = job;
        state_.jobTexts[std::size_t(i)] = description;
        // A slot past the end of the list, an empty slot (a lone comma) or a
        // description without a job holds no job: pressing it would store a
        // punch without one. The description still shows.
        const bool hasJob = !job.empty();
        const bool shown = hasJob || !description.empty();
        const QString caption = shown ? QString::fromStdString(item.first) + QLatin1Char('\n') +
                                            QString::fromStdString(item.second).left(20)
                                      : QString();
        b->setProperty("Caption", caption);
        b->setText(ScreenText::forButton(caption));
        b->setEnabled(hasJob);
    }

    if (!st) {
        QString text = QString::fromStdString(st.message());
        const QString path = QString::fromStdString(jobListPath(state_.baseFolder));
        if (!text.contains(path))
            text = QStringLiteral("The job list %1 cannot be read.\r\n").arg(path) + text;
        services_.messages.show(this, text, Messages::Buttons::OkOnly);
    }
    settle_.restart();
}

void JobScreen::onJob(int index) {
    if (!settle_.pressAccepted())
        return;
    PunchInProgress punch = punch_;
    punch.jobText = state_.jobTexts[std::size_t(index)];
    punch.job = state_.jobs[std::size_t(index)];
    if (!depart_)
        depart_ = new DepartmentScreen(services_, state_, *this);
    depart_->load(std::move(punch));
    depart_->show();
    depart_->raise();
    depart_->activateWindow();
}

void JobScreen::back() {
    if (!settle_.pressAccepted())
        return;
    if (depart_)
        punchscreens::unload(depart_);
    action_.jobScreenClosed();
    action_.show();
    action_.raise();
    action_.activateWindow();
    punchscreens::unload(this);
}

DepartmentScreen* JobScreen::departmentScreen() const {
    return depart_;
}

void JobScreen::departmentScreenClosed() {
    depart_ = nullptr;
    settle_.restart();
}

void JobScreen::cancel() {
    if (settle_.pressAccepted())
        action_.exitToStation();
}

void JobScreen::finishPunch() {
    action_.exitToStation();
}

} // namespace tc
