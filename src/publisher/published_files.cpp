#include "publisher/published_files.h"

#include "data/in_flight_file.h"
#include "update/manifest.h"

#include <fstream>

namespace dorvanta::publisher {

namespace fs = std::filesystem;

std::string FileAddress(std::string_view publicUrl, std::string_view name)
{
    while (publicUrl.ends_with('/')) {
        publicUrl.remove_suffix(1);
    }
    return std::string(publicUrl) + "/files/" + std::string(name);
}

void PublishFile(Master& master, std::string_view name, std::string_view version, const fs::path& source,
                 std::string_view publicUrl)
{
    if (!IsSafeFileName(name)) {
        throw Refused("A client would not install a file named " + std::string(name));
    }
    const std::optional<int> number = ParseVersion(version);
    if (!number || version.find_first_of(" +") != std::string_view::npos) {
        throw Refused("The version must be a whole number: " + std::string(version));
    }
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) {
        throw Refused("Not a file: " + source.string());
    }
    Database& db = master.db();
    Transaction transaction(db);
    Statement held = db.Prepare("SELECT version FROM published_file WHERE name = ?1");
    held.Bind(1, name);
    if (held.Step() && held.Int(0) >= *number) {
        throw Refused("Version " + std::to_string(held.Int(0)) + " of " + std::string(name) +
                      " is published: clients take only a higher one");
    }
    held.Reset();

    const fs::path folder = master.root() / kFilesFolderName;
    InFlightFile copy(folder, "." + std::string(name) + "-", ".tmp");
    fs::copy_file(source, copy.path(), fs::copy_options::overwrite_existing, ec);
    if (ec) {
        throw Refused("Cannot copy " + source.string() + ": " + ec.message());
    }
    db.Prepare("INSERT INTO published_file(name, version, address) VALUES(?1, ?2, ?3) "
               "ON CONFLICT(name) DO UPDATE SET version = excluded.version, address = excluded.address")
        .Bind(1, name)
        .Bind(2, *number)
        .Bind(3, publicUrl.empty() ? std::string() : FileAddress(publicUrl, name))
        .Run();
    master.BumpGeneration();
    // The file is in place before the manifest names it.
    copy.Publish(folder / std::string(name));
    transaction.Commit();
}

} // namespace dorvanta::publisher
