#include "data/code_tables.h"

#include "data/text.h"

namespace dorvanta {

const std::array<County, 43> kCounties = {{
    {"Alba", "AB"},
    {"Arges", "AG"},
    {"Arad", "AR"},
    {"Bucuresti", "B"},
    {"Bacau", "BC"},
    {"Bihor", "BH"},
    {"Bistrita Nasaud", "BN"},
    {"Braila", "BR"},
    {"Botosani", "BT"},
    {"Brasov", "BV"},
    {"Buzau", "BZ"},
    {"Cluj", "CJ"},
    {"Calarasi", "CL"},
    {"Caras Severin", "CS"},
    {"Constanta", "CT"},
    {"Covasna", "CV"},
    {"Dambovita", "DB"},
    {"Dolj", "DJ"},
    {"Gorj", "GJ"},
    {"Galati", "GL"},
    {"Giurgiu", "GR"},
    {"Hunedoara", "HD"},
    {"Harghita", "HG"},
    {"Ilfov", "IF"},
    {"Ialomita", "IL"},
    {"Iasi", "IS"},
    {"Mehedinti", "MH"},
    {"Maramures", "MM"},
    {"Mures", "MS"},
    {"Neamt", "NT"},
    {"Olt", "OT"},
    {"Prahova", "PH"},
    {"Sibiu", "SB"},
    {"Salaj", "SJ"},
    {"Satu Mare", "SM"},
    {"Suceava", "SV"},
    {"Tulcea", "TL"},
    {"Timis", "TM"},
    {"Teleorman", "TR"},
    {"Valcea", "VL"},
    {"Vrancea", "VN"},
    {"Vaslui", "VS"},
    {"Outside", "OU"},
}};

std::string CountyCode(std::string_view name)
{
    for (const County& county : kCounties) {
        if (county.name == name) {
            return std::string(county.code);
        }
    }
    return std::string(name);
}

std::string CountyName(std::string_view code)
{
    for (const County& county : kCounties) {
        if (county.code == code) {
            return std::string(county.name);
        }
    }
    return std::string(code);
}

std::vector<std::string> CountyBoxItems()
{
    std::vector<std::string> items{"All"};
    for (const County& county : kCounties) {
        items.emplace_back(county.name);
    }
    return items;
}

const std::array<CompanyType, 6> kCompanyTypes = {{
    {'t', "Trader (T)", "Comerciant (T)", "Trader", "Comerciant"},
    {'s', "Services (S)", "Servicii (S)", "Services", "Presteaza servicii"},
    {'i', "Importer/Exporter (I)", "Importator/Exportator (I)", "Importer/Exporter", "Importator/Exportator"},
    {'h', "Headquarter (H)", "Sediu (H)", "Office", "Sediu"},
    {'o', "Organization (O)", "Organizatie (O)", "Organization", "Organizatie"},
    {'p', "Manufacturer (P)", "Producator (P)", "Producer", "Producator"},
}};

std::vector<std::string> CompanyTypeBoxItems(Language language)
{
    std::vector<std::string> items{"All"};
    for (const CompanyType& type : kCompanyTypes) {
        items.emplace_back(Pick(language, type.boxEnglish, type.boxRomanian));
    }
    return items;
}

void CompanyTypeWord(char letter, Language language, std::string& word)
{
    const char lower = ToLowerAZ(letter);
    for (const CompanyType& type : kCompanyTypes) {
        if (type.letter == lower) {
            word = Pick(language, type.wordEnglish, type.wordRomanian);
            return;
        }
    }
}

const std::array<AdType, 3> kAdTypes = {{
    {'1', "Offers", "Oferte", "Offer", "Oferta"},
    {'2', "Requests", "Cereri", "Request", "Cerere"},
    {'3', "Services", "Servicii", "Service", "Servicii"},
}};

std::vector<std::string> AdTypeBoxItems(Language language)
{
    std::vector<std::string> items{"All"};
    for (const AdType& type : kAdTypes) {
        items.emplace_back(Pick(language, type.boxEnglish, type.boxRomanian));
    }
    return items;
}

std::optional<std::string> AdTypeWord(std::string_view adType, Language language)
{
    for (const AdType& type : kAdTypes) {
        if (adType.size() == 1 && adType[0] == type.digit) {
            return std::string(Pick(language, type.wordEnglish, type.wordRomanian));
        }
    }
    return std::nullopt;
}

} // namespace dorvanta
