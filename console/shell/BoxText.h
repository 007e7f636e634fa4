#pragma once
// A box's length limit holds what a person types, not what the program puts into it: a user
// number chosen in the search dialog goes into the number box whole, however long it is.

class QLineEdit;
class QString;

// Puts `text` into the box in full. The box's typing limit is lifted only as far as the text
// needs and comes back as soon as the box holds a text that fits it again.
void putWholeText(QLineEdit* box, const QString& text);
