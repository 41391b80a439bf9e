#pragma once

#include "data/language.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>

namespace dorvanta {

class MineStore;
struct WindowState;

// The window's hold on the user's own database (mine.sqlite): the lists,
// notes and history. The rest of the window goes on without it when the file
// cannot be used (damaged, of a newer program, locked, no place for it); the
// reason is told in the user's language and the next use tries again.
//
// Every use is short and on the window's thread; another program (the
// command-line tool) may write at the same time, so a write waits a moment
// for it rather than failing at once.
class MineLayer : public QObject
{
    Q_OBJECT

public:
    MineLayer(std::filesystem::path file, const WindowState& state, QObject* parent = nullptr);
    ~MineLayer() override;

    const std::filesystem::path& File() const { return file_; }
    // Opens the file when it is not open yet; false (with ProblemText) when it cannot be used.
    bool Available();
    QString ProblemText() const { return problem_; }

    // Runs `work` on the store. A failure is reported through `failed` and
    // gives false; nothing was changed by a write that failed.
    bool Read(const std::function<void(MineStore&)>& work);
    // As Read, then tells every view that lists, entries or notes changed.
    bool Write(const std::function<void(MineStore&)>& work);
    // As Write, without telling the views: for the history, which no list shows.
    bool WriteQuietly(const std::function<void(MineStore&)>& work);

signals:
    void changed();
    void failed(const QString& text);

private:
    bool Run(const std::function<void(MineStore&)>& work);

    std::filesystem::path file_;
    const WindowState& state_;
    std::unique_ptr<MineStore> store_;
    QString problem_;
};

// The text of a failure of the lists' file in the user's language.
QString MineProblemText(int kind, const QString& detail, Language language);

} // namespace dorvanta
