#include "app/GraphKeeper.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "core/settings/SettingNames.h"
#include "core/settings/SettingsKey.h"
#include "core/trafficgraph/GraphData.h"

namespace pulsewell {

namespace {

constexpr int kCaptionMargin = 4;

QImage Captioned(const QImage& picture, const QString& caption, const QFont& font) {
    const QRect room(kCaptionMargin, 0, picture.width() - 2 * kCaptionMargin, 0);
    const QRect text = QFontMetrics(font).boundingRect(room, Qt::TextWordWrap, caption);
    QImage captioned(picture.width(), picture.height() + text.height() + 2 * kCaptionMargin,
                     QImage::Format_RGB32);
    captioned.fill(Qt::white);
    QPainter painter(&captioned);
    painter.drawImage(0, 0, picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(text.translated(0, picture.height() + kCaptionMargin), Qt::TextWordWrap,
                     caption);
    return captioned;
}

}  // namespace

void GraphKeeper::SavePicture(const QImage& picture, const QString& caption, const QString& name) {
    const QImage captioned = Captioned(picture, caption, window_.font());
    Keep(QStringLiteral("Save graph as picture"), name, QStringLiteral("PNG pictures (*.png)"),
         [&](const QString& path) {
             if (!captioned.save(path, "PNG")) {
                 throw FileError(path, QStringLiteral("the picture could not be written"));
             }
         });
}

void GraphKeeper::ExportData(const TrafficGraph& graph, const QString& host,
                             const QString& interface) {
    Keep(QStringLiteral("Export graph data"), QStringLiteral("pulsewell-graph.csv"),
         QStringLiteral("CSV files (*.csv)"),
         [&](const QString& path) { WriteGraphData(path, graph, host, interface); });
}

void GraphKeeper::ExportCsv(const QString& name, const QString& csv) {
    Keep(QStringLiteral("Export graph data"), name, QStringLiteral("CSV files (*.csv)"),
         [&](const QString& path) { WriteCsvFile(path, csv); });
}

void GraphKeeper::Keep(const QString& caption, const QString& name, const QString& filter,
                       const std::function<void(const QString&)>& write) {
    const QString path = AskFile(caption, name, filter, QFileInfo(name).suffix());
    if (!path.isEmpty()) {
        RunGuarded(reporter_, [&] { write(path); });
    }
}

QString GraphKeeper::AskFile(const QString& caption, const QString& name, const QString& filter,
                             const QString& suffix) {
    QString folder = QDir::homePath();
    // A folder that cannot be read from the settings is no reason not to save.
    RunGuarded(reporter_,
               [&] { folder = SettingsKey().Read(settings::kGraphFolder.name).value_or(folder); });
    const QString path =
        boxes_.AskFileToSave(&window_, caption, QDir(folder).filePath(name), filter, suffix);
    if (!path.isEmpty()) {
        RunGuarded(reporter_, [&] {
            SettingsKey().Write(settings::kGraphFolder.name, QFileInfo(path).absolutePath());
        });
    }
    return path;
}

}  // namespace pulsewell
