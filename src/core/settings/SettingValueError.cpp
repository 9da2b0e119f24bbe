#include "core/settings/SettingValueError.h"

#include <limits>

#include "core/numbers/NumberText.h"

namespace pulsewell {

SettingValueError::SettingValueError(const QString& name, const QString& value, const QString& file,
                                     const QString& expected)
    : OperationError(QStringLiteral("'%1' is no valid value for '%2' in %3 (%4)")
                         .arg(value, name, file, expected)) {}

QString ListOfChoices(const QStringList& choices) {
    if (choices.size() < 2) {
        return choices.join(QString());
    }
    return choices.first(choices.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           choices.last();
}

QStringList ChoiceTexts(const QList<int>& numbers) {
    QStringList texts;
    for (const int number : numbers) {
        texts.append(QString::number(number));
    }
    return texts;
}

bool IsInterfaceIndex(const QString& text) {
    const std::optional<std::int64_t> index = TryParseInt64(text);
    return index && *index >= 1 && *index <= std::numeric_limits<std::int32_t>::max();
}

QString InterfaceIndexChoices() {
    return QStringLiteral("an interface number from 1 up");
}

}  // namespace pulsewell
