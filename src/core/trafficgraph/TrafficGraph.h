#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <deque>

#include "core/ProgramDefaults.h"
#include "core/trafficgraph/SeriesHistory.h"
#include "graph/ColorValue.h"

namespace pulsewell {

// The three choices of the "Graph type" group.
enum class TGraphType { Separate, Combined, Utilization };

// The graph's seven series, in the order of their numbers.
enum class TrafficSeries {
    InBits,
    OutBits,
    CombinedBits,
    InBytes,
    OutBytes,
    CombinedBytes,
    // Percent of the bandwidth, drawn as bars coloured by the thresholds.
    Utilization,
};

// One caption beside the graph area.
struct TGraphCaption {
    QString Text;
    bool Visible = true;
};

// The captions to the right of the graph area, top to bottom. Their tops,
// relative to the top of the graph area: Top -4, ThreeQuarter 37, Half 77,
// Quarter 121, Bottom 163; Unit 163 to the right of Bottom; each percent
// caption at the position of the value caption of the same quarter.
struct TGraphCaptions {
    TGraphCaption Top{QStringLiteral("100")};
    TGraphCaption ThreeQuarter{QStringLiteral("75")};
    TGraphCaption Half{QStringLiteral("50")};
    TGraphCaption Quarter{QStringLiteral("25")};
    TGraphCaption Bottom{QStringLiteral("0")};
    TGraphCaption Unit{QStringLiteral("Bit/sec")};
    TGraphCaption Percent100{QStringLiteral("100%"), false};
    TGraphCaption Percent75{QStringLiteral("75%"), false};
    TGraphCaption Percent50{QStringLiteral("50%"), false};
    TGraphCaption Percent25{QStringLiteral("25%"), false};
};

// The utilization bars' thresholds (percent, low 32 bits kept) and colours.
struct TUtilizationBars {
    std::int32_t LowThreshold = 30;
    std::int32_t HighThreshold = defaults::kHighThreshold;
    TColor LowColor = 0x00FF00;
    TColor MidColor = 0x00FFFF;
    TColor HighColor = 0x0000FF;

    bool operator==(const TUtilizationBars&) const = default;
};

// The main window's traffic graph without its drawing: the seven series, the
// graph type and unit, which series show, the horizontal grid spacing, the
// utilization bars' thresholds and colours, and the captions beside the graph.
// Whatever draws it follows its signals; nothing here draws.
//
// How the monitor uses it:
// - ResetAll: first SetUp(); with the stored settings, SetShowBytes() and the
//   stored thresholds; where it applies the graph type, ApplyGraphType(chosen
//   type, ShowBytes); where it clears the graph, ClearSeries() then Graphupdate().
// - A click on a "Graph type" choice: ApplyGraphType(type, ShowBytes).
// - Poll cycle: MarkPoll(), AddSample() for each series, then Graphupdate().
// - The drawing's width changes: SetShownSamples() with the samples that fit.
// - "&Start polling" and host change: ClearSeries(), Graphupdate().
// - Interface selection: ClearSeries(), Graphupdate(), ZeroScaleCaptions().
// - Options OK: SetShowBytes(), thresholds and colours, then Graphupdate().
class TrafficGraph : public QObject {
    Q_OBJECT

  public:
    static constexpr int kSeriesCount = 7;
    // Samples the 690-pixel graph area shows.
    static constexpr int kShownAtStart = 230;
    // Samples each series keeps: the widest graph, 7680 pixels at three a
    // sample, so a window grown on any screen shows all the history it can.
    static constexpr int kHeldSamples = 2560;

    explicit TrafficGraph(QObject* parent = nullptr);

    // Empty series, the grid spacing and the bars' thresholds and colours as
    // at the start; the graph type, unit and captions stay.
    void SetUp();

    // Series visibility and caption visibility for the type and unit, then Graphupdate.
    void ApplyGraphType(TGraphType type, bool showBytes);

    // Visibility, grid spacing and scale captions from the series maxima;
    // the drawing follows.
    void Graphupdate();

    // Sets the unit the graph shows and the unit caption; shown from the next Graphupdate.
    void SetShowBytes(bool showBytes);

    // Empties all seven series; the picture changes with the next Graphupdate.
    void ClearSeries();

    void AddSample(TrafficSeries series, std::int64_t value);
    // When the poll whose samples follow was taken, and its utilization in
    // percent as measured (the utilization series holds it rounded).
    void MarkPoll(const QDateTime& time, double utilization);

    // How many of the newest samples the drawing has room for (1 to
    // kHeldSamples); the scale captions follow them. Then Graphupdate.
    void SetShownSamples(int count);
    int ShownSamples() const { return shown_; }

    // Drawn from the next Graphupdate.
    void SetLowThreshold(std::int64_t percent);
    void SetHighThreshold(std::int64_t percent);
    void SetLowColor(TColor color) { bars_.LowColor = color; }
    void SetMidColor(TColor color) { bars_.MidColor = color; }
    void SetHighColor(TColor color) { bars_.HighColor = color; }

    // The top, three-quarter, half and quarter captions read "0".
    void ZeroScaleCaptions();

    TGraphType GraphType() const { return type_; }
    bool ShowBytes() const { return showBytes_; }
    const TGraphCaptions& Captions() const { return captions_; }
    const SeriesHistory& Series(TrafficSeries series) const {
        return series_[static_cast<std::size_t>(series)];
    }
    // The times of the polls held, oldest first; the newest belongs to the
    // newest sample of every series that received one.
    const std::deque<QDateTime>& PollTimes() const { return pollTimes_; }
    // The utilization of each of those polls as measured.
    const std::deque<double>& PollUtilizations() const { return pollUtilizations_; }
    bool Visible(TrafficSeries series) const { return visible_[static_cast<std::size_t>(series)]; }
    // Value units between two horizontal grid lines.
    std::int64_t GridY() const { return gridY_; }
    const TUtilizationBars& Bars() const { return bars_; }

  signals:
    // SetUp: whatever draws the graph starts afresh.
    void Restarted();
    // ClearSeries: the series were emptied.
    void SeriesCleared();
    void SampleAdded(TrafficSeries series, std::int64_t value);
    // The picture is due to be drawn anew (SetUp, Graphupdate); Changed follows.
    void RedrawDue();
    // The picture or a caption changed: show them again.
    void Changed();

  private:
    void SetSeriesVisibility();
    std::int64_t LargestShownValue() const;
    void UpdateScale(std::int64_t largest);

    std::array<SeriesHistory, kSeriesCount> series_;
    std::deque<QDateTime> pollTimes_;
    std::deque<double> pollUtilizations_;
    int shown_ = kShownAtStart;
    std::array<bool, kSeriesCount> visible_{};
    std::int64_t gridY_ = 10;
    TUtilizationBars bars_;
    TGraphType type_ = TGraphType::Separate;
    bool showBytes_ = false;
    TGraphCaptions captions_;
};

}  // namespace pulsewell
