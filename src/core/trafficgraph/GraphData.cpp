#include "core/trafficgraph/GraphData.h"

#include <QSaveFile>
#include <algorithm>

#include "core/OperationError.h"
#include "core/text/RecordFields.h"

namespace pulsewell {

namespace {

// The sample `age` polls before the newest, or empty when the series has none.
QString Field(const SeriesHistory& series, std::size_t age) {
    const std::deque<std::int64_t>& values = series.Values();
    return age < values.size() ? QString::number(values[values.size() - 1 - age]) : QString();
}

std::size_t ShownPolls(const TrafficGraph& graph) {
    return std::min(graph.PollTimes().size(), static_cast<std::size_t>(graph.ShownSamples()));
}

}  // namespace

QString GraphDataCsv(const TrafficGraph& graph, const QString& host, const QString& interface) {
    const bool bytes = graph.ShowBytes();
    const SeriesHistory& in = graph.Series(bytes ? TrafficSeries::InBytes : TrafficSeries::InBits);
    const SeriesHistory& out =
        graph.Series(bytes ? TrafficSeries::OutBytes : TrafficSeries::OutBits);
    const std::deque<QDateTime>& times = graph.PollTimes();
    const std::deque<double>& utilizations = graph.PollUtilizations();
    const QString hostField = CsvTextField(host);
    const QString interfaceField = CsvTextField(interface);

    const QString unit = bytes ? QStringLiteral("bytes/s") : QStringLiteral("bits/s");
    QString csv = QStringLiteral("Time,Host,Interface,IN %1,OUT %1,Utilization %\r\n").arg(unit);
    for (std::size_t age = ShownPolls(graph); age-- > 0;) {
        const std::size_t poll = times.size() - 1 - age;
        csv += IsoTime(times[poll]) + u',' + hostField + u',' + interfaceField + u',' +
               Field(in, age) + u',' + Field(out, age) + u',' + PercentField(utilizations[poll]) +
               QStringLiteral("\r\n");
    }
    return csv;
}

void WriteGraphData(const QString& path, const TrafficGraph& graph, const QString& host,
                    const QString& interface) {
    WriteCsvFile(path, GraphDataCsv(graph, host, interface));
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

QString GraphPictureCaption(const TrafficGraph& graph, const QString& host,
                            const QString& interface) {
    const std::deque<QDateTime>& times = graph.PollTimes();
    const std::size_t shown = ShownPolls(graph);
    const QString first = shown ? IsoTime(times[times.size() - shown]) : QString();
    const QString last = shown ? IsoTime(times.back()) : QString();
    return QStringLiteral("Host: %1; interface: %2; %3; from %4 to %5")
        .arg(host, interface, graph.Captions().Unit.Text, first, last);
}

}  // namespace pulsewell
