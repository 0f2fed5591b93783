#include "gui/report/WeekTimeline.h"

#include "core/format/ShownText.h"
#include "core/format/WeekMoments.h"
#include "core/report/WeekReport.h"

#include <QPainter>
#include <algorithm>

namespace tc {

namespace {
constexpr int kNames = 130; // the names' column
constexpr int kHeader = 22;
constexpr int kLane = 22;
} // namespace

WeekTimeline::WeekTimeline(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Timeline"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void WeekTimeline::setReport(const WeekReport* report, long long nowSeconds) {
    report_ = report;
    now_ = nowSeconds;
    setMinimumHeight(kHeader + kLane * std::max<int>(1, report ? int(report->people.size()) : 0) + 2);
    updateGeometry();
    update();
}

QColor WeekTimeline::jobColour(int job) {
    // Hues far apart for neighbouring jobs; never red, which marks trouble.
    return QColor::fromHsv(40 + (job * 67) % 280, 150, 225);
}

QSize WeekTimeline::sizeHint() const {
    return {700, minimumHeight()};
}

void WeekTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int width = std::max(1, this->width() - kNames - 4);
    auto x = [&](long long seconds) { return kNames + int(seconds * width / kWeekSeconds); };
    const int lanes = report_ ? int(report_->people.size()) : 0;
    const int bottom = kHeader + kLane * lanes;

    painter.setPen(QColor(225, 225, 225));
    for (int h = 6; h < 7 * 24; h += 6)
        painter.drawLine(x(h * 3600LL), kHeader, x(h * 3600LL), bottom);
    for (int d = 0; d <= 7; ++d) {
        painter.setPen(QColor(140, 140, 140));
        painter.drawLine(x(d * kDaySeconds), 0, x(d * kDaySeconds), bottom);
        if (d < 7 && report_) {
            const DateTime day = report_->monday.addDays(d);
            painter.setPen(Qt::black);
            painter.drawText(
                QRect(x(d * kDaySeconds), 0, x((d + 1) * kDaySeconds) - x(d * kDaySeconds), kHeader),
                Qt::AlignCenter,
                QStringLiteral("%1 %2").arg(QString::fromLatin1(weekdayAbbrev(day.weekday()))).arg(day.day));
        }
    }
    if (!report_)
        return;
    for (int lane = 0; lane < lanes; ++lane) {
        const int top = kHeader + kLane * lane;
        painter.setPen(QColor(200, 200, 200));
        painter.drawLine(0, top + kLane, x(kWeekSeconds), top + kLane);
        const PersonWeek& person = report_->people[std::size_t(lane)];
        painter.setPen(person.flags.empty() ? Qt::black : Qt::red);
        painter.drawText(QRect(4, top, kNames - 8, kLane), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromStdString(shownText(person.name)));
    }
    for (const WorkedSpan& span : report_->spans) {
        const int top = kHeader + kLane * span.person + 4;
        if (span.doubt != PunchProblem::None)
            continue; // no moment sure enough to draw
        if (span.open) {
            // Open: from its start to now in the current week, else a short
            // stub; never a length that would look like worked hours.
            const long long end =
                report_->currentWeek && now_ > span.from ? std::min(now_, kWeekSeconds) : span.from + 3600;
            const QRect bar(x(span.from), top, std::max(6, x(end) - x(span.from)), kLane - 8);
            painter.setPen(QPen(Qt::red, 1.5));
            painter.setBrush(QBrush(Qt::red, Qt::BDiagPattern));
            painter.drawRect(bar);
            painter.setBrush(Qt::red);
            const QPoint tip(bar.left(), bar.center().y());
            painter.drawPolygon(QPolygon({tip + QPoint(-6, -6), tip + QPoint(0, 0), tip + QPoint(-6, 6)}));
            continue;
        }
        painter.setPen(jobColour(span.job).darker(140));
        painter.setBrush(jobColour(span.job));
        painter.drawRect(QRect(x(span.from), top, std::max(1, x(span.to) - x(span.from)), kLane - 8));
    }
}

} // namespace tc
