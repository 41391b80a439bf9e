#pragma once

#include "publisher/master.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The business ads the publisher offers, each with its domain group.
namespace dorvanta::publisher {

struct AddedAds
{
    std::vector<std::string> ids; // as stored (Windows-1250), in the order of the file
};

// Adds the ads of `file`: UTF-8 lines of the ad format (13 fields, each
// ended by a backtick; field 2 the domain group letter a to j). An empty
// first field gets the next free number. All or nothing: Refused names the
// first line that cannot be taken (a missing backtick, a group that is no
// letter a to j, an identifier longer than 6 characters or already held,
// text the code page cannot hold, no number left).
AddedAds AddAds(Master& master, const std::filesystem::path& file);

// Refused when no ad has this identifier (UTF-8).
void RemoveAd(Master& master, std::string_view id);

} // namespace dorvanta::publisher
