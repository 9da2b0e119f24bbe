#include <QEnterEvent>
#include <QSignalSpy>
#include <QtTest>

#include "about/AboutDialog.h"
#include "about/JpegImage.h"
#include "about/TpsvWebLabel.h"

using pulsewell::TpsvBasicLabel;
using pulsewell::TpsvWebLabel;
using pulsewell::TURLType;

namespace {

class RecordingOpener : public pulsewell::UrlOpener {
  public:
    bool Open(const QUrl& url) override {
        opened.append(url.toString());
        return opens;
    }
    QStringList opened;
    bool opens = true;
};

class RecordingErrors : public pulsewell::ErrorReporter {
  public:
    void ShowError(const QString& message) override { errors.append(message); }
    QStringList errors;
};

}  // namespace

class LinkLabelTest : public QObject {
    Q_OBJECT
  private slots:
    void focusColourWhileTheMouseIsOver() {
        TpsvBasicLabel label;
        label.SetFontColor(QColor(0, 0, 128));
        QSignalSpy entered(&label, &TpsvBasicLabel::MouseEnter);
        QSignalSpy left(&label, &TpsvBasicLabel::MouseLeave);

        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(&label, &enter);
        QCOMPARE(label.FontColor(), QColor(255, 0, 0));
        QCOMPARE(entered.size(), 1);
        QCOMPARE(entered[0][0].value<TpsvBasicLabel*>(), &label);

        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &leave);
        QCOMPARE(label.FontColor(), QColor(0, 0, 128));
        QCOMPARE(left.size(), 1);
    }

    void opensTheTargetOfItsLinkType_data() {
        QTest::addColumn<TURLType>("type");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("target");
        QTest::newRow("file") << TURLType::lnFile << "/tmp/report.txt"
                              << "file:///tmp/report.txt";
        QTest::newRow("ftp") << TURLType::lnFtp << "ftp.tarnwick.example/pub"
                             << "ftp://ftp.tarnwick.example/pub";
        QTest::newRow("gopher") << TURLType::lnGopher << "tarnwick.example"
                                << "gopher://tarnwick.example";
        QTest::newRow("http") << TURLType::lnHttp << "tarnwick.example/pulsewell"
                              << "http://tarnwick.example/pulsewell";
        QTest::newRow("https") << TURLType::lnHttps << "tarnwick.example"
                               << "https://tarnwick.example";
        QTest::newRow("mailto") << TURLType::lnMailto << "pulsewell@tarnwick.example"
                                << "mailto:pulsewell@tarnwick.example";
        QTest::newRow("news") << TURLType::lnNews << "comp.dcom.net-management"
                              << "news:comp.dcom.net-management";
        QTest::newRow("telnet") << TURLType::lnTelnet << "tarnwick.example"
                                << "telnet:tarnwick.example";
        QTest::newRow("wais") << TURLType::lnWais << "tarnwick.example/db"
                              << "wais:tarnwick.example/db";
    }
    void opensTheTargetOfItsLinkType() {
        QFETCH(TURLType, type);
        QFETCH(QString, link);
        QFETCH(QString, target);
        RecordingOpener opener;
        RecordingErrors errors;
        TpsvWebLabel label(opener, errors);
        label.SetLinkType(type);
        label.SetLink(link);
        label.resize(100, 20);

        QTest::mouseClick(&label, Qt::LeftButton);

        QCOMPARE(opener.opened, QStringList{target});
        QVERIFY(errors.errors.isEmpty());
    }

    void anyButtonReleasedOverTheLinkOpensIt() {
        RecordingOpener opener;
        RecordingErrors errors;
        TpsvWebLabel label(opener, errors);
        label.resize(100, 20);
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(&label, button);
        }
        QCOMPARE(opener.opened.size(), 3);

        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(150, 5));
        QCOMPARE(opener.opened.size(), 3);  // released elsewhere
    }

    void refusedLinkShowsTheErrorAndTheDialogStaysOpen() {
        RecordingOpener opener;
        opener.opens = false;
        RecordingErrors errors;
        pulsewell::TForm2 about(opener, errors);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.findChild<QLabel*>("picture")->pixmap().width(), 335);

        const QList<TpsvWebLabel*> links = about.findChildren<TpsvWebLabel*>();
        QStringList targets;
        for (TpsvWebLabel* link : links) {
            targets.append(link->Target());
            QTest::mouseClick(link, Qt::LeftButton);
        }
        targets.sort();
        QCOMPARE(targets,
                 (QStringList{"http://tarnwick.example/pulsewell", "http://tarnwick.example/thanks",
                              "mailto:pulsewell@tarnwick.example"}));
        QCOMPARE(errors.errors.size(), 3);
        QVERIFY(errors.errors.contains(
            "ShellExecute \"pulsewell@tarnwick.example\" Failed with Error: 31"));
        QVERIFY(about.isVisible());
    }

    void bytesThatAreNoJpegGiveNoPicture() {
        QVERIFY(pulsewell::DecodeJpeg(QByteArray()).isNull());
        QVERIFY(pulsewell::DecodeJpeg(QByteArray("\xff\xd8\xff\xe0 not really", 16)).isNull());
    }
};

QTEST_MAIN(LinkLabelTest)
#include "LinkLabelTest.moc"
