#include "app/update_session.h"

#include "app/windows1250.h"
#include "data/file_access.h"
#include "data/messages.h"
#include "import/register_import.h"
#include "import/register_snapshot.h"
#include "import/update_progress.h"
#include "net/http_client.h"

#include <QDateTime>

#include <algorithm>
#include <exception>

namespace dorvanta {

namespace {

LocalDateTime Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

} // namespace

// The updater's outlets, called on the worker thread: each becomes a signal,
// which Qt queues to the session's thread.
class UpdateSession::Relay : public UpdateProgress
{
public:
    explicit Relay(UpdateSession& session) : session_(session) {}

    void SetGaugeMaximum(int maximum) override
    {
        maximum_ = maximum;
        shown_ = -1;
        emit session_.gaugeMaximum(maximum);
    }
    // A full-size company answer moves the gauge once for each of hundreds
    // of thousands of lines; a queued signal for each would flood the
    // window's event queue. A thousandth of the gauge is finer than it draws.
    void SetGaugePosition(int position) override
    {
        const int step = std::max(1, maximum_ / 1000);
        if (shown_ >= 0 && position > shown_ && position - shown_ < step && position < maximum_ - 1) {
            return;
        }
        shown_ = position;
        emit session_.gaugePosition(position);
    }
    // The company answer fills the gauge while it arrives (when the server
    // gives its length), before the lines fill it again as they are applied:
    // a full-size answer takes a while, and an empty gauge looks stuck.
    void SetBytesReceived(std::uint64_t received, std::uint64_t total) override
    {
        if (total == 0 || received > total) {
            return;
        }
        if (maximum_ != kReceivedSteps) {
            SetGaugeMaximum(kReceivedSteps);
        }
        SetGaugePosition(static_cast<int>(received * kReceivedSteps / total));
    }
    void SetStatus(const std::string& text) override
    {
        emit session_.statusChanged(Windows1250ToQString(text));
    }
    void ShowInformation(const std::string& text) override
    {
        emit session_.informationFromWorker(Windows1250ToQString(text));
    }
    // Another copy of the program is writing the file: the status line says
    // why the update does not move on.
    void WaitingForFile(const std::string& fileName) override
    {
        SetStatus(WaitingForFileText(fileName, session_.language_.load()));
    }
    void ShowUpdateProgress() override { emit session_.progressShown(); }
    void HideUpdateProgress() override { emit session_.progressHidden(); }
    void SetDialogGaugeMaximum(int maximum) override { emit session_.dialogGaugeMaximum(maximum); }
    void SetDialogGaugePosition(int position) override { emit session_.dialogGaugePosition(position); }
    // A window that closes during a long import does not wait for its end.
    bool StopRequested() override { return session_.StoppedOnWorker(); }

private:
    UpdateSession& session_;
    static constexpr int kReceivedSteps = 1000;
    // The worker thread's own.
    int maximum_ = 0;
    int shown_ = -1;
};

UpdateSession::UpdateSession(std::filesystem::path programFolder, SettingsStore& settings,
                             const std::string& serverBase, QObject* parent)
    : QObject(parent), programFolder_(programFolder), relay_(std::make_unique<Relay>(*this))
{
    HttpOptions options;
    // Called on the worker while a request waits: a stopped update leaves the
    // request there, and the updater handles it as any failed request.
    options.idle = [this] {
        if (StoppedOnWorker()) {
            throw HttpError("the update was stopped");
        }
    };
    http_ = MakeCurlHttpClient(std::move(options));
    updater_ = std::make_unique<Updater>(std::move(programFolder), ServerBaseAddress(serverBase), *http_,
                                         settings, *relay_, &Now, [this] { return language_.load(); });
    // A box is shown only while the update has not been stopped, also when
    // it was asked for just before.
    connect(this, &UpdateSession::informationFromWorker, this, [this](const QString& text) {
        if (!Stopped()) {
            emit information(text);
        }
    });
}

UpdateSession::~UpdateSession()
{
    CancelAndWait();
}

template <typename Run> bool UpdateSession::Start(Run run)
{
    if (running_) {
        return false;
    }
    // A worker that was stopped has been joined; one that ended by itself
    // has only its Finish() left to run, which is dropped now.
    worker_ = {};
    running_ = true;
    const std::uint64_t generation = ++generation_;
    emit started();
    worker_ = std::jthread([this, run, generation](std::stop_token stop) {
        workerStop_ = std::move(stop);
        UpdateOutcome outcome = UpdateOutcome::Failed;
        try {
            outcome = run(*updater_);
        } catch (const std::exception&) {
            // The updater reports what the user must know; the gauge must not stay up.
            relay_->HideUpdateProgress();
        }
        QMetaObject::invokeMethod(
            this, [this, outcome, generation] { Finish(outcome, generation); }, Qt::QueuedConnection);
    });
    return true;
}

bool UpdateSession::StartAds(const std::vector<bool>& checkedGroups)
{
    return Start([checkedGroups](Updater& updater) { return updater.UpdateAds(checkedGroups); });
}

bool UpdateSession::StartCompanies()
{
    return Start([](Updater& updater) { return updater.UpdateCompanies(); });
}

namespace {

// The reading of a snapshot, before any record is written: the gauge follows
// the bytes of each file, the status line names it. Called on the worker.
class RegisterReading final : public RegisterReadProgress
{
public:
    RegisterReading(UpdateSession& session, UpdateProgress& progress, Language language)
        : session_(session), progress_(progress), language_(language)
    {
    }
    void Reading(std::string_view step, std::uint64_t done, std::uint64_t total) override
    {
        if (progress_.StopRequested()) {
            throw ImportStopped();
        }
        if (step != step_) {
            step_ = std::string(step);
            // A step without a size is the ranking of the namesakes between the readings.
            const auto utf8 = [](std::string_view text) {
                return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
            };
            const QString text =
                total > 0 ? utf8(Pick(language_, "Reading ", "Citesc ")) + utf8(step_)
                          : utf8(Pick(language_, "Ranking the namesakes", "Ordonez firmele cu acelasi nume"));
            emit session_.statusChanged(text + QStringLiteral("..."));
            progress_.SetGaugeMaximum(kSteps);
        }
        if (total > 0) {
            progress_.SetGaugePosition(static_cast<int>(std::min(done, total) * kSteps / total));
        }
    }

private:
    static constexpr int kSteps = 1000;
    UpdateSession& session_;
    UpdateProgress& progress_;
    Language language_;
    std::string step_;
};

} // namespace

bool UpdateSession::StartRegisterImport(const std::filesystem::path& snapshot)
{
    return Start([this, snapshot](Updater&) {
        const Language language = language_.load();
        relay_->ShowUpdateProgress();
        UpdateOutcome outcome = UpdateOutcome::Failed;
        try {
            RegisterReading reading(*this, *relay_, language);
            const RegisterImportOutcome done =
                ImportRegister(programFolder_, snapshot, false, *relay_, &reading, language);
            relay_->SetStatus(RegisterImportedText(done.report.companyLines, language));
            outcome = UpdateOutcome::Done;
        } catch (const ImportStopped&) {
            // The window is closing: nothing to tell.
        } catch (const RegisterFormatError& error) {
            emit statusChanged(QString::fromStdString(error.Text(language)));
        } catch (const FileError& error) {
            relay_->SetStatus(FileErrorText(error, language));
        }
        relay_->HideUpdateProgress();
        return outcome;
    });
}

void UpdateSession::Finish(UpdateOutcome outcome, std::uint64_t generation)
{
    // The completion of an update stopped before (CancelAndWait reported it)
    // must not join a newer worker nor report the old outcome as its own.
    if (generation != generation_ || !running_) {
        return;
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    running_ = false;
    // The worker has ended: the updater is this thread's to read.
    emit failureReason(Stopped() ? QString() : Windows1250ToQString(updater_->FailureReason()));
    emit finished(outcome);
}

void UpdateSession::CancelAndWait()
{
    if (!running_ && !worker_.joinable()) {
        return;
    }
    worker_.request_stop();
    if (worker_.joinable()) {
        worker_.join();
    }
    Finish(UpdateOutcome::Failed, generation_);
}

} // namespace dorvanta
