#pragma once
// Demo enrolment: finger F of the generated set belongs to user (F - 1) / fingersPerUser + 1
// as finger indicator (F - 1) % fingersPerUser + 1. Impression 1 of every finger is enrolled;
// the other impressions are copied, named after their owner, into the reader folder.

#include <QString>
#include <QStringList>

class Db;

struct DemoEnrollmentPlan
{
    QString printsFolder;
    QString readerFolder;
    int fingersPerUser = 2;
    int users = 12;
};

struct DemoEnrollmentResult
{
    int enrolled = 0;
    int offered = 0;
    QStringList problems; // Spanish, one line each
};

// The user and finger indicator a generated finger stands for.
int demoUserOfFinger(int finger, int fingersPerUser);
int demoFingerIndicator(int finger, int fingersPerUser);

// File name under which the virtual reader offers an impression, e.g.
// "02 MARIA LOPEZ - dedo 1 - toma 3.png".
QString demoReaderFileName(int user, const QString& name, int indicator, int impression);

DemoEnrollmentResult enrollDemoFingers(Db& db, const DemoEnrollmentPlan& plan);
