#pragma once

#include <QEventLoop>
#include <functional>
#include <optional>

#include "CliArguments.h"
#include "CliView.h"
#include "DeviceReader.h"
#include "Monitor.h"
#include "SoundPlayer.h"

namespace pulsewell::cli {

// The monitor as the command line runs it: reset as at program start, but
// leaving hostfile.txt alone, pointed at one host, its message-list lines
// printed to standard output as they are added, and without sound (the
// alarms need the options dialog). The SNMP version and the SNMPv3 settings
// are the stored ones unless the command line names them.
class CliMonitor {
  public:
    CliMonitor(DeviceReader& reader, const ConnectionOptions& connection);

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

  private:
    class SilentPlayer : public SoundPlayer {
      public:
        void Play(const QString&) override {}
    };

    CliView view_;
    SilentPlayer player_;
    Monitor monitor_;
};

}  // namespace pulsewell::cli
