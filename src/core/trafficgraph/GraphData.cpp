#include "GraphData.h"

#include <QSaveFile>
#include <algorithm>

#include "OperationError.h"

namespace pulsewell {

namespace {

// The sample `age` polls before the newest, or empty when the series has none.
QString Field(const SeriesHistory& series, std::size_t age) {
    const std::deque<std::int64_t>& values = series.Values();
    return age < values.size() ? QString::number(values[values.size() - 1 - age]) : QString();
}

}  // namespace

QString GraphDataCsv(const TrafficGraph& graph) {
    const bool bytes = graph.ShowBytes();
    const SeriesHistory& in = graph.Series(bytes ? TrafficSeries::InBytes : TrafficSeries::InBits);
    const SeriesHistory& out =
        graph.Series(bytes ? TrafficSeries::OutBytes : TrafficSeries::OutBits);
    const SeriesHistory& utilization = graph.Series(TrafficSeries::Utilization);
    const std::deque<QDateTime>& times = graph.PollTimes();
    const std::size_t rows = std::min(times.size(), static_cast<std::size_t>(graph.ShownSamples()));

    const QString unit = bytes ? QStringLiteral("bytes/s") : QStringLiteral("bits/s");
    QString csv = QStringLiteral("Time,IN %1,OUT %1,Utilization %\r\n").arg(unit);
    for (std::size_t age = rows; age-- > 0;) {
        csv += times[times.size() - 1 - age].toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
               u',' + Field(in, age) + u',' + Field(out, age) + u',' + Field(utilization, age) +
               QStringLiteral("\r\n");
    }
    return csv;
}

void WriteGraphData(const QString& path, const TrafficGraph& graph) {
    WriteCsvFile(path, GraphDataCsv(graph));
}

void WriteCsvFile(const QString& path, const QString& csv) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError(path, file.errorString());
    }
    file.write(csv.toUtf8());
    if (!file.commit()) {
        throw FileError(path, file.errorString());
    }
}

}  // namespace pulsewell
