#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageSink*& currentSink()
{
    static MessageSink* sink = nullptr;
    return sink;
}

QWidget* parentWindow()
{
    return QApplication::activeWindow();
}

} // namespace

void BoxMessageSink::error(const QString& text, const QString& title)
{
    QMessageBox::critical(parentWindow(), title, text, QMessageBox::Ok);
}

void BoxMessageSink::info(const QString& text, const QString& title)
{
    QMessageBox::information(parentWindow(), title, text, QMessageBox::Ok);
}

bool BoxMessageSink::question(const QString& text, const QString& title)
{
    return QMessageBox::question(parentWindow(), title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void setMessageSink(MessageSink* sink)
{
    currentSink() = sink;
}

MessageSink& messageSink()
{
    static BoxMessageSink boxes;
    MessageSink* sink = currentSink();
    return sink ? *sink : boxes;
}

void ShowError(const QString& text, const QString& title)
{
    messageSink().error(text, title);
}

void ShowInfo(const QString& text, const QString& title)
{
    messageSink().info(text, title);
}

bool AskYesNo(const QString& text, const QString& title)
{
    return messageSink().question(text, title);
}
