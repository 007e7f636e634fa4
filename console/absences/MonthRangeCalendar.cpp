#include "MonthRangeCalendar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace {

constexpr int kWeeks = 6;
constexpr int kRows = kWeeks + 1; // the weekday names, then the weeks
constexpr int kMargin = 2;

// Month and weekday names are the console's language, whatever the workstation's.
QLocale names()
{
    return QLocale(QLocale::Spanish, QLocale::Mexico);
}

} // namespace

MonthRangeCalendar::MonthRangeCalendar(QWidget* parent)
    : QWidget(parent)
    , previous_(new QToolButton(this))
    , next_(new QToolButton(this))
    , title_(new QLabel(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    previous_->setObjectName(QStringLiteral("previousMonth"));
    next_->setObjectName(QStringLiteral("nextMonth"));
    previous_->setArrowType(Qt::LeftArrow);
    next_->setArrowType(Qt::RightArrow);
    previous_->setAutoRaise(true);
    next_->setAutoRaise(true);
    previous_->setFocusPolicy(Qt::NoFocus);
    next_->setFocusPolicy(Qt::NoFocus);
    title_->setAlignment(Qt::AlignCenter);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    connect(previous_, &QToolButton::clicked, this, [this] { stepMonth(-1); });
    connect(next_, &QToolButton::clicked, this, [this] { stepMonth(1); });
    const QDate today = QDate::currentDate();
    setRange(today, today);
}

void MonthRangeCalendar::setMaximumDays(int days)
{
    maximumDays_ = qMax(1, days);
    setRange(start_, end_);
}

void MonthRangeCalendar::setRange(const QDate& start, const QDate& end)
{
    if (!start.isValid())
        return;
    QDate last = end.isValid() && end >= start ? end : start;
    last = qMin(last, start.addDays(maximumDays_ - 1));
    anchor_ = start;
    focus_ = last;
    start_ = start;
    end_ = last;
    showMonth(start.year(), start.month());
}

void MonthRangeCalendar::showMonth(int year, int month)
{
    year_ = year;
    month_ = month;
    updateHeader();
    update();
}

void MonthRangeCalendar::stepMonth(int months)
{
    const QDate first = QDate(year_, month_, 1).addMonths(months);
    showMonth(first.year(), first.month());
}

void MonthRangeCalendar::updateHeader()
{
    QString name = names().standaloneMonthName(month_);
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    title_->setText(name + QLatin1Char(' ') + QString::number(year_));
}

QDate MonthRangeCalendar::firstDrawnDay() const
{
    const QDate first(year_, month_, 1);
    return first.addDays(1 - first.dayOfWeek()); // back to Monday
}

QRect MonthRangeCalendar::gridRect() const
{
    const int top = previous_->geometry().bottom() + 1 + kMargin;
    return QRect(kMargin, top, width() - 2 * kMargin, height() - top - kMargin);
}

QDate MonthRangeCalendar::dayAt(const QPoint& point) const
{
    const QRect grid = gridRect();
    if (!grid.contains(point))
        return {};
    const int column = (point.x() - grid.x()) * 7 / grid.width();
    const int row = (point.y() - grid.y()) * kRows / grid.height() - 1;
    if (row < 0 || row >= kWeeks || column < 0 || column >= 7)
        return {};
    return firstDrawnDay().addDays(row * 7 + column);
}

QRect MonthRangeCalendar::cellOf(const QDate& day) const
{
    const qint64 index = firstDrawnDay().daysTo(day);
    if (index < 0 || index >= kWeeks * 7)
        return {};
    const QRect grid = gridRect();
    const int column = int(index % 7);
    const int row = int(index / 7) + 1;
    const int left = grid.x() + column * grid.width() / 7;
    const int right = grid.x() + (column + 1) * grid.width() / 7;
    const int top = grid.y() + row * grid.height() / kRows;
    const int bottom = grid.y() + (row + 1) * grid.height() / kRows;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QSize MonthRangeCalendar::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int cell = metrics.horizontalAdvance(QStringLiteral("000")) + 8;
    return QSize(7 * cell + 2 * kMargin,
                 previous_->sizeHint().height() + kMargin * 2 + kRows * (metrics.height() + 8));
}

QSize MonthRangeCalendar::minimumSizeHint() const
{
    return sizeHint();
}

void MonthRangeCalendar::resizeEvent(QResizeEvent* event)
{
    const QSize button = previous_->sizeHint();
    previous_->setGeometry(kMargin, kMargin, button.width(), button.height());
    next_->setGeometry(width() - kMargin - button.width(), kMargin, button.width(),
                       button.height());
    title_->setGeometry(previous_->geometry().right() + 1, kMargin,
                        next_->geometry().left() - previous_->geometry().right() - 1,
                        button.height());
    QWidget::resizeEvent(event);
}

void MonthRangeCalendar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.base());
    const QLocale locale = names();
    const QRect grid = gridRect();
    QFont bold = font();
    bold.setBold(true);

    painter.setFont(bold);
    painter.setPen(pal.color(QPalette::Text));
    for (int column = 0; column < 7; ++column) {
        const int left = grid.x() + column * grid.width() / 7;
        const int right = grid.x() + (column + 1) * grid.width() / 7;
        const QRect cell(left, grid.y(), right - left, grid.height() / kRows);
        painter.drawText(cell, Qt::AlignCenter,
                         locale.dayName(column + 1, QLocale::NarrowFormat).toUpper());
    }

    const QDate today = QDate::currentDate();
    for (int index = 0; index < kWeeks * 7; ++index) {
        const QDate day = firstDrawnDay().addDays(index);
        const QRect cell = cellOf(day);
        const bool picked = day >= start_ && day <= end_;
        if (picked)
            painter.fillRect(cell.adjusted(1, 1, -1, -1), pal.highlight());
        QColor pen = pal.color(picked ? QPalette::HighlightedText : QPalette::Text);
        if (day.month() != month_ && !picked)
            pen = pal.color(QPalette::Disabled, QPalette::Text);
        painter.setPen(pen);
        painter.setFont(day == today ? bold : font());
        painter.drawText(cell, Qt::AlignCenter, QString::number(day.day()));
        if (day == focus_ && hasFocus()) {
            painter.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
            painter.drawRect(cell.adjusted(1, 1, -2, -2));
        }
    }
}

