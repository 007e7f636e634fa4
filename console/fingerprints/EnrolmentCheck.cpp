#include "EnrolmentCheck.h"

#include "WholeNumber.h"

std::optional<EnrolmentProblem> enrolmentProblem(const EnrolmentForm& form)
{
    using Focus = EnrolmentProblem::Focus;
    if (form.lastQuality == kCaptureStored)
        return EnrolmentProblem{QStringLiteral("No se Puede registrar la misma huella mas de una "
                                               "vez!!"),
                                QStringLiteral("Tome la huella del Dedo seleccionado"), Focus::None,
                                true};
    if (form.lastQuality != 1 && form.lastQuality != 2)
        return EnrolmentProblem{QStringLiteral("La calidad de la huella debe ser Excelente!!"),
                                QStringLiteral("Calidad de huella"), Focus::None, true};
    if (form.finger < 0)
        return EnrolmentProblem{QStringLiteral("Es necesario seleccionar indicador de huella "
                                               "antes de continuar."),
                                QStringLiteral("Sin indicador de Huella"), Focus::Finger, false};
    if (form.listed.contains(form.finger))
        return sameFingerTwice();
    // A number is needed, not only some text: the template is stored under it.
    if (!wholeNumber(form.userText))
        return EnrolmentProblem{QStringLiteral("No se ha capturado un número válido de usuario. "
                                               "Es necesario hacerlo antes de registrar huellas"),
                                QStringLiteral("Sin Usuario"), Focus::User, false};
    return std::nullopt;
}

EnrolmentProblem sameFingerTwice()
{
    return {QStringLiteral("No es posible registrar la misma huella dos veces"),
            QStringLiteral("Mismo indicador de Huella"), EnrolmentProblem::Focus::Finger, false};
}
