#pragma once

#include <QEventLoop>
#include <functional>
#include <optional>

#include "cli/CliArguments.h"
#include "cli/CliView.h"
#include "core/Monitor.h"
#include "core/device/DeviceReader.h"
#include "core/device/SoundPlayer.h"

namespace pulsewell::cli {

// Where the monitor's words go.
enum class Echo {
    // The message list's lines to standard output, status and errors to standard error.
    Lines,
    // Everything to standard error: standard output carries records.
    Aside,
    // Nothing printed: the command says what happened in its own words.
    Quiet,
};

// The monitor as the command line runs it: reset as at program start, but
// leaving hostfile.txt and the stored settings alone, pointed at one host,
// its message-list lines printed as they are added, and without sound (the
// alarms need the options dialog). The SNMP version and the SNMPv3 settings
// are the stored ones unless the command line names them.
class CliMonitor {
  public:
    CliMonitor(DeviceReader& reader, const QString& host, const QString& community,
               std::optional<SnmpVersion> version, const ConnectionOptions& connection = {},
               Echo echo = Echo::Lines);

    Monitor& monitor() { return monitor_; }
    // Runs the command and waits until the monitor emits `ended`.
    template <typename Signal>
    void Await(Signal ended, const std::function<void()>& command) {
        QEventLoop loop;
        bool over = false;
        const QMetaObject::Connection connection = QObject::connect(&monitor_, ended, [&] {
            over = true;
            loop.quit();
        });
        command();
        if (!over) {
            loop.exec();
        }
        QObject::disconnect(connection);
    }
    // Errors and message boxes shown so far.
    int ErrorCount() const { return view_.ErrorCount(); }
    const CliView& View() const { return view_; }
    // A line as the message list's lines are printed.
    void PrintLine(const QString& line) const;

  private:
    class SilentPlayer : public SoundPlayer {
      public:
        void Play(const QString&) override {}
    };

    const Echo echo_;
    CliView view_;
    SilentPlayer player_;
    Monitor monitor_;
};

}  // namespace pulsewell::cli
