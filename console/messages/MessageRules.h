#pragma once
// The checks of the message screens, from the values on screen to the first problem found:
// which control takes the focus and the error box to show.

#include <optional>
#include <QString>

struct MessageProblem
{
    QString control; // objectName of the control to correct
    QString text;
    QString title;
};

// Subject and text of a personal message, and how many employees would receive it.
std::optional<MessageProblem> checkPersonalMessage(const QString& asunto, const QString& texto,
                                                   int recipients);

// A location message and how many locations would receive it.
std::optional<MessageProblem> checkLocationMessage(const QString& mensaje, int locations);
