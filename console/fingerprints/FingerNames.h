#pragma once
// The ten finger indicators of enrolment, in the order of the finger list: a finger's position
// in the list is the NumFing stored with its template.

#include <QString>
#include <QStringList>

inline constexpr int kFingerCount = 10;

// The ten names, NumFing 0 to 9.
QStringList fingerNames();

// The name of one indicator; an indicator outside the ten (written by other means) shows as its
// number, so that it can still be seen and deleted.
QString fingerName(int numFing);
