#pragma once

#include "data/language.h"
#include "import/update_progress.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace dorvanta::cli {

// The window's outlets on a terminal: the status text is kept for the end,
// the information box goes to standard error, and the gauges become progress
// lines on standard error.
//
// The update dialog's per-ad gauge is drawn wherever standard error goes (on a
// terminal redrawn in place; into a file only at whole tenths, so a log does
// not fill with bars). The bytes of the company answer received, and the
// records applied of the lines, are shown only when standard error is a
// terminal: scripts and logs see nothing of them.
class TerminalProgress : public UpdateProgress
{
public:
    explicit TerminalProgress(Language language);
    ~TerminalProgress() override;

    void SetGaugeMaximum(int maximum) override;
    void SetGaugePosition(int position) override;
    void SetStatus(const std::string& text) override { status = text; }
    void ShowInformation(const std::string& text) override;
    void WaitingForFile(const std::string& fileName) override;
    void ShowUpdateProgress() override {}
    void HideUpdateProgress() override { EndLine(); }
    void SetDialogGaugeMaximum(int maximum) override;
    void SetDialogGaugePosition(int position) override;
    void SetBytesReceived(std::uint64_t received, std::uint64_t total) override;

    // The last gauge maximum set: the number of lines of the import.
    int GaugeMaximum() const { return lines_; }

    // Ends a progress line left on the terminal, before other output follows.
    void EndLine();

    std::optional<std::string> status;

private:
    enum class Kind
    {
        None,
        Ads,
        Bytes,
        Records
    };

    void DrawBar(int position);
    // Draws `text` in place of the current line on a terminal; `force` draws
    // even when the last drawing was less than a tenth of a second ago.
    void Draw(Kind kind, const std::string& text, bool force);
    // "\r" and `text`, padded to cover the line drawn before; "" for no text.
    std::string Redraw(const std::string& text) const;

    Language language_;
    int adsMaximum_ = 0;
    int lastTenth_ = -1;
    int lines_ = 0;
    std::uint64_t records_ = 0;
    Kind drawn_ = Kind::None;
    std::size_t drawnWidth_ = 0;
    std::string held_; // the latest text, when the redraw interval held it back
    std::chrono::steady_clock::time_point lastDrawn_{};
    bool interactive_;
};

} // namespace dorvanta::cli
