#include "cli/terminal_progress.h"

#include "cli/commands.h"
#include "data/messages.h"
#include "platform/console.h"

#include <cstdio>

namespace dorvanta::cli {

namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string Megabytes(std::uint64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

void WriteError(const std::string& text)
{
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace

TerminalProgress::TerminalProgress(Language language)
    : language_(language), interactive_(StandardErrorIsTerminal())
{
}

TerminalProgress::~TerminalProgress()
{
    EndLine();
}

void TerminalProgress::ShowInformation(const std::string& text)
{
    EndLine();
    PrintMessage(text);
}

void TerminalProgress::WaitingForFile(const std::string& fileName)
{
    EndLine();
    PrintMessage(WaitingForFileText(fileName, language_));
}

void TerminalProgress::SetGaugeMaximum(int maximum)
{
    lines_ = maximum;
    records_ = 0;
}

void TerminalProgress::SetGaugePosition(int)
{
    // Called once for every record written.
    ++records_;
    if (interactive_) {
        Draw(Kind::Records,
             std::string(Pick(language_, "Applied ", "Aplicate ")) + std::to_string(records_) +
                 std::string(Pick(language_, " records of ", " inregistrari din ")) + std::to_string(lines_) +
                 std::string(Pick(language_, " lines", " linii")),
             false);
    }
}

void TerminalProgress::SetBytesReceived(std::uint64_t received, std::uint64_t total)
{
    if (interactive_) {
        Draw(Kind::Bytes,
             std::string(Pick(language_, "Received ", "Primit ")) + Megabytes(received) +
                 (total > 0 ? std::string(Pick(language_, " of ", " din ")) + Megabytes(total)
                            : std::string()),
             total > 0 && received == total);
    }
}

void TerminalProgress::SetDialogGaugeMaximum(int maximum)
{
    adsMaximum_ = maximum;
    if (adsMaximum_ > 0) {
        DrawBar(0);
    }
}

void TerminalProgress::SetDialogGaugePosition(int position)
{
    if (adsMaximum_ > 0) {
        DrawBar(position);
    }
}

void TerminalProgress::DrawBar(int position)
{
    const int filled = static_cast<int>(static_cast<long long>(position) * kBarWidth / adsMaximum_);
    const std::string bar = std::string(Pick(language_, "Ads [", "Anunturi [")) + std::string(filled, '#') +
                            std::string(kBarWidth - filled, '.') + "] " + std::to_string(position) + "/" +
                            std::to_string(adsMaximum_);
    if (interactive_) {
        Draw(Kind::Ads, bar, true);
        return;
    }
    const int tenth = static_cast<int>(static_cast<long long>(position) * 10 / adsMaximum_);
    if (drawn_ == Kind::Ads && tenth == lastTenth_ && position != adsMaximum_) {
        return;
    }
    lastTenth_ = tenth;
    drawn_ = Kind::Ads;
    WriteError(bar + "\n");
}

void TerminalProgress::Draw(Kind kind, const std::string& text, bool force)
{
    const auto now = std::chrono::steady_clock::now();
    if (kind == drawn_ && !force && now - lastDrawn_ < kRedrawInterval) {
        held_ = text;
        return;
    }
    std::string line;
    if (drawn_ != Kind::None && drawn_ != kind) {
        // The previous line keeps its last state, then stays visible above.
        line += Redraw(held_) + '\n';
        drawnWidth_ = 0;
    }
    line += Redraw(text);
    WriteError(line);
    held_.clear();
    drawn_ = kind;
    drawnWidth_ = text.size();
    lastDrawn_ = now;
}

std::string TerminalProgress::Redraw(const std::string& text) const
{
    if (text.empty()) {
        return {};
    }
    return '\r' + text + std::string(text.size() < drawnWidth_ ? drawnWidth_ - text.size() : 0, ' ');
}

void TerminalProgress::EndLine()
{
    if (interactive_ && drawn_ != Kind::None) {
        WriteError(Redraw(held_) + "\n");
    }
    held_.clear();
    drawn_ = Kind::None;
    drawnWidth_ = 0;
}

} // namespace dorvanta::cli
