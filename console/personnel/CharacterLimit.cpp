#include "CharacterLimit.h"

#include <QLineEdit>
#include <utility>

CharacterLimit::CharacterLimit(int characters, QObject* parent)
    : QValidator(parent)
    , characters_(characters)
{
}

QValidator::State CharacterLimit::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    const qsizetype units = input.size();
    if (units <= characters_)
        return Acceptable;
    // Each surrogate pair counts once.
    qsizetype characters = units;
    for (const QChar unit : std::as_const(input))
        if (unit.isLowSurrogate())
            --characters;
    return characters <= characters_ ? Acceptable : Invalid;
}

void limitCharacters(QLineEdit* box)
{
    const int characters = box->maxLength();
    // Every character fits, even when each takes two units; the validator holds the count.
    box->setMaxLength(2 * characters);
    box->setValidator(new CharacterLimit(characters, box));
}
