#pragma once

#include <QString>
#include <QStringList>

namespace pulsewell {

// The interface list the user polls from: its entries (interface indexes),
// the chosen one, and whether the list can be chosen from; a view shows each
// entry by its label where discovery gave labels, by its index otherwise.
class InterfaceChoice {
  public:
    const QStringList& Entries() const { return entries_; }
    const QStringList& Shown() const { return labels_.isEmpty() ? entries_ : labels_; }
    bool Enabled() const { return enabled_; }
    int Selected() const { return selected_; }
    // The chosen entry; empty when none is chosen.
    QString SelectedEntry() const {
        return selected_ >= 0 && selected_ < entries_.size() ? entries_[selected_] : QString();
    }
    void Select(int index) { selected_ = index; }

    // The entries with the first one chosen (none when empty).
    void Offer(const QStringList& entries, bool enabled) {
        entries_ = entries;
        labels_.clear();
        selected_ = entries.isEmpty() ? -1 : 0;
        enabled_ = enabled;
    }
    // Nothing to choose: an empty, disabled list.
    void Clear() { Offer({}, false); }
    // What a view shows of each entry, one per entry.
    void Label(const QStringList& labels) {
        if (labels.size() == entries_.size()) {
            labels_ = labels;
        }
    }
    void Enable(bool enabled) { enabled_ = enabled; }

  private:
    QStringList entries_;
    QStringList labels_;
    int selected_ = -1;
    bool enabled_ = false;
};

}  // namespace pulsewell
