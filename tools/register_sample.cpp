#include "register_sample.h"

#include "sample_data.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta::register_sample {

namespace fs = std::filesystem;
using sample_data::Random;

namespace {

// A file written in large pieces.
class Output
{
public:
    explicit Output(const fs::path& path) : path_(path), file_(std::fopen(path.c_str(), "wb"))
    {
        if (!file_) {
            throw std::runtime_error("cannot create " + path.string());
        }
    }
    ~Output()
    {
        if (file_) {
            std::fclose(file_);
        }
    }
    void Line(std::string_view text)
    {
        buffer_.append(text);
        buffer_ += "\r\n";
        if (buffer_.size() > (1u << 20)) {
            Flush();
        }
    }
    std::uint64_t Close()
    {
        Flush();
        const bool failed = std::fclose(file_) != 0;
        file_ = nullptr;
        if (failed) {
            throw std::runtime_error("cannot write " + path_.string());
        }
        return written_;
    }

private:
    void Flush()
    {
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            throw std::runtime_error("cannot write " + path_.string());
        }
        written_ += buffer_.size();
        buffer_.clear();
    }
    fs::path path_;
    std::FILE* file_;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

constexpr std::array<std::string_view, 24> kWords = {
    "CONSTRUCT", "TRANS",  "AGRO", "COM",      "IMPEX",   "SERV",   "TEHNO",   "MEDICAL",
    "DESIGN",    "INVEST", "PROD", "LOGISTIC", "CONSULT", "GLOBAL", "EXPERT",  "NORD",
    "SUD",       "VEST",   "EST",  "PRIMA",    "NOVA",    "DACIA",  "CARPATI", "DUNAREA"};

// Words with Romanian letters: comma below, then cedilla, in UTF-8.
struct TwoSpellings
{
    std::string_view comma;
    std::string_view cedilla;
};
constexpr std::array<TwoSpellings, 8> kRomanian = {{{"ȘTEFAN", "ŞTEFAN"},
                                                    {"ȚARA", "ŢARA"},
                                                    {"BRAȘOV", "BRAŞOV"},
                                                    {"MUREȘ", "MUREŞ"},
                                                    {"CONSTANȚA", "CONSTANŢA"},
                                                    {"PITEȘTI", "PITEŞTI"},
                                                    {"GRĂDINA ȘI CASA", "GRĂDINA ŞI CASA"},
                                                    {"ÎNCREDERE ȚESUT", "ÎNCREDERE ŢESUT"}}};

constexpr std::array<std::string_view, 14> kCounties = {"Cluj",
                                                        "CLUJ",
                                                        "București",
                                                        "Municipiul București",
                                                        "Bistrița-Năsăud",
                                                        "Bistriţa-Năsăud",
                                                        "Iași",
                                                        "Iaşi",
                                                        "Timiș",
                                                        "Constanța",
                                                        "Brașov",
                                                        "ARGEŞ",
                                                        "Mehedinți",
                                                        "Prahova"};

constexpr std::array<std::string_view, 5> kForms = {"SRL", "SA", "PFA", "II", "SNC"};

// Classes found in both editions.
constexpr std::array<int, 48> kClasses = {
    111,  141,  161,  1011, 1071, 1107, 1413, 1623, 1812, 2223, 2511, 2562, 3101, 3109, 3312, 4110,
    4120, 4211, 4321, 4322, 4332, 4399, 4520, 4532, 4619, 4639, 4690, 4711, 4719, 4741, 4778, 4791,
    4941, 5210, 5510, 5610, 6201, 6202, 6820, 6920, 7022, 7111, 7311, 8559, 8621, 9499, 9602, 9609};

std::string Token(std::uint64_t i)
{
    // Five letters, different for every company below 26^5.
    std::string token(5, 'A');
    for (int k = 4; k >= 0; --k) {
        token[static_cast<std::size_t>(k)] = static_cast<char>('A' + i % 26);
        i /= 26;
    }
    return token;
}

// Company i's own details, the same whenever asked.
struct Company
{
    std::string name;
    std::string registration;
    std::string date;
    bool diacritics = false;
    bool longName = false;
};

// The first draws of company i's generator: its date and registration number.
struct Registration
{
    std::string number;
    std::string date;
};

Random CompanyRandom(std::uint64_t i, std::uint64_t seed)
{
    return Random(seed * 0x9E3779B97F4A7C15ull ^ (i + 1) * 0xD1B54A32D192ED03ull);
}

Registration RegistrationOf(std::uint64_t i, Random& random)
{
    const int year = 1990 + static_cast<int>(random.Below(35));
    const unsigned day = 1 + random.Below(28);
    const unsigned month = 1 + random.Below(12);
    const unsigned county = 1 + random.Below(52);
    char date[16];
    std::snprintf(date, sizeof date, "%02u/%02u/%d", day, month, year);
    return Registration{
        "J" + std::to_string(county) + "/" + std::to_string(i + 1) + "/" + std::to_string(year), date};
}

std::string RegistrationOf(std::uint64_t i, std::uint64_t seed)
{
    Random random = CompanyRandom(i, seed);
    return RegistrationOf(i, random).number;
}

Company MakeCompany(std::uint64_t i, std::uint64_t seed, bool otherSpelling)
{
    Random random = CompanyRandom(i, seed);
    Company company;
    Registration registration = RegistrationOf(i, random);
    company.registration = std::move(registration.number);
    company.date = std::move(registration.date);
    company.name = std::string(kWords[random.Below(kWords.size())]);
    if (random.Below(3) == 0) {
        const TwoSpellings& word = kRomanian[random.Below(kRomanian.size())];
        const bool comma = random.Below(2) == 0;
        company.name += " " + std::string(comma != otherSpelling ? word.comma : word.cedilla);
        company.diacritics = true;
    } else {
        company.name += " " + std::string(kWords[random.Below(kWords.size())]);
    }
    company.name += " " + Token(i);
    if (random.Percent(1)) {
        company.name +=
            " PRODUCTIE SI COMERT CU MATERIALE DE CONSTRUCTII SI TRANSPORT INTERNATIONAL DE MARFURI";
        company.longName = true;
    }
    company.name += " " + std::string(kForms[random.Below(kForms.size())]);
    return company;
}

template <typename T> void Shuffle(std::vector<T>& items, Random& random)
{
    for (std::size_t i = items.size(); i > 1; --i) {
        std::swap(items[i - 1], items[random.Below(static_cast<std::uint32_t>(i))]);
    }
}

} // namespace

