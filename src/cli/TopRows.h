#pragma once

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <vector>

#include "cli/CliArguments.h"
#include "core/sweep/SweepResult.h"

namespace pulsewell::cli {

// The rows top shows: those --interfaces names, in the order --sort asks.
class TopRows {
  public:
    // pattern: indexes separated by commas, else a glob on the name; empty for all.
    TopRows(const QString& pattern, TopOptions::Sort sort);

    // The rows shown, pointing into rows.
    std::vector<const SweepRow*> Of(const QList<SweepRow>& rows) const;
    // The events of the interfaces shown.
    QList<SweepEvent> Of(const QList<SweepEvent>& events) const;

  private:
    bool Admits(int index, const QString& name) const;
    bool Matches(const QString& name) const;

    QSet<int> indexes_;
    QRegularExpression glob_;
    // The glob's verdict by name: the names stay from sweep to sweep.
    mutable QHash<QString, bool> matched_;
    bool all_ = true;
    TopOptions::Sort sort_;
    // The rows' places in the order shown last, among those admitted.
    mutable std::vector<std::size_t> order_;
};

}  // namespace pulsewell::cli
