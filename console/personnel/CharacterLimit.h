#pragma once
// A text box's length limit counted in characters, as the database counts a column's length.
// QLineEdit's own limit counts UTF-16 units, in which a character beyond the Basic
// Multilingual Plane ("😀") takes two: a name of the column's full length holding one would be
// cut when the box shows it, and saving the screen unchanged would store it cut.

#include <QValidator>

class QLineEdit;

class CharacterLimit : public QValidator
{
    Q_OBJECT
public:
    CharacterLimit(int characters, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    int characters_;
};

// Turns the box's maxLength (set to the column's length) into a limit in characters.
void limitCharacters(QLineEdit* box);
