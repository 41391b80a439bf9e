#pragma once

#include "publisher/master.h"

#include <filesystem>
#include <string>
#include <string_view>

// The files of the clients' Internet/ folder that the publisher offers, and
// the manifest (update.txt) that lists them with their versions.
namespace dorvanta::publisher {

// Copies `source` into root/files/NAME (whole or not at all) and records its
// version. The manifest's address is `publicUrl` + "/files/" + NAME; with no
// public address the server's own is used when it answers. Refused for a
// name a client would not install, a version that is no integer, or a
// version not higher than the one published (clients install only a
// higher one).
void PublishFile(Master& master, std::string_view name, std::string_view version,
                 const std::filesystem::path& source, std::string_view publicUrl);

// The address of a published file under a server's public address.
std::string FileAddress(std::string_view publicUrl, std::string_view name);

} // namespace dorvanta::publisher
