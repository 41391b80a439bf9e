#include "register_snapshot.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

namespace fs = std::filesystem;

namespace {

std::uint64_t Mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// The value number `salt` of company `i`: every field is a function of the
// company, so each file can be written in its own order.
struct Draw
{
    std::uint64_t seed;
    std::uint64_t operator()(std::uint64_t i, std::uint64_t salt) const
    {
        return Mix(seed ^ Mix(i * 64 + salt));
    }
};

class Output
{
public:
    Output(const fs::path& path, bool byteOrderMark) : file_(std::fopen(path.c_str(), "wb"))
    {
        if (!file_) {
            throw std::runtime_error("cannot create " + path.string());
        }
        buffer_.reserve(kFlush + 4096);
        if (byteOrderMark) {
            buffer_ += "\xEF\xBB\xBF";
        }
    }
    ~Output()
    {
        if (file_) {
            std::fclose(file_);
        }
    }
    std::string& text() { return buffer_; }
    void EndRow(bool crlf)
    {
        buffer_ += crlf ? "\r\n" : "\n";
        if (buffer_.size() >= kFlush) {
            Flush();
        }
    }
    std::uint64_t Close()
    {
        Flush();
        const bool failed = std::fclose(file_) != 0;
        file_ = nullptr;
        if (failed) {
            throw std::runtime_error("cannot write the snapshot");
        }
        return written_;
    }

private:
    static constexpr std::size_t kFlush = std::size_t{4} << 20;
    void Flush()
    {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            throw std::runtime_error("cannot write the snapshot");
        }
        written_ += buffer_.size();
        buffer_.clear();
    }
    std::FILE* file_;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

constexpr std::array<std::string_view, 24> kPlainWords = {
    "ALFA",  "BETA", "DELTA",  "NOVA",   "PRIMA",  "EURO",    "TRANS", "AGRO",
    "TEHNO", "MEGA", "GLOBAL", "VEST",   "NORD",   "CENTRAL", "STAR",  "MEDIA",
    "IMPEX", "PROD", "GRUP",   "INVEST", "DESIGN", "AUTO",    "ECO",   "CASA"};
// Written with comma below; the cedilla spelling is made from them.
constexpr std::array<std::string_view, 16> kMarkedWords = {
    "CONSTRUCȚII", "ȘTIINȚA", "BRAȘOV",  "TIMIȘOARA", "IAȘI",  "PĂDUREA",     "ÎNFRĂȚIREA", "TÂRGU",
    "MUREȘ",       "ȚARA",    "GRĂDINA", "MĂRĂȘEȘTI", "ARGEȘ", "Construcții", "Brașov",     "Pădurea"};
constexpr std::string_view kLongTail =
    " SOCIETATE COMERCIALĂ PENTRU PRODUCȚIE, COMERȚ ȘI SERVICII ÎN DOMENIUL CONSTRUCȚIILOR CIVILE";
constexpr std::array<std::string_view, 7> kForms = {"SRL", "SRL", "SRL", "SA", "PFA", "II", "SNC"};
constexpr std::array<std::string_view, 14> kSyllables = {"BA", "CO", "DI", "MU", "RE", "SA", "TI",
                                                         "LO", "VE", "NA", "PI", "GO", "ZE", "FU"};

// The county as the register writes it, in its several spellings, and the
// town written beside it.
struct Place
{
    std::string_view county;
    std::string_view town;
};
constexpr std::array<Place, 22> kPlaces = {{{"București", "București Sectorul 1"},
                                            {"Municipiul București", "București Sectorul 3"},
                                            {"BUCURESTI", "Bucuresti"},
                                            {"Cluj", "Cluj-Napoca"},
                                            {"CLUJ", "Turda"},
                                            {"Timiș", "Timișoara"},
                                            {"Timiş", "Lugoj"},
                                            {"Iași", "Iași"},
                                            {"Constanța", "Constanța"},
                                            {"Brașov", "Brașov"},
                                            {"Bistrița-Năsăud", "Bistrița"},
                                            {"Caraș-Severin", "Reșița"},
                                            {"Argeș", "Pitești"},
                                            {"Prahova", "Ploiești"},
                                            {"Dolj", "Craiova"},
                                            {"Ilfov", "Voluntari"},
                                            {"Mureș", "Târgu Mureș"},
                                            {"Sibiu", "Sibiu"},
                                            {"Bihor", "Oradea"},
                                            {"Galați", "Galați"},
                                            {"Suceava", "Suceava"},
                                            {"Vâlcea", "Râmnicu Vâlcea"}}};

// Real classes of the 2008 edition, of many divisions; the 2025 edition uses
// the same four digits for most of them.
constexpr std::array<int, 64> kClasses = {
    111,  113,  1011, 1071, 1413, 1610, 2229, 2511, 2599, 3101, 3312, 3511, 3811, 4120, 4211, 4221,
    4321, 4322, 4331, 4332, 4399, 4511, 4520, 4532, 4613, 4619, 4639, 4646, 4690, 4711, 4719, 4721,
    4730, 4741, 4771, 4778, 4791, 4941, 5210, 5229, 5510, 5610, 5630, 5811, 6201, 6202, 6209, 6311,
    6810, 6820, 6910, 6920, 7022, 7111, 7311, 7490, 7711, 7810, 8121, 8299, 8559, 8621, 9412, 9602};

struct StateName
{
    int code;
    std::string_view name;
};
constexpr std::array<StateName, 8> kStates = {{{1048, "funcțiune"},
                                               {1049, "dizolvare"},
                                               {1052, "lichidare"},
                                               {1070, "faliment"},
                                               {1074, "întrerupere temporară de activitate"},
                                               {1084, "radiată"},
                                               {2069, "sediu expirat"},
                                               {2011, "reorganizare judiciară"}}};

// Comma below to cedilla, for the other spelling the register mixes in.
std::string Cedilla(std::string_view text)
{
    std::string out(text);
    const auto swap = [&](std::string_view from, std::string_view to) {
        for (std::size_t at = out.find(from); at != std::string::npos; at = out.find(from, at + to.size())) {
            out.replace(at, from.size(), to);
        }
    };
    swap("\xC8\x98", "\xC5\x9E"); // Ș Ş
    swap("\xC8\x99", "\xC5\x9F"); // ș ş
    swap("\xC8\x9A", "\xC5\xA2"); // Ț Ţ
    swap("\xC8\x9B", "\xC5\xA3"); // ț ţ
    return out;
}

std::string BaseName(const Draw& draw, std::uint64_t i)
{
    std::string name;
    // A made-up word of its own keeps the names apart.
    for (std::uint64_t n = i + 1; n > 0; n /= kSyllables.size()) {
        name += kSyllables[n % kSyllables.size()];
    }
    const std::uint64_t r = draw(i, 1);
    name += ' ';
    if (r % 3 == 0) {
        const std::string_view word = kMarkedWords[(r >> 8) % kMarkedWords.size()];
        name += (r >> 16) % 2 ? Cedilla(word) : std::string(word);
    } else {
        name += kPlainWords[(r >> 8) % kPlainWords.size()];
    }
    if ((r >> 24) % 100 == 0) {
        name += (r >> 32) % 2 ? Cedilla(kLongTail) : std::string(kLongTail);
    }
    name += ' ';
    name += kForms[(r >> 40) % kForms.size()];
    return name;
}

// Which company's name company `i` bears: its own, or for about 2.5 % an
// earlier company's.
std::uint64_t NameSource(const Draw& draw, std::uint64_t i)
{
    const std::uint64_t r = draw(i, 2);
    if (i > 0 && r % 1000 < 25) {
        return i - 1 - (r >> 10) % std::min<std::uint64_t>(i, 5000);
    }
    return i;
}

std::string Registration(const Draw& draw, std::uint64_t i)
{
    const std::uint64_t r = draw(i, 3);
    return "J" + std::to_string(1 + r % 52) + "/" + std::to_string(i + 1) + "/" +
           std::to_string(1991 + (r >> 8) % 34);
}

bool StruckOff(const Draw& draw, std::uint64_t i)
{
    return draw(i, 4) % 2 == 0;
}

std::vector<std::uint32_t> Shuffled(std::uint64_t count, std::uint64_t seed)
{
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    for (std::uint64_t k = count; k > 1; --k) {
        std::swap(order[k - 1], order[Mix(seed + k) % k]);
    }
    return order;
}

void Field(std::string& out, std::string_view text)
{
    out += text;
    out += '^';
}

void WriteCompanies(const fs::path& folder, const Draw& draw, std::uint64_t companies, SnapshotCounts& counts)
{
    Output out(folder / "od_firme.csv", true);
    out.text() += "DENUMIRE^CUI^COD_INMATRICULARE^DATA_INMATRICULARE^EUID^FORMA_JURIDICA^ADR_TARA^ADR_JUDET^"
                  "ADR_LOCALITATE^ADR_DEN_STRADA^ADR_NR_STRADA^ADR_BLOC^ADR_SCARA^ADR_ETAJ^ADR_APARTAMENT^"
                  "ADR_COD_POSTAL^ADR_SECTOR^ADR_COMPLETARE^WEB^TARA_FIRMA_MAMA";
    out.EndRow(true);
    for (const std::uint32_t i : Shuffled(companies, draw.seed + 11)) {
        std::string& row = out.text();
        const std::uint64_t r = draw(i, 5);
        const std::string registration = Registration(draw, i);
        Field(row, BaseName(draw, NameSource(draw, i)));
        Field(row, std::to_string(1000000 + i * 7 + r % 7));
        Field(row, registration);
        const std::uint64_t d = draw(i, 3);
        row += std::to_string(1 + d % 28) + "/" + std::to_string(1 + (d >> 5) % 12) + "/" +
               std::to_string(1991 + (d >> 8) % 34) + "^";
        Field(row, "ROONRC." + registration);
        Field(row, kForms[(r >> 4) % kForms.size()]);
        const bool foreign = r % 500 == 0;
        Field(row, foreign ? "Germania" : (r >> 9) % 4 == 0 ? "" : "România");
        const Place& place = kPlaces[(r >> 12) % kPlaces.size()];
        Field(row, foreign ? "" : place.county);
        Field(row, foreign ? "Berlin" : place.town);
        Field(row, (r >> 17) % 2 ? "Str. Memorandumului" : "Bd. Unirii");
        Field(row, std::to_string(1 + (r >> 18) % 200));
        const bool block = (r >> 26) % 3 == 0;
        Field(row, block ? "A" + std::to_string(1 + (r >> 28) % 20) : "");
        Field(row, block ? std::to_string(1 + (r >> 33) % 4) : "");
        Field(row, block ? std::to_string((r >> 35) % 10) : "");
        Field(row, block ? std::to_string(1 + (r >> 39) % 60) : "");
        Field(row, std::to_string(100000 + (r >> 20) % 900000));
        Field(row,
              place.county.find("Bucure") != std::string_view::npos ? std::to_string(1 + (r >> 45) % 6) : "");
        Field(row, "");
        const std::uint64_t web = (r >> 50) % 100;
        Field(row, web < 6    ? "www.firma" + std::to_string(i) + ".ro"
                   : web == 6 ? "office@firma.ro"
                   : web == 7 ? "-"
                              : "");
        row += foreign ? "Germania" : "";
        out.EndRow(true);
    }
    counts.bytes += out.Close();
}

void WriteStates(const fs::path& folder, const Draw& draw, std::uint64_t companies, SnapshotCounts& counts)
{
    {
        Output names(folder / "n_stare_firma.csv", false);
        names.text() += "COD^DENUMIRE";
        names.EndRow(false);
        for (const StateName& state : kStates) {
            names.text() += std::to_string(state.code) + "^" + std::string(state.name);
            names.EndRow(false);
        }
        counts.bytes += names.Close();
    }
    Output out(folder / "OD_STARE_FIRMA.CSV", false);
    out.text() += "COD_INMATRICULARE^COD";
    out.EndRow(false);
    for (const std::uint32_t i : Shuffled(companies, draw.seed + 12)) {
        const std::uint64_t r = draw(i, 6);
        const std::string registration = Registration(draw, i);
        const auto row = [&](int code) {
            out.text() += registration + "^" + std::to_string(code);
            out.EndRow(false);
            ++counts.stateRows;
        };
        if (StruckOff(draw, i)) {
            row(r % 10 == 0 ? 1049 + (r >> 4) % 2 * 3 : 1084);
        } else {
            row(r % 50 == 0 ? 1074 : 1048);
        }
        if ((r >> 8) % 4 == 0) {
            row(2069);
        }
    }
    counts.bytes += out.Close();
}

void WriteActivities(const fs::path& folder, const Draw& draw, std::uint64_t companies,
                     SnapshotCounts& counts)
{
    {
        Output names(folder / "N_CAEN.csv", true);
        names.text() += "SECTIUNEA^SUBSECTIUNEA^DIVIZIUNEA^GRUPA^CLASA^DENUMIRE^VERSIUNE_CAEN";
        names.EndRow(true);
        for (const int version : {2, 3}) {
            for (const int code : kClasses) {
                char text[8];
                std::snprintf(text, sizeof text, "%04d", code);
                const std::string clas(text);
                names.text() += "^^" + clas.substr(0, 2) + "^^^Diviziunea " + clas.substr(0, 2) + "^" +
                                std::to_string(version);
                names.EndRow(true);
                names.text() += "^^" + clas.substr(0, 2) + "^" + clas.substr(0, 3) + "^" + clas + "^Clasa " +
                                clas + "^" + std::to_string(version);
                names.EndRow(true);
            }
        }
        counts.bytes += names.Close();
    }
    Output out(folder / "OD_CAEN_AUTORIZAT.CSV", false);
    out.text() += "COD_INMATRICULARE^COD_CAEN_AUTORIZAT^VER_CAEN_AUTORIZAT";
    out.EndRow(false);
    // Rows of one company lie apart: the order of the file is random.
    const std::vector<std::uint32_t> order = Shuffled(companies, draw.seed + 13);
    for (int pass = 0; pass < 2; ++pass) {
        for (const std::uint32_t i : order) {
            const std::uint64_t r = draw(i, 7);
            // 1 to 4 classes, each in one or both editions: 4.8 rows on average.
            const int classes = 1 + static_cast<int>(r % 4) + ((r >> 3) % 5 == 0);
            const std::string registration = Registration(draw, i);
            for (int k = pass; k < classes; k += 2) {
                char text[8];
                std::snprintf(text, sizeof text, "%04d", kClasses[(r >> (8 + 6 * k)) % kClasses.size()]);
                const bool both = (r >> (40 + k)) % 4 != 0;
                for (const int version : {2, 3}) {
                    if (version == 3 && !both) {
                        continue;
                    }
                    out.text() += registration + "^" + text + "^" + std::to_string(version);
                    out.EndRow(false);
                    ++counts.activityRows;
                }
            }
        }
    }
    counts.bytes += out.Close();
}

} // namespace

SnapshotCounts WriteSyntheticSnapshot(const fs::path& folder, std::uint64_t companies, std::uint64_t seed)
{
    fs::create_directories(folder);
    const Draw draw{Mix(seed)};
    SnapshotCounts counts;
    counts.companies = companies;
    WriteCompanies(folder, draw, companies, counts);
    WriteStates(folder, draw, companies, counts);
    WriteActivities(folder, draw, companies, counts);
    return counts;
}

} // namespace tools
