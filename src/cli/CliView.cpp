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

void CliView::SetStatusText(int panel, const QString& text) {
    // Clearing the panel and the countdown are window matters.
    if (panel != kStatusPanel || text.isEmpty()) {
        return;
    }
    lastStatus_ = text;
    if (!quiet_) {
        PrintErr(QStringLiteral("status: ") + text);
    }
}

void CliView::ShowMessageBox(const QString& text, const QString&) {
    ShowError(text);
}

}  // namespace pulsewell::cli
