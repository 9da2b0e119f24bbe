#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "core/Monitor.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/support/TempHome.h"

namespace pulsewell::test {

// A monitor on a scripted device: interface 2 of 10.1.1.1 offered, the
// readings timed by a stepping clock.
class PolledMonitor : public ::testing::Test {
  protected:
    static inline const QString kOut = "1.3.6.1.2.1.2.2.1.16.2";
    static inline const QString kIn = "1.3.6.1.2.1.2.2.1.10.2";
    // The probe asks for the interface number field's interface until one is chosen.
    static inline const QString kSpeed = "1.3.6.1.2.1.2.2.1.5.1";

    PolledMonitor() {
        monitor.ResetAll();
        monitor.SetHost("10.1.1.1");
        monitor.OfferInterfaces({"2"});
        monitor.SetBandwidth("10000000");
    }

    void Counters(std::int64_t out, std::int64_t in) {
        reader.Answer(kOut, QString::number(out));
        reader.Answer(kIn, QString::number(in));
    }

    std::vector<int> SeriesCounts() {
        std::vector<int> counts;
        for (int i = 0; i < TrafficGraph::kSeriesCount; ++i) {
            counts.push_back(monitor.Graph().Series(static_cast<TrafficSeries>(i)).Count());
        }
        return counts;
    }

    TempHome home;
    RecordingView view;
    ScriptedDeviceReader reader;
    RecordingSoundPlayer player;
    Monitor monitor{view, reader, player};
    std::shared_ptr<SteppingClock> clock = UseSteppingClock(monitor);
};

}  // namespace pulsewell::test
