#include "Messages.h"

#include <QApplication>
#include <QLabel>
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

// Room for the icon and the close button beside a box's title, and the widest box.
constexpr int kTitleBarButtons = 120;
constexpr int kWidestBox = 900;

// A box wide enough for its whole title: the window manager would cut a title longer than the
// text below it ("Usuario/Cont… encontrado").
int showBox(QMessageBox::Icon icon, const QString& text, const QString& title,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parentWindow());
    box.setDefaultButton(defaultButton);
    if (QLabel* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const int titleWidth = box.fontMetrics().horizontalAdvance(title) + kTitleBarButtons;
        label->setMinimumWidth(qMin(titleWidth, kWidestBox));
    }
    return box.exec();
}

} // namespace

void BoxMessageSink::error(const QString& text, const QString& title)
{
    showBox(QMessageBox::Critical, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

void BoxMessageSink::info(const QString& text, const QString& title)
{
    showBox(QMessageBox::Information, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool BoxMessageSink::question(const QString& text, const QString& title)
{
    return showBox(QMessageBox::Question, text, title, QMessageBox::Yes | QMessageBox::No,
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
