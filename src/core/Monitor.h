#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include "InterfaceTable.h"
#include "MessageList.h"
#include "MonitorState.h"
#include "MonitorView.h"

namespace pulsewell {

// The traffic monitor without its window: the state kept between polls, the
// message list, the interface table and list, and the operations the window's
// commands run. The window, the command-line monitor and the tests drive it
// alike through a MonitorView.
class Monitor : public QObject {
    Q_OBJECT
public:
    explicit Monitor(MonitorView& view, QObject* parent = nullptr);

    TMonitorState& State() { return state_; }
    const TMonitorState& State() const { return state_; }
    MessageList& Messages() { return messages_; }
    InterfaceTable& Table() { return table_; }
    const QStringList& InterfaceEntries() const { return interfaceEntries_; }
    bool IsPolling() const { return pollTimer_.isActive(); }

    // Puts the monitor into its starting state; runs at start and on "Reset all".
    void ResetAll();

    // Edits of the window's fields.
    void SetBandwidth(const QString& text) { state_.Bandwidth = text; }
    void SetCommunity(const QString& text) { state_.Community = text; }

private:
    void ShowInterfaceList(int selected, bool enabled);
    void ShowTotals();

    MonitorView& view_;
    TMonitorState state_;
    MessageList messages_;
    InterfaceTable table_;
    QStringList interfaceEntries_;
    QTimer pollTimer_;
};

}  // namespace pulsewell
