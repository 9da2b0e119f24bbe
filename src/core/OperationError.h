#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

namespace pulsewell {

// An error that stops the running operation: it unwinds to the handler's guard,
// which shows the standard error box; nothing done before it is rolled back.
class OperationError : public std::runtime_error {
  public:
    explicit OperationError(const QString& message);
    QString Message() const { return message_; }

  private:
    QString message_;
};

// A text that should have been an integer.
class ConversionError : public OperationError {
  public:
    explicit ConversionError(const QString& offendingText);
};

// A file that could not be created, read or written.
class FileError : public OperationError {
  public:
    FileError(const QString& path, const QString& reason);
};

// A sound file that could not be opened or played.
class MediaError : public OperationError {
  public:
    MediaError(const QString& path, const QString& reason);
};

// The sound device that could not play a file: the device is what to mend.
class SoundDeviceError : public OperationError {
  public:
    SoundDeviceError(const QString& device, const QString& path, const QString& reason);
};

// Where the guard sends the message of a stopped operation.
class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;
    virtual void ShowError(const QString& message) = 0;
};

// Runs one event handler; an OperationError ends it and is reported, so the
// next event or timer tick starts from a clean slate. Returns false if it stopped.
bool RunGuarded(ErrorReporter& reporter, const std::function<void()>& handler);

}  // namespace pulsewell
