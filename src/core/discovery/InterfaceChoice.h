#pragma once

#include <QString>
#include <QStringList>

#include "core/MonitorView.h"

namespace pulsewell {

// The interface list the user polls from: its entries (interface indexes),
// the chosen one, and the view's combo that shows them, each by its label
// where discovery gave labels, by its index otherwise.
class InterfaceChoice {
  public:
    explicit InterfaceChoice(MonitorView& view) : view_(view) {}

    const QStringList& Entries() const { return entries_; }
    int Selected() const { return selected_; }
    // The chosen entry; empty when none is chosen.
    QString SelectedEntry() const {
        return selected_ >= 0 && selected_ < entries_.size() ? entries_[selected_] : QString();
    }
    void Select(int index) { selected_ = index; }

    // The entries with the first one chosen (none when empty), shown.
    void Offer(const QStringList& entries, bool enabled) {
        entries_ = entries;
        labels_.clear();
        selected_ = entries.isEmpty() ? -1 : 0;
        Show(enabled);
    }
    // Nothing to choose: an empty, disabled list.
    void Clear() { Offer({}, false); }
    // What the view shows of each entry from now on, one per entry.
    void Label(const QStringList& labels) {
        if (labels.size() == entries_.size()) {
            labels_ = labels;
        }
    }
    void Show(bool enabled) {
        view_.ShowInterfaceList(labels_.isEmpty() ? entries_ : labels_, selected_, enabled);
    }

  private:
    MonitorView& view_;
    QStringList entries_;
    QStringList labels_;
    int selected_ = -1;
};

}  // namespace pulsewell