void MonthRangeCalendar::setPicked(const QDate& a, const QDate& b)
{
    start_ = qMin(a, b);
    end_ = qMax(a, b);
    update();
    emit rangePicked(start_, end_);
}

void MonthRangeCalendar::pick(const QDate& day)
{
    anchor_ = day;
    focus_ = day;
    setPicked(day, day);
}

void MonthRangeCalendar::extendTo(const QDate& day)
{
    if (!anchor_.isValid()) {
        pick(day);
        return;
    }
    const int reach = maximumDays_ - 1;
    focus_ = qBound(anchor_.addDays(-reach), day, anchor_.addDays(reach));
    setPicked(anchor_, focus_);
}

void MonthRangeCalendar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QDate day = dayAt(event->position().toPoint());
    if (!day.isValid())
        return;
    setFocus(Qt::MouseFocusReason);
    if (event->modifiers() & Qt::ShiftModifier)
        extendTo(day);
    else
        pick(day);
    dragging_ = true;
}

void MonthRangeCalendar::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !(event->buttons() & Qt::LeftButton))
        return;
    const QDate day = dayAt(event->position().toPoint());
    if (day.isValid() && day != focus_)
        extendTo(day);
}

void MonthRangeCalendar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}

void MonthRangeCalendar::keyPressEvent(QKeyEvent* event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -7;
        break;
    case Qt::Key_Down:
        step = 7;
        break;
    case Qt::Key_PageUp:
        stepMonth(-1);
        return;
    case Qt::Key_PageDown:
        stepMonth(1);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const QDate day = focus_.addDays(step);
    if (event->modifiers() & Qt::ShiftModifier)
        extendTo(day);
    else
        pick(day);
    if (focus_.month() != month_ || focus_.year() != year_)
        showMonth(focus_.year(), focus_.month());
}
