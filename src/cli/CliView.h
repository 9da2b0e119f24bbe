#pragma once

#include <string_view>

#include "core/MonitorView.h"

namespace pulsewell::cli {

// The monitor's view on a terminal: status and error texts go to standard
// error behind "status: " and "error: ", unless the view keeps them quiet;
// what only a window shows is dropped. The alarms stay off, as the command
// line has no options dialog.
class CliView : public MonitorView {
  public:
    explicit CliView(bool quiet = false) : quiet_(quiet) {}

    void ShowError(const QString& message) override;
    void SetStatusText(int panel, const QString& text) override;
    void ShowMessageBox(const QString& text, const QString& caption) override;
    void SetCommandEnabled(MonitorCommand, bool) override {}
    void ShowCompactLayout() override {}
    void ShowHosts(const QStringList&, const QString&) override {}
    void ShowBandwidth(const QString&) override {}
    void ShowInterfaceList(const QStringList&, int, bool) override {}
    void ShowTotals(std::int64_t, std::int64_t, std::int64_t) override {}
    void SetCommunityReadOnly(bool) override {}
    void ShowCommunity(const QString&) override {}
    void ShowInterval(int) override {}
    void ShowLogSwitches(bool, bool, bool) override {}
    TAlarmSettings CurrentAlarmSettings() const override { return {}; }
    // A terminal has no desktop to open files with; the command line never exports.
    bool OpenDocument(const QString&) override { return false; }

    int ErrorCount() const { return errorCount_; }
    // The last status and error texts shown, printed or not.
    const QString& LastStatus() const { return lastStatus_; }
    const QString& LastError() const { return lastError_; }

  private:
    const bool quiet_;
    int errorCount_ = 0;
    QString lastStatus_;
    QString lastError_;
};

// One line to standard output or standard error, flushed at once so that a
// pipe sees every line as it happens.
void PrintOut(const QString& line);
void PrintErr(const QString& line);
// Bytes of whole lines to standard output as they are, flushed at once.
void WriteOut(std::string_view lines);

}  // namespace pulsewell::cli
