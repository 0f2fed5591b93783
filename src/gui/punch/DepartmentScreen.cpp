#include "gui/punch/DepartmentScreen.h"

#include "core/punch/StationState.h"
#include "gui/punch/ActionScreen.h"
#include "gui/punch/JobScreen.h"
#include "gui/punch/PunchScreens.h"
#include "platform/Environment.h"
#include "platform/ScreenFonts.h"

#include <QLabel>
#include <QPushButton>

namespace tc {

namespace {

constexpr int kCancel = 7;
constexpr const char* kCaptions[8] = {"Dept.  1", "Dept.  2", "Dept.  3", "Dept.  4",
                                      "Dept. 5",  "Office",   "Other",    "Cancel"};
constexpr const char* kSuffixes[7] = {".Dept-1", ".Dept-2", ".Dept-3", ".Dept-4",
                                      ".Dept-5", ".Office", ".Other"};

} // namespace

const char* DepartmentScreen::suffix(int index) {
    return index >= 0 && index < 7 ? kSuffixes[index] : "";
}

DepartmentScreen::DepartmentScreen(Services& services, StationState& state, JobScreen& jobs)
    : QWidget(&jobs, Qt::Dialog), services_(services), state_(state), jobs_(jobs) {
    setObjectName(QStringLiteral("DepartmentScreen"));
    setWindowTitle(QStringLiteral("Select Department"));
    // The jobs underneath cannot be pressed while a department is chosen, so
    // the job shown here is always the job that will be stored.
    setWindowModality(Qt::WindowModal);
    buildControls();
}

void DepartmentScreen::buildControls() {
    const QSize inner = Environment::scaled(services_.host.screenSize(), 0, 0, 686, 498).size();
    setFixedSize(inner);
    // About two thirds of the screen, centred over the job screen.
    const QRect over = jobs_.geometry();
    move(over.left() + (over.width() - inner.width()) / 2, over.top() + (over.height() - inner.height()) / 2);

    jobLabel_ = new QLabel(QStringLiteral("Label1"), this);
    jobLabel_->setObjectName(QStringLiteral("jobLabel"));
    jobLabel_->setTextFormat(Qt::PlainText);
    jobLabel_->setFont(ScreenFonts::arialNarrow(services_.host.screenSize(), 36));
    jobLabel_->setWordWrap(true);
    jobLabel_->setAutoFillBackground(true);
    QPalette p = jobLabel_->palette();
    p.setColor(QPalette::Window, palette().color(QPalette::Highlight));
    p.setColor(QPalette::WindowText, QColor(255, 255, 0));
    jobLabel_->setPalette(p);
    jobLabel_->setGeometry(Environment::scaled(services_.host.screenSize(), 64, 16, 546, 57));

    static constexpr int kTops[4] = {88, 192, 296, 400};
    for (int i = 0; i < 8; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(kCaptions[i]), this);
        b->setObjectName(QStringLiteral("departmentButton_%1").arg(i));
        b->setProperty("index", i);
        b->setFont(ScreenFonts::arialNarrow(services_.host.screenSize(), 24));
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(
            Environment::scaled(services_.host.screenSize(), i < 4 ? 64 : 344, kTops[i % 4], 266, 93));
        connect(b, &QPushButton::clicked, this, [this, i] { onDepartment(i); });
        settle_.watch(b);
        departmentButtons_[std::size_t(i)] = b;
    }
}

void DepartmentScreen::load(PunchInProgress punch) {
    punch_ = std::move(punch);
    // The whole description, wrapped and in smaller type where it is long.
    const QString text = QString::fromStdString(punch_.jobText);
    jobLabel_->setText(text);
    jobLabel_->setFont(ScreenFonts::fitted(ScreenFonts::arialNarrow(services_.host.screenSize(), 36), text,
                                           jobLabel_->contentsRect().size(), true));
    settle_.restart();
}

void DepartmentScreen::onDepartment(int index) {
    if (done_ || !settle_.pressAccepted())
        return;
    done_ = true;
    if (index == kCancel) {
        // Back to the jobs as they were; the employee may choose another.
        jobs_.departmentScreenClosed();
        jobs_.show();
        jobs_.raise();
        jobs_.activateWindow();
        punchscreens::unload(this);
        return;
    }
    punch_.department = suffix(index);
    punchscreens::storePunch(services_, this, state_, jobs_.actionScreen().station(), punch_);
    jobs_.finishPunch();
    punchscreens::unload(this);
}

} // namespace tc
