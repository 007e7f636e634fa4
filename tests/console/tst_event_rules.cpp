// The rules of a manual event as tables: the accepted sequences of marks, midnight as no mark,
// and the schedule order by week parity.

#include "EventRules.h"

#include <QtTest>

using namespace EventRules;

class TestEventRules : public QObject
{
    Q_OBJECT

private slots:
    // Every combination of the four pickers: E = arrival, C = meal out, R = meal back, S = exit.
    void sequences_data()
    {
        QTest::addColumn<QString>("filled");
        QTest::addColumn<int>("sequence");
        const QString letters = QStringLiteral("ECRS");
        for (int mask = 0; mask < 16; ++mask) {
            QString filled;
            for (int bit = 0; bit < 4; ++bit)
                if (mask & (1 << bit))
                    filled += letters[bit];
            int expected = int(Sequence::Wrong);
            if (filled == "E")
                expected = int(Sequence::A);
            else if (filled == "EC")
                expected = int(Sequence::B);
            else if (filled == "ECR")
                expected = int(Sequence::C);
            else if (filled == "ECRS")
                expected = int(Sequence::D);
            QTest::newRow(qPrintable(filled.isEmpty() ? QStringLiteral("none") : filled))
                << filled << expected;
        }
    }
    void sequences()
    {
        QFETCH(QString, filled);
        QFETCH(int, sequence);
        // The times themselves do not matter: an exit before the arrival is still a sequence.
        Marks marks;
        if (filled.contains('E'))
            marks.entrada = QTime(18, 0);
        if (filled.contains('C'))
            marks.salidaBreak = QTime(14, 0);
        if (filled.contains('R'))
            marks.regresoBreak = QTime(15, 0);
        if (filled.contains('S'))
            marks.salida = QTime(8, 0);
        QCOMPARE(int(sequenceOf(marks)), sequence);
        QCOMPARE(closes(sequenceOf(marks)), sequence == int(Sequence::D));
    }

    void pickerMarks_data()
    {
        QTest::addColumn<QTime>("picker");
        QTest::addColumn<bool>("mark");
        QTest::newRow("midnight is no mark") << QTime(0, 0, 0) << false;
        QTest::newRow("one second past midnight") << QTime(0, 0, 1) << true;
        QTest::newRow("noon") << QTime(12, 0, 0) << true;
        QTest::newRow("last second") << QTime(23, 59, 59) << true;
    }
    void pickerMarks()
    {
        QFETCH(QTime, picker);
        QFETCH(bool, mark);
        QCOMPARE(markOf(picker).has_value(), mark);
    }

    void rotation_data()
    {
        QTest::addColumn<bool>("rotating");
        QTest::addColumn<int>("week");
        QTest::addColumn<int>("order");
        QTest::newRow("fixed, odd week") << false << 1 << 0;
        QTest::newRow("fixed, even week") << false << 2 << 0;
        QTest::newRow("rotating, week 0") << true << 0 << 2;
        QTest::newRow("rotating, week 1") << true << 1 << 1;
        QTest::newRow("rotating, week 2") << true << 2 << 2;
        QTest::newRow("rotating, week 52") << true << 52 << 2;
        QTest::newRow("rotating, week 53") << true << 53 << 1;
    }
    void rotation()
    {
        QFETCH(bool, rotating);
        QFETCH(int, week);
        QFETCH(int, order);
        QCOMPARE(rotationOrder(rotating, week), order);
    }
};

QTEST_GUILESS_MAIN(TestEventRules)
#include "tst_event_rules.moc"
