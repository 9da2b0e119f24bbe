#pragma once

#include <QImage>
#include <QString>
#include <functional>

#include "app/MessageBoxes.h"
#include "core/OperationError.h"
#include "core/trafficgraph/TrafficGraph.h"

class QWidget;

namespace pulsewell {

// Keeps what the graph shows: its picture as PNG, its samples as CSV. Asks
// for the file with the standard dialog, starting in the folder used last
// (stored in the settings file); a file that cannot be written goes to the
// error box.
class GraphKeeper {
  public:
    GraphKeeper(MessageBoxes& boxes, ErrorReporter& reporter, QWidget& window)
        : boxes_(boxes), reporter_(reporter), window_(window) {}

    // The picture with `caption` written under it, in the window's font,
    // suggested as `name`.
    void SavePicture(const QImage& picture, const QString& caption,
                     const QString& name = QStringLiteral("pulsewell-graph.png"));
    void ExportData(const TrafficGraph& graph, const QString& host, const QString& interface);
    // Rows of the history window, suggested as `name`.
    void ExportCsv(const QString& name, const QString& csv);

  private:
    // Asks for a file like `name` and writes it.
    void Keep(const QString& caption, const QString& name, const QString& filter,
              const std::function<void(const QString&)>& write);
    // The chosen path, or empty when the user cancelled.
    QString AskFile(const QString& caption, const QString& name, const QString& filter,
                    const QString& suffix);

    MessageBoxes& boxes_;
    ErrorReporter& reporter_;
    QWidget& window_;
};

}  // namespace pulsewell
