#pragma once

#include "publisher/query.h"
#include "publisher/sqlite_db.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The answers of the update protocol, read from the master: every body is
// Windows-1250 bytes, one line per entry, each ended by a line feed.
namespace dorvanta::publisher {

// The tag of what the master serves now: every change bumps it, so a cache
// revalidating an answer learns at once whether it still holds.
std::string EntityTag(Database& db);

// update.txt: "!" version ";" name ";" address per published file.
std::string ManifestAnswer(Database& db, std::string_view publicUrl);

// The identifiers of the ads of `groups` (letters a to j), newest first.
std::string IdListAnswer(Database& db, const std::vector<char>& groups);

// One ad's line, or nothing for an unknown identifier (bytes as sent).
std::optional<std::string> AdAnswer(Database& db, std::string_view id);

// The company answer for a day, read in pieces from one snapshot of the
// master so that an ingest meanwhile never mixes into it: the current line
// of every company changed on or after the day, and the blanking line of
// every name published up to that day and gone on or after it, in the order
// they were recorded, with a day's margin on both sides for a client whose
// clock is not Bucharest's. Never held whole.
class CompanyAnswer
{
public:
    CompanyAnswer(std::unique_ptr<Database> db, std::int32_t day);
    CompanyAnswer(const CompanyAnswer&) = delete;
    CompanyAnswer& operator=(const CompanyAnswer&) = delete;

    const std::string& tag() const { return tag_; }
    // Appends lines to `out` until it holds at least `size` bytes; false
    // once every line was given.
    bool Fill(std::string& out, std::size_t size);

private:
    std::unique_ptr<Database> db_;
    // One read transaction from the tag to the last line; it ends after the
    // rows' statement is gone (members go in reverse order).
    Transaction snapshot_;
    std::string tag_;
    std::optional<Statement> rows_;
    bool done_ = false;
};

} // namespace dorvanta::publisher
