#pragma once

#include "data/language.h"
#include "update/updater.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace dorvanta {

class HttpClient;
class SettingsStore;

// One update at a time, run on a worker thread so the window stays free
// while the publisher answers. It owns the HTTP client and the updater,
// reports through signals (delivered on the window's thread), and holds the
// one "an update is running" flag that the window and the update dialog observe.
class UpdateSession : public QObject
{
    Q_OBJECT

public:
    // `serverBase` empty: the publisher's address (DORVANTA_SERVER overrides it).
    // The settings store must outlive the session.
    UpdateSession(std::filesystem::path programFolder, SettingsStore& settings,
                  const std::string& serverBase = {}, QObject* parent = nullptr);
    // Stops a running update and waits for its thread.
    ~UpdateSession() override;

    // From started() until finished() has been emitted.
    bool Running() const { return running_; }

    // Start an update and return at once; false, and nothing started, while
    // one runs.
    bool StartAds(const std::vector<bool>& checkedGroups);
    bool StartCompanies();
    // Applies the trade register's snapshot in `snapshot` to database.db,
    // on the same worker, with the gauge and the status line; stopped
    // between batches by CancelAndWait, the records written staying whole.
    bool StartRegisterImport(const std::filesystem::path& snapshot);

    // Stops the running update at its next wait for the network or between
    // two batches of its import (the records written stay whole and valid),
    // and waits for its thread to end; nothing it still reports is shown as
    // a box, and its late completion is dropped.
    void CancelAndWait();

    // The language the update writes its texts in.
    void SetLanguage(Language language) { language_ = language; }
    Language CurrentLanguage() const { return language_; }

signals:
    void started();
    void finished(dorvanta::UpdateOutcome outcome);
    void gaugeMaximum(int maximum);
    void gaugePosition(int position);
    void statusChanged(const QString& text);
    // Just before finished(): why the update could not fetch what it needed,
    // in its language ("HTTP 404", "connection refused"); empty when it did,
    // when the status line says it all, or when it was stopped.
    void failureReason(const QString& text);
    void information(const QString& text);
    void progressShown();
    void progressHidden();
    void dialogGaugeMaximum(int maximum);
    void dialogGaugePosition(int position);

    // From the worker to the session's own thread; not for observers.
    void informationFromWorker(const QString& text);

private:
    class Relay;
    template <typename Run> bool Start(Run run);
    void Finish(UpdateOutcome outcome, std::uint64_t generation);
    // Whether CancelAndWait asked the running update to stop: on the
    // session's thread from the worker's handle, on the worker from the
    // token it was started with (the handle is assigned while it starts).
    bool Stopped() const { return worker_.get_stop_token().stop_requested(); }
    bool StoppedOnWorker() const { return workerStop_.stop_requested(); }

    std::filesystem::path programFolder_;
    std::unique_ptr<Relay> relay_;
    std::unique_ptr<HttpClient> http_;
    std::unique_ptr<Updater> updater_;
    bool running_ = false;
    // Counts the updates started, so a late report of a stopped one is known.
    std::uint64_t generation_ = 0;
    std::stop_token workerStop_; // the worker's own while it runs
    std::jthread worker_;        // replaced only once joined
    std::atomic<Language> language_{Language::EN};
};

} // namespace dorvanta
