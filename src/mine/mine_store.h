#pragma once

// The user's own database, mine.sqlite: lists of companies (a default
// "Favourites" plus lists the user names), a note per company and the
// history of the profiles opened. It lives beside the user's settings, apart
// from the publisher's files, so no update or reset of the data touches it.
//
// A company is known by its name key (CompanyNameKey: the name as a record
// holds it, upper-cased), not by its record number, so an entry and a note
// survive the company's replacement by an update. Names go in and come out as
// the stored Windows-1250 bytes; notes are UTF-8, since the user may type
// characters the code page lacks. The file keeps both as UTF-8.
//
// Every write is one transaction (BEGIN IMMEDIATE), so the window and the
// command-line tool can write at the same time; a failure throws MineError
// and leaves the file as it was.

#include "mine/mine_error.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

namespace sqlite {
class Connection;
}

inline constexpr std::string_view kMineFileName = "mine.sqlite";
inline constexpr std::string_view kFavouritesList = "Favourites";
// The schema this program writes; a file of a later one is refused unaltered.
inline constexpr int kMineSchemaVersion = 2;
inline constexpr std::size_t kHistoryLimit = 100;

struct MineList
{
    std::string name; // UTF-8
    std::size_t entries = 0;
};

struct MineEntry
{
    std::string name;         // the name key, Windows-1250
    std::int64_t addedAt = 0; // seconds since 1970 (UTC); 0 for entries made before the date was kept
};

struct MineOptions
{
    // How long a write waits for another program's write to finish.
    int busyTimeoutMs = 5000;
    // Seconds since 1970, for the date an entry is added; the system clock when empty.
    std::function<std::int64_t()> clock;
};

class MineStore
{
public:
    // Opens `file`, creating it (and its folder) when missing, and brings an
    // older schema up to date. Throws MineError: Newer for a file of a later
    // schema, Damaged for a file that is not ours or is damaged (neither is
    // altered), Locked or CannotOpen.
    explicit MineStore(const std::filesystem::path& file, MineOptions options = {});
    ~MineStore();
    MineStore(const MineStore&) = delete;
    MineStore& operator=(const MineStore&) = delete;

    // The schema version of the file as opened (before any migration).
    int openedVersion() const { return openedVersion_; }

    // Lists in the order they were made, Favourites first.
    std::vector<MineList> Lists();
    bool HasList(std::string_view name);
    // False when a list of that name already exists.
    bool CreateList(std::string_view name);
    // False when there is no such list. Favourites cannot be deleted (MineError Failed).
    bool DeleteList(std::string_view name);

    // The list's entries in the order they were added; nothing when the list does not exist.
    std::optional<std::vector<MineEntry>> Entries(std::string_view list);
    // False when the company was already there. The list must exist (MineError Failed).
    bool Add(std::string_view list, std::string_view companyName);
    // False when the company was not there.
    bool Remove(std::string_view list, std::string_view companyName);
    // The lists that hold the company.
    std::vector<std::string> ListsOf(std::string_view companyName);

    std::optional<std::string> Note(std::string_view companyName);
    // An empty text removes the note.
    void SetNote(std::string_view companyName, std::string_view text);

    // A profile was opened: it becomes the newest of the last kHistoryLimit
    // (opening the newest again adds nothing).
    void AddHistory(std::string_view companyName);
    // Newest first.
    std::vector<std::string> History();

private:
    std::unique_ptr<sqlite::Connection> db_;
    MineOptions options_;
    int openedVersion_ = 0;
};

} // namespace dorvanta
