#include "BoxText.h"

#include <algorithm>
#include <QLineEdit>

namespace {

// The limit the box was designed with, kept on the box the first time it is lifted.
const char* const kTypedLimit = "typedLimit";

} // namespace

void putWholeText(QLineEdit* box, const QString& text)
{
    QVariant limit = box->property(kTypedLimit);
    if (!limit.isValid()) {
        limit = box->maxLength();
        box->setProperty(kTypedLimit, limit);
        QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& now) {
            const int typed = box->property(kTypedLimit).toInt();
            if (box->maxLength() > typed && now.size() <= typed)
                box->setMaxLength(typed);
        });
    }
    box->setMaxLength(std::max(limit.toInt(), int(text.size())));
    box->setText(text);
}
