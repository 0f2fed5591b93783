#pragma once

#include <QColor>
#include <QWidget>

namespace tc {

struct WeekReport;

// The week as a picture: one lane per employee, Monday to Sunday, a bar per
// worked span in its job's colour; lunch and gaps stay empty, an open span
// is marked in red from its start.
class WeekTimeline : public QWidget {
    Q_OBJECT
  public:
    explicit WeekTimeline(QWidget* parent = nullptr);

    // The report must outlive the picture's use of it (the screen keeps both).
    void setReport(const WeekReport* report, long long nowSeconds);
    // The colour of job i of the report (the jobs table shows it too).
    static QColor jobColour(int job);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const WeekReport* report_ = nullptr;
    long long now_ = 0; // seconds from the week's Monday
};

} // namespace tc