SnapshotFigures WriteRegisterSnapshot(const fs::path& folder, std::uint64_t companies, std::uint64_t seed)
{
    fs::create_directories(folder);
    SnapshotFigures figures;
    figures.companies = companies;
    Random random(seed);

    // Which companies are struck off or take another's name; in what order
    // the rows come.
    std::vector<std::uint32_t> sourceOf(companies);
    std::vector<std::uint8_t> ended(companies);
    for (std::uint64_t i = 0; i < companies; ++i) {
        sourceOf[i] = static_cast<std::uint32_t>(i);
        if (i > 0 && random.Below(1000) < 25) {
            sourceOf[i] = random.Below(static_cast<std::uint32_t>(i));
            ++figures.namesakes;
        }
        ended[i] = random.Below(2) == 0;
        figures.ended += ended[i];
    }
    std::vector<std::uint32_t> order(companies);
    for (std::uint64_t i = 0; i < companies; ++i) {
        order[i] = static_cast<std::uint32_t>(i);
    }
    Shuffle(order, random);

    Output firms(folder / "OD_FIRME.CSV");
    firms.Line("\xEF\xBB\xBF"
               "DENUMIRE^CUI^COD_INMATRICULARE^DATA_INMATRICULARE^EUID^FORMA_JURIDICA^ADR_TARA^ADR_JUDET^"
               "ADR_LOCALITATE^ADR_DEN_STRADA^ADR_NR_STRADA^ADR_BLOC^ADR_SCARA^ADR_ETAJ^ADR_APARTAMENT^"
               "ADR_COD_POSTAL^ADR_SECTOR^ADR_COMPLETARE^WEB^TARA_FIRMA_MAMA");
    std::string row;
    for (const std::uint32_t i : order) {
        const Company own = MakeCompany(i, seed, false);
        const Company named = sourceOf[i] == i ? own : MakeCompany(sourceOf[i], seed, true);
        figures.withDiacritics += named.diacritics;
        figures.longNames += named.longName;
        Random details(i * 31 + seed);
        const std::string_view county = kCounties[details.Below(kCounties.size())];
        const bool bucharest = county.find("Bucure") != std::string_view::npos;
        const std::string sector = bucharest ? std::to_string(1 + details.Below(6)) : std::string();
        row.clear();
        row += named.name + "^" + std::to_string(10000000 + i) + "^" + own.registration + "^" + own.date +
               "^ROONRC." + own.registration + "^" + std::string(kForms[details.Below(kForms.size())]) + "^" +
               (details.Percent(1) ? "Germania" : "România") + "^" + std::string(county) + "^" +
               (bucharest ? "București Sectorul " + sector : "Cluj-Napoca") + "^Str. Memorandumului^" +
               std::to_string(1 + details.Below(200)) + "^" + (details.Percent(30) ? "A1" : "") + "^" +
               (details.Percent(20) ? "2" : "") + "^" + (details.Percent(20) ? "3" : "") + "^" +
               (details.Percent(20) ? "14" : "") + "^400" + std::to_string(100 + details.Below(900)) + "^" +
               sector + "^^" + (details.Percent(20) ? "www.firma" + std::to_string(i) + ".ro" : "") + "^";
        firms.Line(row);
    }
    figures.bytes += firms.Close();

    // States: every company trading once, an ending state for half of them,
    // now and then an event that does not end it.
    std::vector<std::uint64_t> states;
    states.reserve(companies * 17 / 10);
    for (std::uint64_t i = 0; i < companies; ++i) {
        states.push_back(i << 16 | 1048);
        if (ended[i]) {
            static constexpr std::array<std::uint16_t, 4> kEnding = {1084, 1084, 1049, 1052};
            states.push_back(i << 16 | kEnding[random.Below(4)]);
        } else if (random.Percent(15)) {
            states.push_back(i << 16 | (random.Below(2) == 0 ? 2069 : 1074));
        }
    }
    Shuffle(states, random);
    Output stateFile(folder / "OD_STARE_FIRMA.CSV");
    stateFile.Line("COD_INMATRICULARE^COD");
    for (const std::uint64_t state : states) {
        stateFile.Line(RegistrationOf(state >> 16, seed) + "^" + std::to_string(state & 0xFFFF));
    }
    figures.stateRows = states.size();
    figures.bytes += stateFile.Close();
    std::vector<std::uint64_t>().swap(states);

    Output stateNames(folder / "N_STARE_FIRMA.CSV");
    stateNames.Line("COD^DENUMIRE");
    for (const std::string_view line :
         {"1048^funcțiune", "1049^dizolvare", "1052^lichidare", "1070^faliment",
          "1074^întrerupere temporară de activitate", "1084^radiată", "2069^sediu expirat"}) {
        stateNames.Line(line);
    }
    figures.bytes += stateNames.Close();

    // Activities: 1 to 8 classes, one more now and then (4.8 on average),
    // of both editions; now and then a class that does not exist.
    std::vector<std::uint64_t> activities;
    activities.reserve(companies * 5);
    for (std::uint64_t i = 0; i < companies; ++i) {
        const std::uint32_t count = 1 + random.Below(8) + (random.Percent(30) ? 1 : 0);
        for (std::uint32_t k = 0; k < count; ++k) {
            const std::uint64_t code = random.Below(1000) == 0 ? 0 : kClasses[random.Below(kClasses.size())];
            const std::uint64_t edition = random.Below(5) < 3 ? 2 : 3;
            activities.push_back(i << 24 | edition << 16 | code);
        }
    }
    Shuffle(activities, random);
    Output activityFile(folder / "OD_CAEN_AUTORIZAT.CSV");
    activityFile.Line("COD_INMATRICULARE^COD_CAEN_AUTORIZAT^VER_CAEN_AUTORIZAT");
    for (const std::uint64_t activity : activities) {
        char code[8];
        std::snprintf(code, sizeof code, "%04u", static_cast<unsigned>(activity & 0xFFFF));
        activityFile.Line(RegistrationOf(activity >> 24, seed) + "^" + code + "^" +
                          std::to_string((activity >> 16) & 0xFF));
    }
    figures.activityRows = activities.size();
    figures.bytes += activityFile.Close();

    Output classNames(folder / "N_CAEN.CSV");
    classNames.Line("SECTIUNEA^SUBSECTIUNEA^DIVIZIUNEA^GRUPA^CLASA^DENUMIRE^VERSIUNE_CAEN");
    for (const int edition : {2, 3}) {
        for (const int code : kClasses) {
            char line[96];
            std::snprintf(line, sizeof line, "^^^^%04d^Clasa %04d^%d", code, code, edition);
            classNames.Line(line);
        }
    }
    figures.bytes += classNames.Close();
    return figures;
}

} // namespace dorvanta::register_sample
