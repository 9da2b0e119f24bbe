#include "cli/CliView.h"

#include <cstdio>

namespace pulsewell::cli {

namespace {
void Write(std::FILE* stream, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}
void Print(std::FILE* stream, const QString& line) {
    const QByteArray bytes = (line + u'\n').toLocal8Bit();
    Write(stream, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
}
}  // namespace

void PrintOut(const QString& line) {
    Print(stdout, line);
}
void PrintErr(const QString& line) {
    Print(stderr, line);
}
void WriteOut(std::string_view lines) {
    Write(stdout, lines);
}

void CliView::ShowError(const QString& message) {
    ++errorCount_;
    lastError_ = message;
    if (!quiet_) {
        PrintErr(QStringLiteral("error: ") + message);
    }
}

void CliView::ShowStatus(const MonitorStatus& status) {
    if (status.statusText == seenStatus_ && status.discoveryNews == seenDiscoveryNews_) {
        return;
    }
    seenStatus_ = status.statusText;
    seenDiscoveryNews_ = status.discoveryNews;
    // Clearing the panel, and how a first contact goes, are window matters.
    if (status.statusText.isEmpty() || status.discoveryNews) {
        return;
    }
    lastStatus_ = status.statusText;
    if (!quiet_) {
        PrintErr(QStringLiteral("status: ") + status.statusText);
    }
}

void CliView::ShowMessageBox(const QString& text, const QString&) {
    ShowError(text);
}

}  // namespace pulsewell::cli
