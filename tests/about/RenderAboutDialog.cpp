// Not a test: renders the about dialog and the hand cursor to PNG files in
// the folder named by the first argument, for looking at.
#include <QApplication>
#include <QBitmap>
#include <QPainter>

#include "about/AboutDialog.h"
#include "about/WebHandCursor.h"

namespace {

class NoDesktop : public pulsewell::UrlOpener {
  public:
    bool Open(const QUrl&) override { return false; }
};

class NoErrorBox : public pulsewell::ErrorReporter {
  public:
    void ShowError(const QString&) override {}
};

// The cursor four times enlarged on grey, so that its white shows.
QImage CursorPicture() {
    const QCursor cursor = pulsewell::WebHandCursor();
    const QImage bits = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (mask.pixelIndex(x, y) == 1) {
                picture.setPixel(x, y,
                                 bits.pixelIndex(x, y) == 1 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            }
        }
    }
    picture.setPixel(cursor.hotSpot(), qRgb(255, 0, 0));
    return picture.scaled(128, 128);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    NoDesktop desktop;
    NoErrorBox errors;
    pulsewell::TForm2 about(desktop, errors);
    about.show();
    about.grab().save(folder + QStringLiteral("/about-dialog.png"));
    CursorPicture().save(folder + QStringLiteral("/web-hand-cursor.png"));
    return 0;
}
