// dorvanta-register-sample --out DIR [--companies N] [--seed S]
// Writes a synthetic snapshot of the trade register's open data into DIR.

#include "register_sample.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

int main(int argc, char** argv)
{
    std::string out;
    std::uint64_t companies = 4200000;
    std::uint64_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        const std::string_view value = argv[i + 1];
        std::uint64_t number = 0;
        const bool isNumber = std::from_chars(value.data(), value.data() + value.size(), number).ptr ==
                              value.data() + value.size();
        if (option == "--out") {
            out = value;
        } else if (option == "--companies" && isNumber) {
            companies = number;
        } else if (option == "--seed" && isNumber) {
            seed = number;
        } else {
            out.clear();
            break;
        }
    }
    if (out.empty() || argc % 2 == 0) {
        std::fputs(
            "Usage: dorvanta-register-sample --out DIR [--companies N] [--seed S]\n"
            "Writes a synthetic snapshot of the trade register (default 4200000 companies) into DIR.\n",
            stderr);
        return 2;
    }
    try {
        const auto figures = dorvanta::register_sample::WriteRegisterSnapshot(out, companies, seed);
        std::printf(
            "%llu companies, %llu ended, %llu namesakes, %llu names with diacritics, %llu names over 80, "
            "%llu state rows, %llu activity rows, %.0f MB\n",
            static_cast<unsigned long long>(figures.companies),
            static_cast<unsigned long long>(figures.ended),
            static_cast<unsigned long long>(figures.namesakes),
            static_cast<unsigned long long>(figures.withDiacritics),
            static_cast<unsigned long long>(figures.longNames),
            static_cast<unsigned long long>(figures.stateRows),
            static_cast<unsigned long long>(figures.activityRows), figures.bytes / 1e6);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dorvanta-register-sample: %s\n", error.what());
        return 2;
    }
    return 0;
}
