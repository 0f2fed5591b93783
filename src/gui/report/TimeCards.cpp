#include "gui/report/TimeCards.h"

#include "core/format/ShownText.h"
#include "core/format/TimeText.h"
#include "core/format/WeekMoments.h"
#include "core/report/WeekReport.h"
#include "core/report/WeekSignOff.h"

#include <QTextDocument>

namespace tc {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s).toHtmlEscaped();
}

QString card(const WeekReport& report, const PersonWeek& person, bool last) {
    using F = TimeRecord::Field;
    QString where;
    for (auto [source, position] : person.records)
        where += (where.isEmpty() ? QString() : QStringLiteral("; ")) + QStringLiteral("station ") +
                 text(report.sources[std::size_t(source)].station) + QStringLiteral(", position ") +
                 QString::number(position);
    QString h = QStringLiteral("<h2>Time card: %1</h2><p>Week ending %2 &nbsp; (%3)</p>")
                    .arg(text(shownText(person.name)), text(formatWeekName(report.sunday)), where);

    h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"
                        "<tr><th>Date</th><th>Time</th><th>Action</th><th>Job</th><th>Note</th></tr>");
    for (const ReportPunch& p : person.punches) {
        const bool bad = p.problem != PunchProblem::None;
        h += QStringLiteral("<tr%1><td>%2</td><td>%3</td><td>%4</td><td>%5</td><td>%6</td></tr>")
                 .arg(bad ? QStringLiteral(" style=\"color:#c00000\"") : QString(),
                      text(report.punchText(p, F::ActDate)), text(report.punchText(p, F::ActTime)),
                      text(report.punchText(p, F::Action)), text(report.punchText(p, F::JobNumber)),
                      (text(punchProblemText(p.problem)) + QStringLiteral(" ") +
                       text(report.correctionText(p)))
                          .trimmed());
    }
    h += QStringLiteral(
        "</table><p>&nbsp;</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>");
    for (int d = 0; d < 7; ++d)
        h += QStringLiteral("<th>%1 %2</th>")
                 .arg(QString::fromLatin1(weekdayAbbrev(report.monday.addDays(d).weekday())))
                 .arg(report.monday.addDays(d).day);
    // Under a double-time rule the card has its column too, so the parts
    // add up to the total the employee signs for.
    const bool doubleTime = report.pay.doubleTime();
    h += QStringLiteral("<th>Total</th><th>Regular</th><th>Overtime</th>%1</tr><tr>")
             .arg(doubleTime ? QStringLiteral("<th>Double Time</th>") : QString());
    for (long long d : person.dayHundredths)
        h += QStringLiteral("<td align=\"right\">%1</td>").arg(text(formatShownHours(d)));
    h += QStringLiteral("<td align=\"right\"><b>%1</b></td>")
             .arg(text(formatShownHours(person.totalHundredths)));
    for (long long part : {person.regularHundredths, person.overtimeHundredths})
        h += QStringLiteral("<td align=\"right\">%1</td>").arg(text(formatShownHours(part)));
    if (doubleTime)
        h += QStringLiteral("<td align=\"right\">%1</td>")
                 .arg(text(formatShownHours(person.doubleTimeHundredths)));
    h += QStringLiteral("</tr></table>");
    if (!person.flags.empty()) {
        h += QStringLiteral("<p style=\"color:#c00000\"><b>Flags:</b></p><ul style=\"color:#c00000\">");
        for (const std::string& f : person.flags)
            h += QStringLiteral("<li>%1</li>").arg(text(f));
        h += QStringLiteral("</ul>");
    }
    // Unapproved, the card says so across its whole width, in large letters.
    const ApprovalLine* approval = standingApproval(report, person);
    h += approval ? QStringLiteral("<p><b>%1</b></p>").arg(text(approvalText(report, person)))
                  : QStringLiteral("<p align=\"center\" style=\"color:#c00000; font-size:28pt\"><b>NOT "
                                   "APPROVED</b></p>");
    h += QStringLiteral("<p>Seal of the week: <b>%1</b> &nbsp; (the week is %2)</p>")
             .arg(text(weekSealText(report)), text(closingText(report)));
    h += QStringLiteral("<p><br><br></p><table width=\"100%\" cellpadding=\"8\"%1>"
                        "<tr><td>Employee signature: ______________________________</td>"
                        "<td>Date: ______________</td></tr>"
                        "<tr><td>Manager signature: ______________________________</td>"
                        "<td>Date: ______________</td></tr></table>")
             .arg(last ? QString() : QStringLiteral(" style=\"page-break-after: always\""));
    return h;
}

} // namespace

QString TimeCards::html(const WeekReport& report, int person) {
    QString h = QStringLiteral("<html><body style=\"font-family: Arial, sans-serif; font-size: 10pt\">");
    const int count = int(report.people.size());
    for (int i = 0; i < count; ++i)
        if (person < 0 || i == person)
            h += card(report, report.people[std::size_t(i)], person >= 0 || i == count - 1);
    return h + QStringLiteral("</body></html>");
}

void TimeCards::build(QTextDocument& document, const WeekReport& report, int person) {
    document.setHtml(html(report, person));
}

} // namespace tc
