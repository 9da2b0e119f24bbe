#pragma once

#include <QString>

#include "core/AlarmSettings.h"
#include "core/OperationError.h"

namespace pulsewell {

// The SNMPv3 passphrases, where a view can find them (the desktop's keyring,
// the user).
class PassphraseSource {
  public:
    virtual ~PassphraseSource() = default;
    // The monitor asks as SNMPv3 `user`: a view that can find the
    // passphrases answers later with Monitor::SetV3Passphrases and returns
    // true; polling that a start profile starts by itself waits for that answer.
    virtual bool RequestV3Passphrases(const QString& /*user*/) { return false; }
};

// The hosts' communities, where a view keeps them (the desktop's keyring).
class CommunityMemory {
  public:
    virtual ~CommunityMemory() = default;
    // A remembered host was chosen: a view that keeps communities answers
    // later with Monitor::SetRecalledCommunity.
    virtual void RecallCommunity(const QString& /*host*/) {}
    // Polling of `host` started with this community: worth keeping.
    virtual void KeepCommunity(const QString& /*host*/, const QString& /*community*/) {}
};

// The desktop's usual program for a file.
class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    // False when the desktop refused, or there is none.
    virtual bool OpenDocument(const QString& /*path*/) { return false; }
};

// What the monitor asks of whatever shows it: the main window, the
// command-line monitor or a test. What it shows comes as a status value
// (Monitor::StatusChanged); user actions come back as calls on the monitor.
class MonitorView : public ErrorReporter,
                    public AlarmSettingsSource,
                    public PassphraseSource,
                    public CommunityMemory,
                    public DocumentOpener {
  public:
    // A modal box with an OK button, for missing input.
    virtual void ShowMessageBox(const QString& text, const QString& caption) = 0;
};

}  // namespace pulsewell
