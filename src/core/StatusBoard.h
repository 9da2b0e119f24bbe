#pragma once

#include <QString>
#include <functional>
#include <utility>

namespace pulsewell {

// The status bar's texts as the monitor's parts write them, and the word
// that something else the monitor shows has changed; on each, the monitor
// publishes its status afresh.
class StatusBoard {
  public:
    explicit StatusBoard(std::function<void()> changed) : changed_(std::move(changed)) {}

    const QString& Text() const { return text_; }
    bool DiscoveryNews() const { return discoveryNews_; }
    const QString& Countdown() const { return countdown_; }

    void SetText(const QString& text) { Write(text, false); }
    // What a first contact is doing or has found.
    void SetDiscoveryNews(const QString& text) { Write(text, true); }
    void SetCountdown(const QString& text) {
        countdown_ = text;
        changed_();
    }
    void Changed() { changed_(); }

  private:
    void Write(const QString& text, bool discoveryNews) {
        text_ = text;
        discoveryNews_ = discoveryNews;
        changed_();
    }

    std::function<void()> changed_;
    QString text_;
    bool discoveryNews_ = false;
    QString countdown_;
};

}  // namespace pulsewell
