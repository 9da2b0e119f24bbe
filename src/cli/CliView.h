#pragma once

#include <string_view>

#include "core/MonitorStatus.h"
#include "core/MonitorView.h"

namespace pulsewell::cli {

// The monitor's view on a terminal: status and error texts go to standard
// error behind "status: " and "error: ", unless the view keeps them quiet;
// what only a window shows is dropped. The alarms stay off, as the command
// line has no options dialog, and a terminal has no desktop to open files with.
class CliView : public MonitorView {
  public:
    explicit CliView(bool quiet = false) : quiet_(quiet) {}

    void ShowError(const QString& message) override;
    void ShowMessageBox(const QString& text, const QString& caption) override;
    // Each new status text of the monitor's own.
    void ShowStatus(const MonitorStatus& status);

    int ErrorCount() const { return errorCount_; }
    // The last status and error texts shown, printed or not.
    const QString& LastStatus() const { return lastStatus_; }
    const QString& LastError() const { return lastError_; }

  private:
    const bool quiet_;
    int errorCount_ = 0;
    QString lastStatus_;
    QString lastError_;
    // The status text seen last, whether discovery's news or not.
    QString seenStatus_;
    bool seenDiscoveryNews_ = false;
};

// One line to standard output or standard error, flushed at once so that a
// pipe sees every line as it happens.
void PrintOut(const QString& line);
void PrintErr(const QString& line);
// Bytes of whole lines to standard output as they are, flushed at once.
void WriteOut(std::string_view lines);

}  // namespace pulsewell::cli
