#include "OperationError.h"

namespace pulsewell {

OperationError::OperationError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

ConversionError::ConversionError(const QString& offendingText)
    : OperationError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(offendingText)) {}

bool RunGuarded(ErrorReporter& reporter, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const OperationError& error) {
        reporter.ShowError(error.Message());
        return false;
    }
}

}  // namespace pulsewell
