// Who may punch after the lookup: the day's facts against the admission rule.

#include "PunchAdmission.h"

#include <QtTest>

using PunchAdmission::Admission;

class TestPunchAdmission : public QObject
{
    Q_OBJECT

private slots:
    void admission_data()
    {
        QTest::addColumn<bool>("assignment");
        QTest::addColumn<bool>("scheduleToday");
        QTest::addColumn<bool>("dayClosed");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("text");
        const QString complete = "El usuario ya tiene completo su horario para este día";
        const QString unassigned = "El usuario No tiene horario Asignado, Pida apoyo a Personal";
        const QString noDay = "El Usuario No tiene Asignado Horario para este día!!!";
        QTest::newRow("working day, assigned, open")
            << true << true << false << int(Admission::MayPunch) << QString();
        QTest::newRow("closed day wins over everything")
            << true << true << true << int(Admission::DayComplete) << complete;
        QTest::newRow("closed day without schedule today")
            << true << false << true << int(Admission::DayComplete) << complete;
        QTest::newRow("closed day without assignment")
            << false << true << true << int(Admission::DayComplete) << complete;
        QTest::newRow("working day without assignment")
            << false << true << false << int(Admission::WithoutAssignment) << unassigned;
        QTest::newRow("day off, assigned")
            << true << false << false << int(Admission::NoScheduleToday) << noDay;
        QTest::newRow("nothing at all")
            << false << false << false << int(Admission::NoScheduleToday) << noDay;
    }
    void admission()
    {
        QFETCH(bool, assignment);
        QFETCH(bool, scheduleToday);
        QFETCH(bool, dayClosed);
        QFETCH(int, expected);
        QFETCH(QString, text);
        const Admission admission = PunchAdmission::admit({assignment, scheduleToday, dayClosed});
        QCOMPARE(int(admission), expected);
        QCOMPARE(PunchAdmission::refusalText(admission), text);
    }
};

QTEST_APPLESS_MAIN(TestPunchAdmission)
#include "tst_punch_admission.moc"
