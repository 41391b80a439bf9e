// The company update: the answer of the publisher's server to a file under
// Temp/, scanned as it arrives, then applied to database.db.

#include "data/in_flight_file.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/settings_store.h"
#include "import/background_job.h"
#include "import/company_answer_scan.h"
#include "import/line_source.h"
#include "import/record_import.h"
#include "update/ole_date.h"
#include "update/updater.h"
#include "update/updater_running_scope.h"

#include <fstream>
#include <optional>

namespace dorvanta {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCompaniesPath = "/ro/select_c.php?LastUpdate=";

constexpr LocalDateTime kNoUpdateYet{2000, 1, 1, 0, 0, 0};

constexpr std::string_view kAnswerPrefix = "companies-";
constexpr std::string_view kAnswerSuffix = ".tmp";

// The lines of a company answer in its temporary file, which goes as soon as
// the last line is read: giving back the cached pages of 100 MB takes a
// while, and that goes on while the last records are written. `file` must
// outlive this object.
class AnswerLines final : public LineSource
{
public:
    explicit AnswerLines(std::optional<InFlightFile>& file) : lines_(file->path()), file_(file) {}

    bool Next(std::string& line) override { return lines_.Next(line); }
    bool NextView(std::string_view& line, std::string& storage) override
    {
        return lines_.NextView(line, storage);
    }
    void Rewind() override { lines_.Rewind(); }
    void Finished() override
    {
        lines_.Finished();
        remover_.Start([this] { file_.reset(); });
    }

private:
    FileLineSource lines_;
    std::optional<InFlightFile>& file_;
    BackgroundJob remover_; // joined before file_ can go
};

} // namespace

LocalDateTime Updater::ReadLastUpdate() const
{
    try {
        const auto bytes = settings_.ReadBinary(kSettingsKey, kLastUpdateValue);
        if (bytes) {
            if (const auto value = OleDateFromBytes(*bytes)) {
                if (const auto when = FromOleDate(*value)) {
                    return *when;
                }
            }
        }
    } catch (const std::exception&) {
        // An unreadable value means: ask for everything since the first day.
    }
    return kNoUpdateYet;
}

UpdateOutcome Updater::UpdateCompanies()
{
    if (running_) {
        return UpdateOutcome::Refused;
    }
    lastError_.clear();
    failureReason_.clear();
    RunningScope scope(*this, true);
    try {
        const std::string path = kCompaniesPath + FormatUpdateDate(ReadLastUpdate());
        // The first update of a fresh install receives the whole directory:
        // the answer goes to a file as it arrives and is applied line by line
        // from there, so memory does not grow with it.
        std::optional<InFlightFile> temp;
        const fs::path tempFolder = ResolveFile(folder_, "Temp");
        // The answer has nowhere to go (a program folder the user may not
        // write in, say): nothing is asked, and the status line says which
        // folder and why.
        const auto cannotWriteTemp = [&](const std::exception& error, int code) {
            lastError_ = error.what();
            SetStatus(FolderErrorText(FileError(tempFolder, FileOperation::Write, code), language_()));
            return UpdateOutcome::Failed;
        };
        try {
            fs::create_directories(tempFolder);
            // Answers of updates that were stopped (a kill, a crash, a lost
            // power) go now; a running update's answer is locked and stays.
            RemoveLeftovers(tempFolder, kAnswerPrefix, kAnswerSuffix);
            temp.emplace(tempFolder, kAnswerPrefix, kAnswerSuffix);
        } catch (const fs::filesystem_error& error) {
            return cannotWriteTemp(error, error.code().default_error_condition().value());
        } catch (const FileError& error) {
            return cannotWriteTemp(error, error.error());
        } catch (const std::exception& error) {
            return cannotWriteTemp(error, 0);
        }
        const fs::path answerFile = temp->path();
        // The lines are scanned for the names they look for as they arrive,
        // so the import reads the file once.
        CompanyAnswerScan scan;
        {
            // Opened without truncating: the file is new and empty, and a
            // truncated file makes some file systems (ext4) write it to disk
            // on close, which an answer of 100 MB that is read back at once
            // and removed never needs.
            std::ofstream file(answerFile, std::ios::binary | std::ios::in | std::ios::out);
            ScanningOutputStream out(file);
            // Not the server's fault: the disk is full or the folder is not
            // writable. Said as a failed write of database.db is.
            const auto cannotWrite = [&] {
                const FileError error(answerFile, FileOperation::Write, out.TargetError());
                lastError_ = error.what();
                SetStatus(FileErrorText(error, language_()));
                return UpdateOutcome::Failed;
            };
            try {
                http_.GetLargeToStream(server_ + path, out,
                                       [this](std::uint64_t received, std::uint64_t total) {
                                           progress_.SetBytesReceived(received, total);
                                       });
            } catch (const HttpError& error) {
                if (!out || !file) {
                    return cannotWrite();
                }
                NoteFailure(error);
                SetMessage(3);
                return UpdateOutcome::ConnectionFailed;
            }
            try {
                scan = out.Finish();
            } catch (const std::ios_base::failure&) {
                return cannotWrite();
            }
        }
        AnswerLines answer(temp);
        if (ImportCompanies(folder_, answer, scan, progress_, language_()).databaseMissing) {
            // Nothing was applied: the next update must ask from the same date.
            return UpdateOutcome::DatabaseMissing;
        }
        try {
            settings_.WriteBinary(kSettingsKey, kLastUpdateValue, OleDateBytes(ToOleDate(clock_())));
        } catch (const std::exception&) {
            // The changes are applied; an old date only makes the next update
            // ask for some of them again, which gives the same records.
        }
        return UpdateOutcome::Done;
    } catch (const FileError& error) {
        // database.db could not be opened, read or written: say which, in the
        // words the company search uses for a file it cannot open.
        lastError_ = error.what();
        SetStatus(FileErrorText(error, language_()));
        return UpdateOutcome::Failed;
    } catch (const std::exception& error) {
        lastError_ = error.what();
        return UpdateOutcome::Failed;
    }
}

} // namespace dorvanta
