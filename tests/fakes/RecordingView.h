#pragma once

#include <QStringList>
#include <array>
#include <cstdint>

#include "core/MonitorStatus.h"
#include "core/MonitorView.h"

namespace pulsewell::test {

// A monitor view that remembers what it was asked to show, and answers with
// the alarms and the desktop a test gives it.
class RecordingView : public MonitorView {
  public:
    void ShowError(const QString& message) override { errors.append(message); }
    void ShowMessageBox(const QString& text, const QString& caption) override {
        messageBoxes.append(caption + QStringLiteral(": ") + text);
    }
    TAlarmSettings CurrentAlarmSettings() const override { return alarms; }
    bool OpenDocument(const QString& path) override {
        openedDocuments.append(path);
        return desktopOpens;
    }

    QStringList errors;
    QStringList messageBoxes;
    TAlarmSettings alarms;
    QStringList openedDocuments;
    bool desktopOpens = true;
};

// The three totals of a status, in the order the window shows them.
inline std::array<std::int64_t, 3> Totals(const MonitorStatus& status) {
    return {status.totalIn, status.totalOut, status.totalCombined};
}

}  // namespace pulsewell::test
