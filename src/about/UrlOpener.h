#pragma once

#include <QUrl>

namespace pulsewell {

// Opens a document or link with the desktop's usual program: the exported
// report and the about dialog's links. Behind an interface so that tests can
// watch what is opened, and refuse it.
class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    // False when the desktop refused (nothing registered for the scheme or file).
    virtual bool Open(const QUrl& url) = 0;
};

// QDesktopServices, which hands the link to xdg-open.
class DesktopUrlOpener : public UrlOpener {
  public:
    bool Open(const QUrl& url) override;
};

}  // namespace pulsewell
