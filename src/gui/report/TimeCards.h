#pragma once

#include <QString>

class QTextDocument;

namespace tc {

struct WeekReport;

// Time cards to sign: one page per employee with the week's punches, the
// day totals, total, regular and overtime hours, the flags, and lines for
// the employee's and the manager's signatures.
class TimeCards {
  public:
    // All employees of the report, or only `person` (an index) when >= 0.
    static void build(QTextDocument& document, const WeekReport& report, int person = -1);
    static QString html(const WeekReport& report, int person = -1);
};

} // namespace tc
