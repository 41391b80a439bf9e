#include "publisher/register_ingest.h"

#include "import/line_sink.h"
#include "import/register_companies.h"
#include "import/register_mapping.h"
#include "publisher/days.h"

#include <string>
#include <utility>
#include <vector>

namespace dorvanta::publisher {

namespace {

// Gathers the snapshot's "!" lines with the registration number that the
// builder names right after each one. Its "@" lines are not taken: which
// names to blank is decided against what the master has published.
class Staging
{
public:
    explicit Staging(Database& db)
        : insert_(db.Prepare("INSERT INTO temp.incoming(registration, key, line) VALUES(?1, ?2, ?3)"))
    {
    }

    void Line(std::string_view line)
    {
        if (line.starts_with('!')) {
            pending_.assign(line);
            hasPending_ = true;
        }
    }

    void Published(std::string_view entry)
    {
        const std::size_t caret = entry.find('^');
        if (!hasPending_ || caret == std::string_view::npos) {
            throw SqlError("The register's lines came without their registration numbers");
        }
        insert_.Bind(1, entry.substr(0, caret))
            .BindBlob(2, register_detail::KeyOf(entry.substr(caret + 1)))
            .BindBlob(3, pending_)
            .Run();
        hasPending_ = false;
    }

private:
    Statement insert_;
    std::string pending_;
    bool hasPending_ = false;
};

class LinesSink final : public LineSink
{
public:
    explicit LinesSink(Staging& staging) : staging_(staging) {}
    void Write(std::string_view line) override { staging_.Line(line); }

private:
    Staging& staging_;
};

class PublishedSink final : public LineSink
{
public:
    explicit PublishedSink(Staging& staging) : staging_(staging) {}
    void Write(std::string_view line) override { staging_.Published(line); }

private:
    Staging& staging_;
};

std::string BlankingLine(std::string_view key)
{
    RegisterLineFields fields;
    fields[0] = std::string(key);
    return CompanyLineOf(fields, true);
}

} // namespace

IngestOutcome IngestRegister(Master& master, const std::filesystem::path& snapshot, std::int32_t day,
                             RegisterReadProgress* progress)
{
    Database& db = master.db();
    IngestOutcome outcome;
    outcome.day = day;
    Transaction transaction(db);
    const std::int64_t last = master.Meta("last_ingest", 0);
    if (day < last) {
        throw Refused("The date " + FormatDay(day) + " is earlier than the last ingest's, " +
                      FormatDay(static_cast<std::int32_t>(last)));
    }

    db.Execute("DROP TABLE IF EXISTS temp.incoming");
    db.Execute("CREATE TEMP TABLE incoming(ord INTEGER PRIMARY KEY, registration TEXT NOT NULL UNIQUE, "
               "key BLOB NOT NULL, line BLOB NOT NULL)");
    {
        Staging staging(db);
        LinesSink lines(staging);
        PublishedSink published(staging);
        outcome.report = BuildRegisterLines(snapshot, RegisterLinesOptions{}, lines, &published, progress);
    }
    db.Execute("CREATE INDEX temp.incoming_key ON incoming(key)");

    // Blanking lines first, so that within a day they come before the lines
    // of the names that replace them. A name still published by another
    // company is no name gone.
    {
        std::vector<std::pair<std::string, std::int64_t>> gone;
        Statement query = db.Prepare("SELECT c.key, min(c.since) FROM company c "
                                     "WHERE NOT EXISTS (SELECT 1 FROM temp.incoming i WHERE i.key = c.key) "
                                     "GROUP BY c.key ORDER BY min(c.seq)");
        while (query.Step()) {
            gone.emplace_back(query.Text(0), query.Int(1));
        }
        Statement insert = db.Prepare("INSERT OR REPLACE INTO answer(changed, since, blanked, line) "
                                      "VALUES(?1, ?2, ?3, ?4)");
        for (const auto& [key, since] : gone) {
            insert.Bind(1, day).Bind(2, since).BindBlob(3, key).BindBlob(4, BlankingLine(key)).Run();
        }
        outcome.blanked = static_cast<std::int64_t>(gone.size());
    }

    // The companies whose line is new or changed, with the day from which
    // their name has been published without a break (kept through a change
    // of content, or a name passed from one company to another).
    struct Change
    {
        std::int64_t ord;
        std::int64_t since;
    };
    std::vector<Change> changes;
    {
        Statement query =
            db.Prepare("SELECT i.ord, (SELECT min(o.since) FROM company o WHERE o.key = i.key) "
                       "FROM temp.incoming i LEFT JOIN company c ON c.registration = i.registration "
                       "LEFT JOIN answer a ON a.seq = c.seq "
                       "WHERE a.line IS NULL OR a.line <> i.line ORDER BY i.ord");
        while (query.Step()) {
            changes.push_back(Change{query.Int(0), query.IsNull(1) ? day : query.Int(1)});
        }
    }

    // Companies no longer published lose their line.
    db.Execute("DELETE FROM answer WHERE seq IN (SELECT c.seq FROM company c WHERE NOT EXISTS "
               "(SELECT 1 FROM temp.incoming i WHERE i.registration = c.registration))");
    db.Execute("DELETE FROM company WHERE registration NOT IN (SELECT registration FROM temp.incoming)");
    outcome.removed = db.Changes();

    {
        Statement incoming = db.Prepare("SELECT registration, key, line FROM temp.incoming WHERE ord = ?1");
        Statement oldSeq = db.Prepare("SELECT seq FROM company WHERE registration = ?1");
        Statement dropLine = db.Prepare("DELETE FROM answer WHERE seq = ?1");
        Statement dropBlanking = db.Prepare("DELETE FROM answer WHERE blanked = ?1");
        Statement insertLine = db.Prepare("INSERT INTO answer(changed, line) VALUES(?1, ?2)");
        Statement upsert =
            db.Prepare("INSERT INTO company(registration, key, since, seq) VALUES(?1, ?2, ?3, ?4) "
                       "ON CONFLICT(registration) DO UPDATE SET key = excluded.key, since = excluded.since, "
                       "seq = excluded.seq");
        for (const Change& change : changes) {
            incoming.Bind(1, change.ord);
            if (!incoming.Step()) {
                throw SqlError("A staged company went missing");
            }
            const std::string registration = incoming.Text(0);
            const std::string key = incoming.Text(1);
            const std::string line = incoming.Text(2);
            incoming.Reset();
            oldSeq.Bind(1, registration);
            if (oldSeq.Step()) {
                const std::int64_t seq = oldSeq.Int(0);
                oldSeq.Reset();
                dropLine.Bind(1, seq).Run();
            } else {
                oldSeq.Reset();
            }
            dropBlanking.BindBlob(1, key).Run();
            insertLine.Bind(1, day).BindBlob(2, line).Run();
            upsert.Bind(1, registration)
                .BindBlob(2, key)
                .Bind(3, change.since)
                .Bind(4, db.LastInsertId())
                .Run();
        }
    }
    outcome.changed = static_cast<std::int64_t>(changes.size());
    db.Execute("DROP TABLE temp.incoming");

    {
        Statement count = db.Prepare("SELECT count(*) FROM company");
        outcome.companies = count.Step() ? count.Int(0) : 0;
    }
    master.SetMeta("last_ingest", day);
    if (outcome.changed + outcome.blanked + outcome.removed > 0) {
        master.BumpGeneration();
    }
    db.Prepare("INSERT INTO ingest(day, companies, changed, blanked, removed) VALUES(?1, ?2, ?3, ?4, ?5)")
        .Bind(1, day)
        .Bind(2, outcome.companies)
        .Bind(3, outcome.changed)
        .Bind(4, outcome.blanked)
        .Bind(5, outcome.removed)
        .Run();
    transaction.Commit();
    return outcome;
}

} // namespace dorvanta::publisher
