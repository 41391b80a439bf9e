#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QTimer;
class QToolButton;
class QWidget;

namespace dorvanta {

class MineLayer;
struct WindowState;

// What the user keeps around a company's page: a bar above it (Back and
// Forward through the profiles opened, the Favourites star and the lists)
// and the user's note below it. The page's own bytes are never touched.
//
// A profile counts as opened, for the history, once it has stayed on the
// page for a moment or was opened on purpose: walking down the result list
// with the keyboard does not fill the history with every row passed.
struct PageFrameOptions
{
    // The panel's part of the controls' object names: Button_<prefix>_Back, ...
    const char* prefix = "Companies";
    // Back and Forward through the profiles opened, and keeping them.
    bool history = true;
    // The note label's mnemonic in Romanian, free among the panel's own.
    char romanianNoteKey = 'n';
};

class CompanyPageFrame : public QObject
{
    Q_OBJECT

public:
    CompanyPageFrame(MineLayer& mine, const WindowState& state, QWidget* parent,
                     const PageFrameOptions& options = {});
    ~CompanyPageFrame() override;

    QWidget* Bar() const { return bar_; }
    QWidget* NotePart() const { return notePart_; }
    // The keyboard's way through the page side: the bar, then `page`, then the note.
    void SetTabOrder(QWidget* before, QWidget* page);

    void ApplyLanguage();
    // The page now shows record `number`, holding the company `name`
    // (Windows-1250). `fromHistory`: Back or Forward showed it.
    void ShowingCompany(std::uint64_t number, const std::string& name, bool fromHistory);
    // The page shows no company (the start page).
    void ShowingNoCompany();
    // The profile was opened on purpose (Enter, a double click): it goes into
    // the history at once.
    void Opened();
    // Writes a note still waiting for the typing pause.
    void SaveNote();
    void Back();
    void Forward();
    bool CanGoBack() const;
    bool CanGoForward() const;
    // The name key of the company shown; empty when none.
    const std::string& CompanyKey() const { return key_; }

signals:
    // Back or Forward asks for this record's page.
    void openRecord(std::uint64_t number);
    void statusChanged(const QString& text);

private:
    void Step(int direction);
    void RecordHistory();
    void RefreshFromStore();
    void UpdateButtons();
    void ToggleFavourite();
    void ShowStar(bool favourite);
    std::optional<std::uint64_t> RecordOf(const std::string& key);

    MineLayer& mine_;
    const WindowState& state_;
    PageFrameOptions options_;
    QWidget* bar_ = nullptr;
    QWidget* notePart_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QToolButton* star_ = nullptr;
    QToolButton* lists_ = nullptr;
    QLabel* noteLabel_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QTimer* notePause_ = nullptr;
    QTimer* dwell_ = nullptr;

    std::string key_;                  // the company shown; empty: none
    std::string noteKey_;              // whose note the box holds
    bool noteDirty_ = false;           // typed and not yet written
    bool loadingNote_ = false;         // the box is being filled, not typed in
    std::vector<std::string> history_; // newest first, as kept when stepping began
    std::size_t cursor_ = 0;           // where in `history_` the page is
    // Record numbers seen this session, so stepping back needs no pass over the file.
    std::vector<std::pair<std::string, std::uint64_t>> seen_;
};

} // namespace dorvanta
