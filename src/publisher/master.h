#pragma once

#include "publisher/sqlite_db.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The publisher's master database: master.sqlite in the root folder, beside
// files/ (the published files, served as they are). It holds the answer
// lines of the company updates with the day of each change, the business
// ads and the manifest's entries.
//
// The lines a client may be sent live in one table, `answer`, in the order
// they were recorded: the days of the ingests never go back, so that order
// is also the order of the days, and the answer for a day is one range of it
// read front to back. A company's current line has no `since`; a blanking
// line keeps the day from which its name had been published, so that only
// a client that may hold the name is told to blank it.
namespace dorvanta::publisher {

inline constexpr const char* kMasterFileName = "master.sqlite";
inline constexpr const char* kFilesFolderName = "files";

// Thrown for a request the master refuses (a date earlier than the last
// ingest, a malformed ad line, an unknown ad); the text is for the user.
class Refused : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct MasterStatus
{
    std::int64_t companies = 0;     // published now
    std::int64_t blankingLines = 0; // names published once and gone since
    std::int64_t ads = 0;
    std::int64_t files = 0;
    std::optional<std::int32_t> lastIngest; // day
    std::optional<std::int32_t> lastChange; // day of the newest answer line
    std::int64_t generation = 0;            // bumped by every change of what is served
    std::int64_t ingests = 0;
};

class Master
{
public:
    // Opens (creating when missing) the master of `root`; creates root/ and root/files/.
    explicit Master(const std::filesystem::path& root);

    Database& db() { return db_; }
    const std::filesystem::path& root() const { return root_; }

    std::int64_t Meta(const char* name, std::int64_t fallback);
    void SetMeta(const char* name, std::int64_t value);
    // Marks a change of what is served, so that caches revalidating see a new tag.
    void BumpGeneration();

    MasterStatus Status();

private:
    std::filesystem::path root_;
    Database db_;
};

// Opened by the server per request: reads only.
std::unique_ptr<Database> OpenMasterForReading(const std::filesystem::path& root);

} // namespace dorvanta::publisher
