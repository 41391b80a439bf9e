// dorvanta-publisher: the publisher's side of the updates. A master database
// in --root DIR, fed from the trade register's snapshots and the ads, and the
// protocol server that answers the installed programs from it.

#include "data/file_access.h"
#include "data/windows1250.h"
#include "import/register_snapshot.h"
#include "publisher/ads.h"
#include "publisher/days.h"
#include "publisher/master.h"
#include "publisher/published_files.h"
#include "publisher/register_ingest.h"
#include "publisher/server.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <pthread.h>
#include <thread>

namespace {

using namespace dorvanta::publisher;

constexpr int kExitRefused = 1;
constexpr int kExitFailed = 2;

std::string DayText(const std::optional<std::int32_t>& day)
{
    return day ? FormatDay(*day) : std::string("never");
}

void PrintIngest(const IngestOutcome& outcome)
{
    const auto& report = outcome.report;
    std::printf("%s: %lld companies published, %lld new or changed, %lld names blanked, %lld removed\n",
                FormatDay(outcome.day).c_str(), static_cast<long long>(outcome.companies),
                static_cast<long long>(outcome.changed), static_cast<long long>(outcome.blanked),
                static_cast<long long>(outcome.removed));
    std::printf("snapshot: %llu company rows, %llu ended, %llu namesakes, %llu rows left out\n",
                static_cast<unsigned long long>(report.companyRows),
                static_cast<unsigned long long>(report.ended),
                static_cast<unsigned long long>(report.namesakes),
                static_cast<unsigned long long>(report.shortRows + report.longRows + report.noRegistration +
                                                report.duplicateRegistration + report.noName));
    for (const std::string& missing : report.missingFiles) {
        std::printf("snapshot lacks %s\n", missing.c_str());
    }
}

int Serve(const std::filesystem::path& root, const std::string& listen, const std::string& publicUrl,
          int threads)
{
    std::string host;
    int port = 0;
    if (!SplitListenAddress(listen, host, port)) {
        std::fprintf(stderr, "dorvanta-publisher: --listen wants HOST:PORT, such as 127.0.0.1:8080\n");
        return kExitRefused;
    }
    // SIGTERM (systemd) and SIGINT end the server by a thread that waits for
    // them, so the stop runs outside a signal handler.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    ProtocolServer server(ServerOptions{root, publicUrl, threads});
    if (!server.Bind(host, port)) {
        std::fprintf(stderr, "dorvanta-publisher: cannot listen on %s\n", listen.c_str());
        return kExitFailed;
    }
    std::printf("dorvanta-publisher: listening on %s:%d\n", host.c_str(), server.port());
    std::fflush(stdout);
    std::thread stopper([&server, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.Stop();
    });
    server.Run();
    // Run also ends when the listening socket fails: wake the waiting thread.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"The publisher's side of Dorvanta: the master database and the update server.",
                 "dorvanta-publisher"};
    app.require_subcommand(1);
    app.fallthrough();
    std::string root;
    app.add_option("--root", root, "Folder of the master database (master.sqlite) and the published files")
        ->required()
        ->type_name("DIR");

    int code = 0;
    const auto guarded = [&code](auto&& work) {
        try {
            work();
        } catch (const Refused& error) {
            std::fprintf(stderr, "dorvanta-publisher: %s\n", error.what());
            code = kExitRefused;
        } catch (const dorvanta::RegisterFormatError& error) {
            std::fprintf(stderr, "dorvanta-publisher: %s\n", error.what());
            code = kExitRefused;
        } catch (const std::exception& error) {
            std::fprintf(stderr, "dorvanta-publisher: %s\n", error.what());
            code = kExitFailed;
        }
    };

    std::string snapshot, date;
    CLI::App* ingest =
        app.add_subcommand("ingest-register", "Take a snapshot of the trade register into the master");
    ingest->add_option("SNAPSHOT", snapshot, "The snapshot's folder (OD_FIRME.CSV and the files beside it)")
        ->required();
    ingest->add_option("--date", date, "Day of the changes, YYYY-MM-DD (default: today in Bucharest)");
    ingest->callback([&] {
        guarded([&] {
            const std::int32_t today = BucharestDay(std::time(nullptr));
            std::int32_t day = today;
            if (!date.empty()) {
                const auto parsed = ParseDay(date);
                if (!parsed) {
                    throw Refused("--date wants a day as YYYY-MM-DD: " + date);
                }
                if (*parsed > today) {
                    throw Refused("--date " + date + " is in the future");
                }
                day = *parsed;
            }
            Master master(root);
            PrintIngest(IngestRegister(master, snapshot, day));
        });
    });

    std::string adFile;
    CLI::App* addAd = app.add_subcommand("add-ad", "Add the business ads of FILE (UTF-8 ad lines)");
    addAd
        ->add_option("FILE", adFile, "Ad lines: 13 fields each ended by a backtick, field 2 the group letter")
        ->required();
    addAd->callback([&] {
        guarded([&] {
            Master master(root);
            const AddedAds added = AddAds(master, adFile);
            for (const std::string& id : added.ids) {
                std::printf("%s\n", dorvanta::Windows1250ToUtf8(id).c_str());
            }
        });
    });

    std::string adId;
    CLI::App* removeAd = app.add_subcommand("remove-ad", "Remove the business ad ID");
    removeAd->add_option("ID", adId, "The ad's identifier")->required();
    removeAd->callback([&] {
        guarded([&] {
            Master master(root);
            RemoveAd(master, adId);
        });
    });

    std::string fileName, version, path, publicUrl;
    CLI::App* publish = app.add_subcommand("publish-file", "Offer a file of the clients' Internet folder");
    publish->add_option("NAME", fileName, "Its name in Internet/")->required();
    publish->add_option("VERSION", version, "Its version, higher than the one published")->required();
    publish->add_option("PATH", path, "The file to publish")->required();
    publish
        ->add_option("--public-url", publicUrl,
                     "The public address of the server, such as http://update.dorvanta.ro")
        ->type_name("URL");
    publish->callback([&] {
        guarded([&] {
            Master master(root);
            PublishFile(master, fileName, version, path, publicUrl);
        });
    });

    CLI::App* status = app.add_subcommand("status", "Counts and dates of the master");
    status->callback([&] {
        guarded([&] {
            Master master(root);
            const MasterStatus s = master.Status();
            std::printf("companies published: %lld\nnames blanked: %lld\nads: %lld\nfiles: %lld\n"
                        "ingests: %lld\nlast ingest: %s\nlast change: %s\ngeneration: %lld\n",
                        static_cast<long long>(s.companies), static_cast<long long>(s.blankingLines),
                        static_cast<long long>(s.ads), static_cast<long long>(s.files),
                        static_cast<long long>(s.ingests), DayText(s.lastIngest).c_str(),
                        DayText(s.lastChange).c_str(), static_cast<long long>(s.generation));
        });
    });

    std::string listen = "127.0.0.1:8080";
    std::string servePublicUrl;
    int threads = 8;
    CLI::App* serve = app.add_subcommand("serve", "Answer the updates over HTTP (behind nginx)");
    serve->add_option("--listen", listen, "HOST:PORT to listen on")->capture_default_str();
    serve
        ->add_option("--public-url", servePublicUrl,
                     "The public address of the server, for files published without one")
        ->type_name("URL");
    serve->add_option("--threads", threads, "Requests answered at once")
        ->check(CLI::Range(1, 256))
        ->capture_default_str();
    serve->callback([&] { guarded([&] { code = Serve(root, listen, servePublicUrl, threads); }); });

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    return code;
}
