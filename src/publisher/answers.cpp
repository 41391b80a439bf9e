#include "publisher/answers.h"

#include "publisher/days.h"
#include "publisher/published_files.h"

namespace dorvanta::publisher {

std::string EntityTag(Database& db)
{
    Statement query = db.Prepare("SELECT value FROM meta WHERE name = 'generation'");
    return "\"g" + std::to_string(query.Step() ? query.Int(0) : 0) + "\"";
}

std::string ManifestAnswer(Database& db, std::string_view publicUrl)
{
    std::string body;
    Statement files = db.Prepare("SELECT name, version, address FROM published_file ORDER BY name");
    while (files.Step()) {
        const std::string name = files.Text(0);
        std::string address = files.Text(2);
        if (address.empty() && !publicUrl.empty()) {
            address = FileAddress(publicUrl, name);
        }
        if (address.empty()) {
            continue; // no complete address to give: a client could not fetch it
        }
        body += "!" + std::to_string(files.Int(1)) + ";" + name + ";" + address + "\n";
    }
    return body;
}

std::string IdListAnswer(Database& db, const std::vector<char>& groups)
{
    std::string sql = "SELECT id FROM ad WHERE grp IN (";
    for (std::size_t i = 0; i < groups.size(); ++i) {
        sql += i == 0 ? "?" : ",?";
    }
    sql += ") ORDER BY seq DESC";
    Statement ids = db.Prepare(sql);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        ids.Bind(static_cast<int>(i + 1), std::string(1, groups[i]));
    }
    std::string body;
    while (ids.Step()) {
        body.append(ids.Bytes(0));
        body.push_back('\n');
    }
    return body;
}

std::optional<std::string> AdAnswer(Database& db, std::string_view id)
{
    Statement ad = db.Prepare("SELECT line FROM ad WHERE id = ?1");
    ad.BindBlob(1, id);
    if (!ad.Step()) {
        return std::nullopt;
    }
    return ad.Text(0) + "\n";
}

CompanyAnswer::CompanyAnswer(std::unique_ptr<Database> db, std::int32_t day)
    : db_(std::move(db)), snapshot_(*db_, Transaction::Kind::Deferred), tag_(EntityTag(*db_))
{
    Statement first =
        db_->Prepare("SELECT seq FROM answer WHERE changed >= ?1 ORDER BY changed, seq LIMIT 1");
    // The client's day is its own clock's: a day away from Bucharest's
    // either way. A day more of changes is only applied again, and a
    // blanking line for a name a client never held changes nothing; a line
    // missed would leave a company out of date or never blanked.
    first.Bind(1, AddDays(day, -1));
    if (!first.Step()) {
        done_ = true; // a day after the last change: nothing
        return;
    }
    const std::int64_t start = first.Int(0);
    rows_.emplace(db_->Prepare(
        "SELECT line FROM answer WHERE seq >= ?1 AND (since IS NULL OR since <= ?2) ORDER BY seq"));
    rows_->Bind(1, start).Bind(2, AddDays(day, 1));
}

bool CompanyAnswer::Fill(std::string& out, std::size_t size)
{
    while (!done_ && out.size() < size) {
        if (!rows_->Step()) {
            done_ = true;
            break;
        }
        out.append(rows_->Bytes(0));
        out.push_back('\n');
    }
    return !done_;
}

} // namespace dorvanta::publisher
