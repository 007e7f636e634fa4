#pragma once
// Key-press filters of the text boxes. KeyUpper turns typed letters (ñ and accented letters
// included) to upper case; KeyDigits lets only digits and Backspace through. In both, Enter is
// swallowed and moves the focus to the next control. Pasted text is not filtered.

#include <QObject>

class QWidget;

// Character-level rules: return the character to insert, or 0 to swallow the key.
QChar upperKey(QChar typed);
QChar digitKey(QChar typed);

class KeyFilter : public QObject
{
    Q_OBJECT
public:
    enum class Kind
    {
        Upper,
        Digits
    };
    KeyFilter(Kind kind, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Kind kind_;
    bool resending_ = false;
};

// Attach a filter to a text box (the filter lives as long as the box).
void KeyUpper(QWidget* box);
void KeyDigits(QWidget* box);
