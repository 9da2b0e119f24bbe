#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

#include "TRAG.h"

namespace pulsewell {

// The three choices of the "Graph type" group.
enum class TGraphType { Separate, Combined, Utilization };

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

// The main window's traffic graph, without the window: the engine with its
// seven series, the graph type and unit, the captions beside the graph and
// the current picture.
//
// How the window uses it:
// - Own one TrafficGraph. Connect Changed() to a slot that shows Picture()
//   (690 x 170) in the graph area and copies Captions() into the caption
//   labels (text and visibility of each).
// - ResetAll: first SetUp(); when the stored settings are loaded,
//   SetShowBytes() and the thresholds and colours that are stored
//   (SetLowThreshold(), SetHighThreshold(), SetLowColor(), SetMidColor(),
//   SetHighColor()); where it applies the graph type, ApplyGraphType(chosen
//   type, ShowBytes); where it clears the graph, ClearSeries() then Graphupdate().
// - A click on a "Graph type" choice: ApplyGraphType(type, ShowBytes).
// - Poll cycle: AddSample(series, value) for each series number 0..6, then
//   Graphupdate().
// - "&Start polling" and host change: ClearSeries(), Graphupdate() (the host
//   change applies the graph type first, like ResetAll).
// - Interface selection: ClearSeries(), Graphupdate(), ZeroScaleCaptions().
// - Options OK: SetShowBytes(), thresholds and colours, then Graphupdate().
// Everything runs on the window's thread.
class TrafficGraph : public QObject {
    Q_OBJECT

  public:
    static constexpr int kWidth = 690;
    static constexpr int kHeight = 170;
    static constexpr int kSeriesCount = 7;
    static constexpr int kCapacity = 230;
    static constexpr int kUtilizationSeries = 6;

    explicit TrafficGraph(QObject* parent = nullptr);
    ~TrafficGraph() override;

    // Builds a new engine with the seven empty series (replacing the old one)
    // and draws its first picture. The graph type, unit and captions stay.
    void SetUp(int width = kWidth, int height = kHeight);

    // Series visibility and caption visibility for the type and unit, then Graphupdate.
    void ApplyGraphType(TGraphType type, bool showBytes);

    // Visibility, grid spacing and scale captions from the series maxima, then a redraw.
    void Graphupdate();

    // Sets the unit the graph shows and the unit caption; shown from the next Graphupdate.
    void SetShowBytes(bool showBytes);

    // Empties all seven series; the picture changes with the next Graphupdate.
    void ClearSeries();

    // Appends a sample to series 0..6 (other numbers are ignored).
    void AddSample(int series, std::int64_t value);

    // Thresholds (percent, low 32 bits kept) and bar colours (0x00BBGGRR) of
    // the utilization bars; drawn from the next Graphupdate.
    void SetLowThreshold(std::int64_t percent);
    void SetHighThreshold(std::int64_t percent);
    void SetLowColor(TColor color);
    void SetMidColor(TColor color);
    void SetHighColor(TColor color);

    // The top, three-quarter, half and quarter captions read "0".
    void ZeroScaleCaptions();

    TGraphType GraphType() const { return type_; }
    bool ShowBytes() const { return showBytes_; }
    const TGraphCaptions& Captions() const { return captions_; }
    const QImage& Picture() const { return engine_->Picture(); }
    const TRAG& Engine() const { return *engine_; }

  signals:
    // The picture or a caption changed: show them again.
    void Changed();

  private:
    void SetSeriesVisibility();
    std::int64_t LargestShownValue() const;
    void UpdateScale(std::int64_t largest);

    std::unique_ptr<TRAG> engine_;
    TGraphType type_ = TGraphType::Separate;
    bool showBytes_ = false;
    TGraphCaptions captions_;
};

}  // namespace pulsewell
