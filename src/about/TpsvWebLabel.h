#pragma once

#include "about/TpsvBasicLabel.h"
#include "about/UrlOpener.h"
#include "core/OperationError.h"

namespace pulsewell {

// The scheme a web label puts in front of its link.
enum class TURLType {
    lnFile,
    lnFtp,
    lnGopher,
    lnHttp,
    lnHttps,
    lnMailto,
    lnNews,
    lnTelnet,
    lnWais
};

// A link: navy and underlined, with the hand cursor; releasing any mouse
// button over it opens the link's target. A refusal goes to the error box.
class TpsvWebLabel : public TpsvBasicLabel {
    Q_OBJECT
  public:
    TpsvWebLabel(UrlOpener& opener, ErrorReporter& errors, QWidget* parent = nullptr);

    // The target without its scheme.
    QString Link() const { return link_; }
    void SetLink(const QString& link) { link_ = link; }
    TURLType LinkType() const { return linkType_; }
    void SetLinkType(TURLType type) { linkType_ = type; }
    // The scheme's prefix followed by the link.
    QString Target() const;

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    UrlOpener& opener_;
    ErrorReporter& errors_;
    QString link_;
    TURLType linkType_ = TURLType::lnHttp;
};

}  // namespace pulsewell
