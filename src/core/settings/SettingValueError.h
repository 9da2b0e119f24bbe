#pragma once

#include <QStringList>

#include "core/OperationError.h"

namespace pulsewell {

// A value of the settings file or a start profile that names nothing the
// program knows: "'<value>' is no valid value for '<name>' in <file>
// (<expected>)". It is never replaced by a guess.
class SettingValueError : public OperationError {
  public:
    SettingValueError(const QString& name, const QString& value, const QString& file,
                      const QString& expected);
};

// "a, b or c": the choices a value has, for the error's <expected>.
QString ListOfChoices(const QStringList& choices);
// Each number as a text, for choices such as the intervals.
QStringList ChoiceTexts(const QList<int>& numbers);

// An interface's index as a setting gives it: a whole number from 1 to
// 2147483647, plain decimal.
bool IsInterfaceIndex(const QString& text);
QString InterfaceIndexChoices();

}  // namespace pulsewell
