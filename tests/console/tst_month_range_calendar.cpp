// The month view in which a period is picked, driven by mouse and keys: a click picks a day,
// shift-click and drag extend from it, the range stops at its limit, and only a person's picks
// are reported.

#include "MonthRangeCalendar.h"

#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

namespace {

const QDate kMarch3(2025, 3, 3);

QPoint centre(const MonthRangeCalendar& calendar, const QDate& day)
{
    return calendar.cellOf(day).center();
}

} // namespace

class TestMonthRangeCalendar : public QObject
{
    Q_OBJECT
    std::unique_ptr<MonthRangeCalendar> calendar;

    void click(const QDate& day, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(calendar.get(), Qt::LeftButton, modifiers, centre(*calendar, day));
    }
    QPair<QDate, QDate> range() const { return {calendar->startDay(), calendar->endDay()}; }

private slots:
    void init()
    {
        calendar = std::make_unique<MonthRangeCalendar>();
        calendar->resize(320, 280);
        calendar->setRange(kMarch3, kMarch3);
        calendar->show();
        QVERIFY(QTest::qWaitForWindowExposed(calendar.get()));
    }
    void cleanup() { calendar.reset(); }

    void gridStartsOnMonday()
    {
        QCOMPARE(calendar->shownYear(), 2025);
        QCOMPARE(calendar->shownMonth(), 3);
        QCOMPARE(calendar->firstDrawnDay(), QDate(2025, 2, 24));
        for (const QDate day : {QDate(2025, 3, 1), QDate(2025, 3, 17), QDate(2025, 3, 31)})
            QCOMPARE(calendar->dayAt(centre(*calendar, day)), day);
    }

    void mousePicks_data()
    {
        QTest::addColumn<QList<QDate>>("clicks"); // the first plain, the others with Shift
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::newRow("one day") << QList<QDate>{QDate(2025, 3, 12)} << QDate(2025, 3, 12)
                                 << QDate(2025, 3, 12);
        QTest::newRow("shift forward") << QList<QDate>{QDate(2025, 3, 5), QDate(2025, 3, 20)}
                                       << QDate(2025, 3, 5) << QDate(2025, 3, 20);
        QTest::newRow("shift backward") << QList<QDate>{QDate(2025, 3, 20), QDate(2025, 3, 5)}
                                        << QDate(2025, 3, 5) << QDate(2025, 3, 20);
        QTest::newRow("shift again from the same first day")
            << QList<QDate>{QDate(2025, 3, 10), QDate(2025, 3, 25), QDate(2025, 3, 4)}
            << QDate(2025, 3, 4) << QDate(2025, 3, 10);
        QTest::newRow("a grey day of the next month")
            << QList<QDate>{QDate(2025, 3, 28), QDate(2025, 4, 2)} << QDate(2025, 3, 28)
            << QDate(2025, 4, 2);
    }
    void mousePicks()
    {
        QFETCH(QList<QDate>, clicks);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QSignalSpy picked(calendar.get(), &MonthRangeCalendar::rangePicked);
        click(clicks.first());
        for (int i = 1; i < clicks.size(); ++i)
            click(clicks[i], Qt::ShiftModifier);
        QCOMPARE(range(), qMakePair(start, end));
        QCOMPARE(picked.size(), clicks.size());
        QCOMPARE(picked.last().at(0).toDate(), start);
        QCOMPARE(picked.last().at(1).toDate(), end);
    }

