#include "core/OperationError.h"

namespace pulsewell {

OperationError::OperationError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

ConversionError::ConversionError(const QString& offendingText)
    : OperationError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(offendingText)) {}

FileError::FileError(const QString& path, const QString& reason)
    : OperationError(QStringLiteral("E/A-Fehler: %1 (%2)").arg(path, reason)) {}

MediaError::MediaError(const QString& path, const QString& reason)
    : OperationError(QStringLiteral("MCI-Fehler: %1 (%2)").arg(path, reason)) {}

SoundDeviceError::SoundDeviceError(const QString& device, const QString& path,
                                   const QString& reason)
    : OperationError(QStringLiteral("MCI-Fehler: sound device \"%1\" (ALSA: %2) could not play %3")
                         .arg(device, reason, path)) {}

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
