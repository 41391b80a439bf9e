#include "publisher/answers.h"

#include "publisher/days.h"
#include "publisher/published_files.h"

namespace dorvanta::publisher {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::string> PercentDecoded(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return out;
}

} // namespace

std::optional<std::map<std::string, std::string>> ParseQuery(std::string_view query)
{
    std::map<std::string, std::string> parameters;
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            return std::nullopt;
        }
        std::optional<std::string> name = PercentDecoded(pair.substr(0, equals));
        std::optional<std::string> value = PercentDecoded(pair.substr(equals + 1));
        if (!name || !value || name->empty() || !parameters.emplace(*name, *value).second) {
            return std::nullopt;
        }
    }
    return parameters;
}

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
        ids.BindText(static_cast<int>(i + 1), std::string(1, groups[i]));
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

CompanyAnswer::CompanyAnswer(std::unique_ptr<Database> db, std::int32_t day) : db_(std::move(db))
{
    // One read transaction from the tag to the last line.
    db_->Execute("BEGIN");
    tag_ = EntityTag(*db_);
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

CompanyAnswer::~CompanyAnswer()
{
    rows_.reset();
    try {
        db_->Execute("COMMIT");
    } catch (const SqlError&) {
    }
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
