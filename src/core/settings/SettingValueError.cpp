#include "SettingValueError.h"

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

}  // namespace pulsewell