    void dragExtendsTheRange()
    {
        QTest::mousePress(calendar.get(), Qt::LeftButton, Qt::NoModifier,
                          centre(*calendar, QDate(2025, 3, 18)));
        QTest::mouseMove(calendar.get(), centre(*calendar, QDate(2025, 3, 19)));
        QTest::mouseMove(calendar.get(), centre(*calendar, QDate(2025, 3, 26)));
        QCOMPARE(range(), qMakePair(QDate(2025, 3, 18), QDate(2025, 3, 26)));
        // Back across the first day: the range turns round it.
        QTest::mouseMove(calendar.get(), centre(*calendar, QDate(2025, 3, 11)));
        QTest::mouseRelease(calendar.get(), Qt::LeftButton, Qt::NoModifier,
                            centre(*calendar, QDate(2025, 3, 11)));
        QCOMPARE(range(), qMakePair(QDate(2025, 3, 11), QDate(2025, 3, 18)));
        // Moving after the release changes nothing.
        QTest::mouseMove(calendar.get(), centre(*calendar, QDate(2025, 3, 28)));
        QCOMPARE(range(), qMakePair(QDate(2025, 3, 11), QDate(2025, 3, 18)));
    }

    // 1 March picked, then Shift-click in a later month: at most 100 days.
    void rangeStopsAtTheLimit_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("shiftClick");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::newRow("99 days forward is allowed")
            << QDate(2025, 3, 1) << QDate(2025, 6, 8) << QDate(2025, 3, 1) << QDate(2025, 6, 8);
        QTest::newRow("100 days forward stop at the 100th")
            << QDate(2025, 3, 1) << QDate(2025, 6, 9) << QDate(2025, 3, 1) << QDate(2025, 6, 8);
        QTest::newRow("far forward")
            << QDate(2025, 3, 1) << QDate(2025, 7, 31) << QDate(2025, 3, 1) << QDate(2025, 6, 8);
        QTest::newRow("far backward")
            << QDate(2025, 6, 8) << QDate(2025, 1, 15) << QDate(2025, 3, 1) << QDate(2025, 6, 8);
    }
    void rangeStopsAtTheLimit()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, shiftClick);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        calendar->setRange(first, first);
        click(first);
        calendar->showMonth(shiftClick.year(), shiftClick.month());
        click(shiftClick, Qt::ShiftModifier);
        QCOMPARE(range(), qMakePair(start, end));
        QVERIFY(start.daysTo(end) + 1 <= calendar->maximumDays());
    }

    void programmaticRangeIsCutAndNotReported()
    {
        QSignalSpy picked(calendar.get(), &MonthRangeCalendar::rangePicked);
        calendar->setRange(QDate(2025, 1, 1), QDate(2025, 12, 31));
        QCOMPARE(range(), qMakePair(QDate(2025, 1, 1), QDate(2025, 4, 10)));
        QCOMPARE(calendar->shownMonth(), 1);
        QCOMPARE(picked.size(), 0);
    }

    void keysMoveAndExtend()
    {
        calendar->setFocus();
        click(QDate(2025, 3, 31));
        QTest::keyClick(calendar.get(), Qt::Key_Right);
        QCOMPARE(range(), qMakePair(QDate(2025, 4, 1), QDate(2025, 4, 1)));
        QCOMPARE(calendar->shownMonth(), 4); // the month follows the day
        QTest::keyClick(calendar.get(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(calendar.get(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(range(), qMakePair(QDate(2025, 4, 1), QDate(2025, 4, 9)));
        QTest::keyClick(calendar.get(), Qt::Key_PageDown);
        QCOMPARE(calendar->shownMonth(), 5);
        QCOMPARE(range(), qMakePair(QDate(2025, 4, 1), QDate(2025, 4, 9)));
    }

    void headerArrowsChangeTheMonth()
    {
        auto* next = calendar->findChild<QToolButton*>("nextMonth");
        auto* previous = calendar->findChild<QToolButton*>("previousMonth");
        QVERIFY(next && previous);
        previous->click();
        previous->click();
        previous->click();
        QCOMPARE(qMakePair(calendar->shownYear(), calendar->shownMonth()), qMakePair(2024, 12));
        next->click();
        QCOMPARE(qMakePair(calendar->shownYear(), calendar->shownMonth()), qMakePair(2025, 1));
        QCOMPARE(range(), qMakePair(kMarch3, kMarch3));
    }
};

QTEST_MAIN(TestMonthRangeCalendar)
#include "tst_month_range_calendar.moc"
