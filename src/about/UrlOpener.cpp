#include "about/UrlOpener.h"

#include <QDesktopServices>

namespace pulsewell {

bool DesktopUrlOpener::Open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

}  // namespace pulsewell
