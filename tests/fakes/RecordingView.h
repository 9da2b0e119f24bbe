#pragma once

#include <QStringList>

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

}  // namespace pulsewell::test
