#include "FingerNames.h"

QStringList fingerNames()
{
    return {QStringLiteral("Izquierdo Pulgar"),  QStringLiteral("Izquierdo Índice"),
            QStringLiteral("Izquierdo Medio"),   QStringLiteral("Izquierdo Anular"),
            QStringLiteral("Izquierdo Meñique"), QStringLiteral("Derecho Pulgar"),
            QStringLiteral("Derecho Índice"),    QStringLiteral("Derecho Medio"),
            QStringLiteral("Derecho Anular"),    QStringLiteral("Derecho Meñique")};
}

QString fingerName(int numFing)
{
    if (numFing < 0 || numFing >= kFingerCount)
        return QString::number(numFing);
    return fingerNames().at(numFing);
}
