#pragma once
// Records the message boxes a screen shows and answers its questions from a queue.

#include "Messages.h"

#include <QList>
#include <QString>

namespace testing {

struct Box
{
    QString kind; // "error", "info" or "question"
    QString text;
    QString title;
};

class RecordingMessages : public MessageSink
{
public:
    RecordingMessages() { setMessageSink(this); }
    ~RecordingMessages() override { setMessageSink(nullptr); }

    void error(const QString& text, const QString& title) override
    {
        boxes << Box{"error", text, title};
    }
    void info(const QString& text, const QString& title) override
    {
        boxes << Box{"info", text, title};
    }
    bool question(const QString& text, const QString& title) override
    {
        boxes << Box{"question", text, title};
        return answers.isEmpty() ? false : answers.takeFirst();
    }

    QList<Box> boxes;
    QList<bool> answers; // answers to the next questions; No when empty
};

// Replaces the fatal-error path of the connection: failures are recorded instead of ending.
struct FatalRecorder
{
    FatalRecorder();
    ~FatalRecorder();
    QStringList failures;
};

} // namespace testing
