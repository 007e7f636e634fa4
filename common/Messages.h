#pragma once
// The programs' message boxes: text first, title second. Every box goes through the current
// MessageSink so that tests can record the boxes and answer the questions without a modal loop.

#include <QString>

class QWidget;

class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void error(const QString& text, const QString& title) = 0;
    virtual void info(const QString& text, const QString& title) = 0;
    virtual bool question(const QString& text, const QString& title) = 0; // true = Yes
};

// Real modal boxes (error or information icon with OK; question icon with Yes/No, No default).
class BoxMessageSink : public MessageSink
{
public:
    void error(const QString& text, const QString& title) override;
    void info(const QString& text, const QString& title) override;
    bool question(const QString& text, const QString& title) override;
};

// Installs a sink (nullptr restores the real boxes); the caller keeps ownership.
void setMessageSink(MessageSink* sink);
MessageSink& messageSink();

void ShowError(const QString& text, const QString& title);
void ShowInfo(const QString& text, const QString& title);
bool AskYesNo(const QString& text, const QString& title);
