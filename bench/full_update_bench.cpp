// The first company update of a fresh install: the whole directory, about
// 300,000 companies in an answer of about 100 MB, served on 127.0.0.1 and
// applied by dorvanta-cli update-companies to a file that holds the same
// companies. Measured: the time to receive the answer alone, the command's
// time (medians of five runs of each, taken in turn), and its peak memory
// (/usr/bin/time -f %M).

#include "full_update_bench.h"
#include "process.h"

#include "data/company_record.h"
#include "data/record_file.h"
#include "data/text.h"
#include "sample_data.h"
#include "net/http_client.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace bench {

namespace {

namespace fs = std::filesystem;
// A company answer line of about 330 bytes, as the server sends them.
std::string AnswerLine(const std::string& name, std::uint64_t serial)
{
    const std::string number = std::to_string(serial);
    std::string line = "!" + name + "`CJ`Str. Memorandumului nr. " + number +
                       ", bloc A, scara 2, apartament 14, Cluj-Napoca`Ion Popescu`0722 111222`0264 123456`"
                       "0264 123457`office@firma" +
                       number + ".ro`www.firma" + number + ".ro`a.a.1*t`a.b.2*s```";
    line += "Productie si comert cu materiale de constructii, transport marfa, servicii de consultanta, "
            "actualizat la prima actualizare completa (" +
            number + ")`";
    return line;
}

double Median(std::vector<double> values)
{
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A copy of `from` as a database.db that has been on the disk for a while:
// a new file (a file cut to nothing and written again is written to disk
// when closed, on ext4), written to the disk before the update starts, its
// pages clean in the page cache.
void CopyAsStored(const fs::path& from, const fs::path& to)
{
    fs::remove(to);
    fs::copy_file(from, to);
    const int descriptor = ::open(to.c_str(), O_RDONLY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

void FullCompanyUpdate(const fs::path& dir, std::uint64_t companies, const fs::path& cli)
{
    const fs::path work = dir / "full-update";
    fs::remove_all(work);
    fs::create_directories(work / "app");
    fs::create_directories(work / "home");
    const fs::path pristine = work / "database.db";
    dorvanta::sample_data::WriteSampleCompanies(pristine, companies, dorvanta::sample_data::kDefaultSeed + 1);

    // Every stored company comes back (in other letter case, with new
    // details); blanked records are made up by new companies.
    std::string answer;
    answer.reserve(companies * 340);
    std::uint64_t replaced = 0;
    {
        dorvanta::RecordFile records(pristine, dorvanta::company_layout::kRecordSize);
        dorvanta::CompanyRecord::Raw raw{};
        for (std::uint64_t i = 0; i < companies; ++i) {
            records.Read(i, raw.data());
            const auto record = dorvanta::CompanyRecord::Decode(raw.data());
            if (record.IsDeleted()) {
                answer += AnswerLine("FIRMA NOUA " + std::to_string(i) + " SRL", i) + "\r\n";
            } else {
                answer += AnswerLine(dorvanta::ToLowerAZ(record.Company), i) + "\r\n";
                ++replaced;
            }
        }
    }

    httplib::Server server;
    server.Get("/ro/select_c.php", [&answer](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(
            answer.size(), "text/plain",
            [&answer](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                sink.write(answer.data() + offset, std::min<std::size_t>(length, answer.size() - offset));
                return true;
            });
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&server] { server.listen_after_bind(); });
    while (!server.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    const std::string url = base + "/ro/select_c.php?LastUpdate=2000-01-01";

    setenv("HOME", (work / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work / "home").c_str(), 1);
    // Receiving alone and the whole update, taken in turn, five times each:
    // the machine's pace drifts, and medians of runs side by side compare
    // the two under the same conditions.
    constexpr int kRounds = 5;
    std::vector<double> receives;
    std::vector<double> updates;
    long peakKb = 0;
    // User and system time of the command: less shaken by other load than the wall clock.
    double user = 1e9;
    double system = 1e9;
    std::string said;
    for (int round = 0; round < kRounds; ++round) {
        {
            // The same request, the body written to a new file as the update does.
            fs::remove(work / "received.tmp");
            const auto client = dorvanta::MakeCurlHttpClient();
            std::ofstream out(work / "received.tmp", std::ios::binary);
            const auto start = Clock::now();
            client->GetLargeToStream(url, out, {});
            out.close();
            receives.push_back(Seconds(Clock::now() - start));
            fs::remove(work / "received.tmp");
        }
        CopyAsStored(pristine, work / "app" / "database.db");
        const auto start = Clock::now();
        const int code = Run({"/usr/bin/time", "-f", "%M %U %S", "-o", (work / "peak").string(), cli.string(),
                              "--dir", (work / "app").string(), "--server", base, "update-companies"},
                             work / "out", work / "err");
        updates.push_back(Seconds(Clock::now() - start));
        long kb = 0;
        double runUser = 0;
        double runSystem = 0;
        if (std::sscanf(ReadText(work / "peak").c_str(), "%ld %lf %lf", &kb, &runUser, &runSystem) == 3) {
            peakKb = std::max(peakKb, kb);
            if (runUser + runSystem < user + system) {
                user = runUser;
                system = runSystem;
            }
        }
        said = ReadText(work / "out");
        if (code != 0) {
            std::printf("update-companies failed (%d): %s\n", code, ReadText(work / "err").c_str());
            break;
        }
    }
    const double receive = Median(receives);
    const double update = Median(updates);
    server.stop();
    thread.join();

    std::printf("\nfull company update, %llu companies (%llu replaced, the rest new), answer %.1f MB:\n",
                static_cast<unsigned long long>(companies), static_cast<unsigned long long>(replaced),
                answer.size() / 1e6);
    std::printf("  dorvanta-cli said: %s", said.c_str());
    std::printf("  receive the answer on loopback (median): %6.1f ms\n", receive * 1e3);
    std::printf("  update-companies, receive and apply:     %6.1f ms\n", update * 1e3);
    std::printf("  ratio update / receive:                  %6.2f\n", update / receive);
    std::printf("  processor time of update-companies:    %8.1f ms (user %.0f, system %.0f)\n",
                (user + system) * 1e3, user * 1e3, system * 1e3);
    std::printf("  peak memory of dorvanta-cli:           %8.1f MB\n", peakKb / 1024.0);
    std::printf("  Temp/ left empty:                      %8s\n",
                fs::is_empty(work / "app" / "Temp") ? "yes" : "NO");
    fs::remove_all(work);
}

} // namespace bench
