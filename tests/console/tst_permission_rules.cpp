// The rules of permissions as tables: periods sharing a day, the permission being changed left
// out of the check, the period's day count, the kinds' list texts and filter boxes,
// and the fields a save needs.

#include "PermissionRules.h"

#include <QtTest>

using namespace PermissionRules;

namespace {

QDate d(const char* text)
{
    return QDate::fromString(QString::fromLatin1(text), Qt::ISODate);
}

} // namespace

class TestPermissionRules : public QObject
{
    Q_OBJECT

private slots:
    // A stored period 10 to 20 March against a wanted one.
    void overlapsStoredPeriod_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<bool>("shared");
        QTest::newRow("wholly inside") << d("2025-03-12") << d("2025-03-15") << true;
        QTest::newRow("wholly around") << d("2025-03-01") << d("2025-03-31") << true;
        QTest::newRow("the same period") << d("2025-03-10") << d("2025-03-20") << true;
        QTest::newRow("partly over the start") << d("2025-03-05") << d("2025-03-10") << true;
        QTest::newRow("partly over the end") << d("2025-03-20") << d("2025-03-25") << true;
        QTest::newRow("one day inside") << d("2025-03-14") << d("2025-03-14") << true;
        QTest::newRow("ends the day before") << d("2025-03-01") << d("2025-03-09") << false;
        QTest::newRow("starts the day after") << d("2025-03-21") << d("2025-03-30") << false;
        QTest::newRow("a year later") << d("2026-03-12") << d("2026-03-15") << false;
    }
    void overlapsStoredPeriod()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(bool, shared);
        const Period stored{d("2025-03-10"), d("2025-03-20")};
        QCOMPARE(overlaps(stored, Period{start, end}), shared);
        QCOMPARE(overlaps(Period{start, end}, stored), shared);
    }

    // Two stored permissions: 7 (1 to 5 May) and 9 (10 to 12 May).
    void firstOverlapLeavesOutTheOwnPermission_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<int>("own");
        QTest::addColumn<int>("found"); // 0 = none
        QTest::newRow("new, over 7") << d("2025-05-03") << d("2025-05-04") << 0 << 7;
        QTest::newRow("new, over 9") << d("2025-05-12") << d("2025-05-15") << 0 << 9;
        QTest::newRow("new, over both: the first") << d("2025-05-01") << d("2025-05-31") << 0 << 7;
        QTest::newRow("new, between them") << d("2025-05-06") << d("2025-05-09") << 0 << 0;
        QTest::newRow("7 moved within its own days")
            << d("2025-05-02") << d("2025-05-06") << 7 << 0;
        QTest::newRow("7 stretched onto 9") << d("2025-05-02") << d("2025-05-10") << 7 << 9;
        QTest::newRow("9 stretched back onto 7") << d("2025-05-05") << d("2025-05-12") << 9 << 7;
        QTest::newRow("an unknown own number leaves nothing out")
            << d("2025-05-01") << d("2025-05-01") << 8 << 7;
    }
    void firstOverlapLeavesOutTheOwnPermission()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(int, own);
        QFETCH(int, found);
        const QList<StoredPeriod> stored{{7, {d("2025-05-01"), d("2025-05-05")}},
                                         {9, {d("2025-05-10"), d("2025-05-12")}}};
        const std::optional<int> result = firstOverlap(stored, Period{start, end}, own);
        QCOMPARE(result.value_or(0), found);
    }

    void daysLabels_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("days");
        QTest::newRow("one day") << d("2025-06-02") << d("2025-06-02") << "Días del Periodo: 1";
        QTest::newRow("a weekend counts")
            << d("2025-06-06") << d("2025-06-09") << "Días del Periodo: 4";
        QTest::newRow("across February of a leap year")
            << d("2024-02-27") << d("2024-03-01") << "Días del Periodo: 4";
        QTest::newRow("across the year")
            << d("2025-12-30") << d("2026-01-02") << "Días del Periodo: 4";
        QTest::newRow("the longest pick")
            << d("2025-01-01") << d("2025-04-10") << "Días del Periodo: 100";
    }
    void daysLabels()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, days);
        QCOMPARE(daysLabel(Period{start, end}), days);
    }

    void kindTexts_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("filterBox");
        QTest::newRow("1") << 1 << "Llegar Tarde" << 1;
        QTest::newRow("2") << 2 << "Salir Temprano" << 2;
        QTest::newRow("3") << 3 << "No Asistir Sin Goce Sueldo" << 3;
        QTest::newRow("4") << 4 << "No Asistir Con Goce Sueldo" << 4;
        QTest::newRow("5") << 5 << "Vacaciones" << 5;
        QTest::newRow("6") << 6 << "Sanción" << 6;
        QTest::newRow("7") << 7 << "Incapacidad" << 7;
        QTest::newRow("9, unknown") << 9 << "Incapacidad" << 7;
        QTest::newRow("0, unknown") << 0 << "Incapacidad" << 7;
    }
    void kindTexts()
    {
        QFETCH(int, tipo);
        QFETCH(QString, label);
        QFETCH(int, filterBox);
        QCOMPARE(kindLabel(tipo), label);
        QCOMPARE(kindOfLabel(label), filterBox);
    }

    void completeEntry_data()
    {
        QTest::addColumn<QString>("motivo");
        QTest::addColumn<QString>("autoriza");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<bool>("complete");
        QTest::newRow("both given") << "CITA MÉDICA"
                                    << "GERENCIA" << d("2025-01-02") << true;
        QTest::newRow("no reason") << ""
                                   << "GERENCIA" << d("2025-01-02") << false;
        QTest::newRow("no authoriser") << "CITA"
                                       << "" << d("2025-01-02") << false;
        QTest::newRow("blanks are no reason") << "   "
                                              << "GERENCIA" << d("2025-01-02") << false;
        QTest::newRow("no first day") << "CITA"
                                      << "GERENCIA" << QDate() << false;
    }
    void completeEntry()
    {
        QFETCH(QString, motivo);
        QFETCH(QString, autoriza);
        QFETCH(QDate, start);
        QFETCH(bool, complete);
        QCOMPARE(PermissionRules::complete(Entry{Period{start, start}, motivo, autoriza}),
                 complete);
    }
};

QTEST_GUILESS_MAIN(TestPermissionRules)
#include "tst_permission_rules.moc"
