#include "KeyFilters.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

QChar upperKey(QChar typed)
{
    return typed.toUpper();
}

QChar digitKey(QChar typed)
{
    if (typed == QChar(8) || (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')))
        return typed;
    return QChar(0);
}

KeyFilter::KeyFilter(Kind kind, QObject* parent)
    : QObject(parent)
    , kind_(kind)
{
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || resending_)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (widget) {
            // Like a Tab keystroke: the next control in tab order takes the focus.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            resending_ = true;
            QApplication::sendEvent(widget, &tab);
            resending_ = false;
        }
        return true;
    }
    const QString text = key->text();
    if (text.size() != 1 || !text[0].isPrint()) {
        // Navigation and editing keys (arrows, Delete, Backspace, Tab) pass unchanged.
        if (kind_ == Kind::Digits && !text.isEmpty() && text[0] != QChar(8) && text[0].isPrint())
            return true;
        return false;
    }
    const QChar typed = text[0];
    const QChar result = kind_ == Kind::Upper ? upperKey(typed) : digitKey(typed);
    if (result.isNull())
        return true;
    if (result == typed)
        return false;
    QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), QString(result),
                       key->isAutoRepeat(), key->count());
    resending_ = true;
    QApplication::sendEvent(watched, &replaced);
    resending_ = false;
    return true;
}

void KeyUpper(QWidget* box)
{
    box->installEventFilter(new KeyFilter(KeyFilter::Kind::Upper, box));
}

void KeyDigits(QWidget* box)
{
    box->installEventFilter(new KeyFilter(KeyFilter::Kind::Digits, box));
}
