#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace pulsewell::cli {

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so that a stop
// runs between polls and never inside one.
class StopSignals : public QObject {
    Q_OBJECT
  public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

  signals:
    void StopRequested();

  private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace pulsewell::cli
