#pragma once
// A month view in which a contiguous range of days is picked: a click picks one day, a
// shift-click or a drag extends the range from the day first picked, the arrow keys move the
// day and Shift with an arrow extends the range. A range never exceeds maximumDays(): an
// extension past it stops at the last allowed day. PageUp and PageDown, or the two arrows of
// the header, show the previous and the next month.

#include <QDate>
#include <QWidget>

class QLabel;
class QToolButton;

class MonthRangeCalendar : public QWidget
{
    Q_OBJECT
public:
    explicit MonthRangeCalendar(QWidget* parent = nullptr);

    QDate startDay() const { return start_; }
    QDate endDay() const { return end_; }
    int maximumDays() const { return maximumDays_; }
    void setMaximumDays(int days);

    // Selects the range and shows the month of its first day; a range longer than
    // maximumDays() is cut to it. Emits nothing: only a person's picks are reported.
    void setRange(const QDate& start, const QDate& end);

    // The month shown.
    int shownYear() const { return year_; }
    int shownMonth() const { return month_; }
    void showMonth(int year, int month);

    // The day drawn at a point of the day grid, or an invalid date outside it; and the cell
    // of a day of the month shown (an empty rectangle for days not drawn).
    QDate dayAt(const QPoint& point) const;
    QRect cellOf(const QDate& day) const;

    // The first day the grid draws (a Monday on or before the 1st of the month shown).
    QDate firstDrawnDay() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A person picked a day or a range (click, shift-click, drag or keys).
    void rangePicked(const QDate& start, const QDate& end);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void pick(const QDate& day);     // one day; it becomes the anchor
    void extendTo(const QDate& day); // from the anchor to the day, within the limit
    void setPicked(const QDate& a, const QDate& b);
    void stepMonth(int months);
    QRect gridRect() const;
    void updateHeader();

    QToolButton* previous_;
    QToolButton* next_;
    QLabel* title_;
    QDate anchor_;
    QDate focus_; // the moving end of the range
    QDate start_;
    QDate end_;
    int year_ = 2000;
    int month_ = 1;
    int maximumDays_ = 100;
    bool dragging_ = false;
};
