#include "sample_data.h"

#include "data/category_table.h"
#include "data/code_tables.h"
#include "data/file_access.h"
#include "data/record_layout.h"
#include "data/text.h"
#include "data/utf8_path.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

// Texts are Windows-1250 bytes, as the record files store them; the escapes
// are Romanian letters (\xBA s-cedilla, \xFE t-cedilla, \xE3 a-breve,
// \xEE i-circumflex, \xE2 a-circumflex, and their capitals \xAA \xDE \xC3 \xCE \xC2).
namespace dorvanta::sample_data {

namespace {

namespace fs = std::filesystem;
namespace company = company_layout;
namespace ad = opportunity_layout;

template <std::size_t N> std::string_view Pick(Random& random, const std::array<std::string_view, N>& words)
{
    return words[random.Below(static_cast<std::uint32_t>(N))];
}

void AppendNumber(std::string& out, std::uint64_t value, int minDigits = 1)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = n; i < minDigits; ++i) {
        out += '0';
    }
    while (n > 0) {
        out += digits[--n];
    }
}

void AppendDigits(std::string& out, Random& random, int count)
{
    for (int i = 0; i < count; ++i) {
        out += static_cast<char>('0' + random.Below(10));
    }
}

// Appends `piece` only when the text stays within `limit` bytes.
bool AppendWithin(std::string& out, std::string_view piece, std::size_t limit)
{
    if (out.size() + piece.size() > limit) {
        return false;
    }
    out += piece;
    return true;
}

constexpr std::array<std::string_view, 36> kFirstNames = {
    "Ion",      "Maria",    "Andrei",    "Elena",   "Mihai",      "Ioana",         "Gheorghe",  "Ana",
    "Vasile",   "Cristina", "Alexandru", "Mihaela", "Constantin", "Daniela",       "Florin",    "Gabriela",
    "Radu",     "Adriana",  "Bogdan",    "Simona",  "\xAAtefan",  "C\xE3t\xE3lin", "R\xE3zvan", "Irina",
    "Sorin",    "Liviu",    "Oana",      "Dan",     "Teodora",    "Marius",        "Laura",     "Cosmin",
    "Georgeta", "Dorin",    "Ileana",    "Aurel"};

constexpr std::array<std::string_view, 40> kSurnames = {"Popescu",
                                                        "Ionescu",
                                                        "Popa",
                                                        "Dumitrescu",
                                                        "Stan",
                                                        "Stoica",
                                                        "Gheorghiu",
                                                        "Rusu",
                                                        "Munteanu",
                                                        "Matei",
                                                        "Constantinescu",
                                                        "\xAA"
                                                        "erban",
                                                        "Moldovan",
                                                        "Lazar",
                                                        "Ciobanu",
                                                        "Marin",
                                                        "Tudor",
                                                        "Dobre",
                                                        "Barbu",
                                                        "Nistor",
                                                        "Florea",
                                                        "Ene",
                                                        "Dinu",
                                                        "Toma",
                                                        "Stanciu",
                                                        "Mocanu",
                                                        "Pop",
                                                        "Neagu",
                                                        "Oprea",
                                                        "Avram",
                                                        "\xDEurcanu",
                                                        "B\xE3lan",
                                                        "Vlad",
                                                        "Suciu",
                                                        "Cri\xBA"
                                                        "an",
                                                        "Dragomir",
                                                        "Zamfir",
                                                        "Manole",
                                                        "Neagoe",
                                                        "Cozma"};

constexpr std::array<std::string_view, 56> kNameWords = {"Agro",
                                                         "Tehno",
                                                         "Construct",
                                                         "Trans",
                                                         "Prod",
                                                         "Euro",
                                                         "Nord",
                                                         "Sud",
                                                         "Carpati",
                                                         "Dunarea",
                                                         "Delta",
                                                         "Montana",
                                                         "Transilvania",
                                                         "Moldova",
                                                         "Banat",
                                                         "Dacia",
                                                         "Romtex",
                                                         "Electro",
                                                         "Med",
                                                         "Farm",
                                                         "Lemn",
                                                         "Auto",
                                                         "Mobila",
                                                         "Print",
                                                         "Media",
                                                         "Consult",
                                                         "Design",
                                                         "Logistic",
                                                         "Serv",
                                                         "Dacorom",
                                                         "Alfa",
                                                         "Beta",
                                                         "Omega",
                                                         "Star",
                                                         "Nova",
                                                         "Prima",
                                                         "Ideal",
                                                         "Total",
                                                         "Vest",
                                                         "Est",
                                                         "Sanitas",
                                                         "Flora",
                                                         "Verde",
                                                         "Argint",
                                                         "Aurora",
                                                         "Cristal",
                                                         "Olimp",
                                                         "Orizont",
                                                         "Select",
                                                         "Expert",
                                                         "Rapid",
                                                         "Mega",
                                                         "Gold",
                                                         "\xDE"
                                                         "ara",
                                                         "P\xE2ine",
                                                         "Izvor"};

constexpr std::array<std::string_view, 10> kNameTrades = {
    "Distributie", "Productie", "Comert",  "Consultanta", "Transport",
    "Constructii", "Impex",     "Trading", "Industries",  "Services"};

constexpr std::array<std::string_view, 6> kApostrophePrefixes = {"o'", "d'", "l'", "O'", "D'", "mc'"};

struct Place
{
    std::string_view city;
    std::string_view area; // dialling area without the leading 0
};

// One town per county, in the order of the county table, so addresses and
// phone numbers agree with the County field.
constexpr std::array<Place, 43> kPlaces = {{
    {"Alba Iulia", "258"},
    {"Pite\xBAti", "248"},
    {"Arad", "257"},
    {"Bucure\xBAti", "21"},
    {"Bac\xE3u", "234"},
    {"Oradea", "259"},
    {"Bistri\xFE"
     "a",
     "263"},
    {"Br\xE3ila", "239"},
    {"Boto\xBA"
     "ani",
     "231"},
    {"Bra\xBAov", "268"},
    {"Buz\xE3u", "238"},
    {"Cluj-Napoca", "264"},
    {"C\xE3l\xE3ra\xBAi", "242"},
    {"Re\xBAi\xFE"
     "a",
     "255"},
    {"Constan\xFE"
     "a",
     "241"},
    {"Sf\xE2ntu Gheorghe", "267"},
    {"T\xE2rgovi\xBAte", "245"},
    {"Craiova", "251"},
    {"T\xE2rgu Jiu", "253"},
    {"Gala\xFEi", "236"},
    {"Giurgiu", "246"},
    {"Deva", "254"},
    {"Miercurea Ciuc", "266"},
    {"Voluntari", "21"},
    {"Slobozia", "243"},
    {"Ia\xBAi", "232"},
    {"Drobeta-Turnu Severin", "252"},
    {"Baia Mare", "262"},
    {"T\xE2rgu Mure\xBA", "265"},
    {"Piatra Neam\xFE", "233"},
    {"Slatina", "249"},
    {"Ploie\xBAti", "244"},
    {"Sibiu", "269"},
    {"Zal\xE3u", "260"},
    {"Satu Mare", "261"},
    {"Suceava", "230"},
    {"Tulcea", "240"},
    {"Timi\xBAoara", "256"},
    {"Alexandria", "247"},
    {"R\xE2mnicu V\xE2lcea", "250"},
    {"Foc\xBA"
     "ani",
     "237"},
    {"Vaslui", "235"},
    {"Chi\xBAin\xE3u, Republica Moldova", "373"},
}};

constexpr std::array<std::string_view, 5> kStreetKinds = {"Str.", "Bd.", "Calea", "Aleea",
                                                          "\xAA"
                                                          "os."};

constexpr std::array<std::string_view, 20> kStreets = {"Mihai Eminescu",
                                                       "Unirii",
                                                       "Republicii",
                                                       "Independen\xFE"
                                                       "ei",
                                                       "Victoriei",
                                                       "Avram Iancu",
                                                       "1 Decembrie 1918",
                                                       "Nicolae B\xE3lcescu",
                                                       "Libert\xE3\xFEii",
                                                       "\xAAtefan cel Mare",
                                                       "Mihai Viteazu",
                                                       "Horea",
                                                       "Prim\xE3verii",
                                                       "Florilor",
                                                       "Morii",
                                                       "G\xE3rii",
                                                       "Fabricii",
                                                       "Tineretului",
                                                       "Castanilor",
                                                       "Industriilor"};

constexpr std::array<std::string_view, 8> kMailBoxes = {"office",  "contact",     "info",          "vanzari",
                                                        "comenzi", "secretariat", "administrativ", "suport"};
constexpr std::array<std::string_view, 4> kFreeMail = {"yahoo.com", "gmail.com", "k.ro", "xnet.ro"};

constexpr std::array<std::string_view, 12> kDescriptionSentences = {
    "Livr\xE3m rapid \xEEn toat\xE3 \xFE"
    "ara.",
    "Pre\xFEuri competitive, discount pentru cantit\xE3\xFEi mari.",
    "Program: L-V 8-17, S 9-13.",
    "Distribuitor autorizat, import direct.",
    "Colabor\xE3m cu parteneri din \"Uniunea European\xE3\".",
    "Certificat ISO 9001.",
    "Consultan\xFE\xE3 gratuit\xE3 la sediul clientului.",
    "Garan\xFEie 24 de luni; service post-garan\xFEie.",
    "Acceptam plata cu cardul, ordin de plata sau fila CEC.",
    "Echipa tanara, dinamica, orientata spre client.",
    "Depozit propriu de 1.200 mp.",
    "Oferte personalizate la cerere."};

constexpr std::array<std::string_view, 2> kSubjectTails = {" - pret negociabil", " - urgent"};

// Ad subjects as people write them, for each group (a to j) and type: offers,
// requests, services.
using SubjectList = std::array<std::string_view, 4>;
constexpr std::array<std::array<SubjectList, 3>, 10> kSubjects = {{
    {{{"Vand spatiu publicitar pe panouri stradale", "Ofer pachete de promovare online",
       "Vand firma SRL cu activitate", "Ofer spatiu de birouri in centru"},
      {"Caut agentie de publicitate", "Cumpar spatiu publicitar radio",
       "Caut consultant pentru plan de afaceri", "Caut contabil autorizat"},
      {"Servicii de contabilitate si audit", "Realizam site-uri de prezentare",
       "Tiparim afise, pliante si carti de vizita", "Consultanta pentru fonduri europene"}}},
    {{{"Vand miere de albine poliflora", "Vand grau si porumb din recolta proprie",
       "Ofer vin de casa la damigeana", "Vand seminte certificate"},
      {"Cumpar lapte de vaca zilnic", "Caut furnizor de legume pentru restaurant", "Cumpar teren arabil",
       "Caut distribuitor de bauturi racoritoare"},
      {"Servicii de catering pentru evenimente", "Aratura si semanat cu utilaje proprii",
       "Transport animale vii", "Consultanta zootehnica"}}},
    {{{"Ofer cazare la munte, pensiune 3 margarete", "Vand mobilier de gradina",
       "Vand biciclete de munte second hand", "Ofer sejururi la mare, early booking"},
      {"Caut pensiune pentru un grup de 20 de persoane", "Cumpar echipament de fitness",
       "Caut teren de tenis de inchiriat", "Caut ghid turistic vorbitor de engleza"},
      {"Organizam excursii in Delta Dunarii", "Amenajari interioare la cheie",
       "Curatenie profesionala pentru locuinte", "Antrenamente personale de fitness"}}},
    {{{"Vand cherestea de brad uscata", "Vand peleti din lemn de fag", "Ofer ambalaje din plastic la comanda",
       "Vand geamuri termopan la dimensiune"},
      {"Cumpar deseuri de plastic PET", "Caut furnizor de vopsele industriale", "Cumpar busteni de stejar",
       "Caut producator de sticle din sticla"},
      {"Prelucrare lemn in regim de lohn", "Injectie mase plastice la comanda",
       "Sablare si vopsire in camp electrostatic", "Taiere si slefuire sticla"}}},
    {{{"Vand marfa en-gros pentru magazine", "Ofer spatiu comercial de inchiriat",
       "Vand casa de marcat cu jurnal electronic", "Ofer cosmetice la pret de distribuitor"},
      {"Caut distribuitor pentru zona Moldovei", "Cumpar stoc de imbracaminte",
       "Caut spatiu comercial in zona centrala", "Caut curier pentru livrari zilnice"},
      {"Servicii de curierat rapid", "Paza si protectie pentru firme",
       "Reparatii electrocasnice la domiciliu", "Traduceri autorizate"}}},
    {{{"Vand laptopuri reconditionate cu garantie", "Vand componente PC la pret bun",
       "Ofer abonamente de internet pentru firme", "Vand cablu electric si tablouri de distributie"},
      {"Caut programator pentru aplicatie web", "Cumpar imprimante second hand",
       "Caut electrician autorizat ANRE", "Cumpar telefoane mobile defecte"},
      {"Service calculatoare si imprimante", "Instalam retele de calculatoare",
       "Instalatii electrice pentru locuinte", "Montaj sisteme de supraveghere video"}}},
    {{{"Vand materiale de constructii cu transport", "Vand autoutilitara Ford Transit",
       "Ofer macara de inchiriat", "Vand BCA si caramida"},
      {"Caut echipa pentru constructia unei case", "Cumpar autoturism avariat",
       "Caut transportator pentru marfa in Italia", "Caut excavator pentru o zi"},
      {"Transport marfa national si international", "Executam lucrari de constructii si renovari",
       "Service auto si vulcanizare", "Inchiriem autocare pentru excursii"}}},
    {{{"Vand incaltaminte din piele naturala", "Ofer confectii textile in regim de lohn",
       "Vand stofe si materiale textile", "Vand haine de lucru si salopete"},
      {"Cumpar stoc de incaltaminte de iarna", "Caut croitorese cu experienta",
       "Caut furnizor de nasturi si fermoare", "Cumpar masini de cusut industriale"},
      {"Croitorie si retusuri la comanda", "Broderie computerizata pe textile",
       "Spalatorie si curatatorie chimica", "Reparatii incaltaminte"}}},
    {{{"Vand strung universal in stare buna", "Vand centrale termice pe gaz",
       "Ofer compresoare de aer la pret de import", "Vand motostivuitor diesel"},
      {"Cumpar utilaje de prelucrare a metalului", "Caut furnizor de rulmenti", "Cumpar generator electric",
       "Caut instalator autorizat pentru gaze"},
      {"Instalatii sanitare si termice", "Reparatii utilaje industriale", "Montaj sisteme de climatizare",
       "Debitare laser si indoire tabla"}}},
    {{{"Ofer cursuri de limba engleza", "Vand carti si manuale scolare",
       "Ofer locuri in gradinita particulara", "Vand aparatura medicala folosita"},
      {"Caut profesor de matematica pentru meditatii", "Cumpar carti vechi si reviste",
       "Caut medic pentru cabinet privat", "Caut sala pentru conferinta"},
      {"Cursuri de calificare profesionala", "Analize medicale la domiciliu",
       "Organizam expozitii si evenimente culturale", "Meditatii la romana si matematica"}}},
}};

constexpr std::array<std::string_view, 8> kAdSentences = {
    "Marfa disponibila imediat din stoc.",
    "Plata la livrare sau prin transfer bancar.",
    "Asteptam oferte pe e-mail, cu pret si termen de livrare.",
    "Transportul este asigurat de noi in judet.",
    "Calitate garantata, certificate de conformitate.",
    "Colaborare pe termen lung, contract anual.",
    "Rog seriozitate; fara intermediari.",
    "Detalii la telefon, zilnic intre orele 9 si 18."};

// The category table as the generator uses it: the stored (lower-case)
// codes and a Romanian product phrase per row.
struct Categories
{
    std::vector<std::string> codes;
    std::vector<std::string> phrases;

    Categories()
    {
        const CategoryTable& table = CategoryTable::Builtin();
        for (const CategoryRow& row : table.rows()) {
            codes.push_back(ToLowerAZ(row.code));
            std::string phrase = ToLowerAZ(DotsToSpaces(SplitCategoryName(row.romanian).section));
            phrases.push_back(ReplaceAll(phrase, "&", " si "));
        }
        if (codes.empty()) {
            throw std::runtime_error("The built-in category table is empty");
        }
    }
};

const Categories& TheCategories()
{
    static const Categories categories;
    return categories;
}

// Company type letters with their weights (traders and services are the
// most common, as in a real directory).
constexpr std::array<std::pair<char, std::uint32_t>, 6> kTypeWeights = {
    {{'t', 30}, {'s', 25}, {'p', 15}, {'i', 10}, {'h', 10}, {'o', 10}}};

char DrawTypeLetter(Random& random)
{
    std::uint32_t pick = random.Below(100);
    for (const auto& [letter, weight] : kTypeWeights) {
        if (pick < weight) {
            return letter;
        }
        pick -= weight;
    }
    return 't';
}

// The lower-case letters and digits of a name, for e-mail and web addresses.
std::string Slug(std::string_view name, std::size_t limit)
{
    std::string slug;
    for (char c : name) {
        const char lower = ToLowerAZ(c);
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9')) {
            slug += lower;
            if (slug.size() == limit) {
                break;
            }
        }
    }
    if (slug.size() < 2) {
        slug += "firma";
    }
    return slug;
}

void AppendPersonName(std::string& out, Random& random)
{
    out += Pick(random, kFirstNames);
    out += ' ';
    if (random.Percent(20)) {
        out += ToUpperAZ(Pick(random, kSurnames));
    } else {
        out += Pick(random, kSurnames);
    }
}

// A brand word of the kind firms coin ("Ravomex", "Dolitrans"), different for
// every record number: registered company names are unique, so most sample
// names must be too.
std::string CoinedWord(std::uint64_t number)
{
    static constexpr std::array<std::string_view, 32> kSyllables = {
        "ra", "vo", "do", "li", "ca", "me", "to", "ni", "se", "ma", "ro", "ve", "la", "co", "di", "te",
        "ba", "no", "si", "mi", "pa", "lo", "ge", "fa", "ri", "zo", "tu", "be", "ne", "va", "cu", "so"};
    static constexpr std::array<std::string_view, 8> kEndings = {"x", "n", "l", "m", "s", "r", "nt", "st"};
    std::string word;
    word += kEndings[number % kEndings.size()];
    number /= kEndings.size();
    do {
        word.insert(0, kSyllables[number % kSyllables.size()]);
        number /= kSyllables.size();
    } while (number > 0);
    word[0] = ToUpperAZ(word[0]);
    return word;
}

// A company name with the punctuation and case mixes that the title case of
// the result list has to cope with. `core` receives the words that make up
// the e-mail and web addresses.
void ComposeCompanyName(std::string& name, std::string& core, Random& random, bool rare, std::size_t limit,
                        std::uint64_t number)
{
    name.clear();
    core.clear();
    const std::string coined = CoinedWord(number);
    const std::string_view word = random.Percent(70) ? std::string_view(coined) : Pick(random, kNameWords);
    const std::string_view second = Pick(random, kNameWords);
    const std::string_view surname = Pick(random, kSurnames);
    if (rare) {
        name = "Zamolxis ";
        name += word;
        name += " SRL";
        core = "zamolxis";
        core += word;
        return;
    }
    switch (random.Below(14)) {
    case 0:
        name = "SC " + std::string(word) + " " + std::string(second) + " SRL";
        core = std::string(word) + std::string(second);
        break;
    case 1:
        name = std::string(word) + ToLowerAZ(second) + " S.R.L.";
        core = std::string(word) + std::string(second);
        break;
    case 2:
        name = std::string(surname) + " & " + std::string(Pick(random, kSurnames)) + " SA";
        core = surname;
        break;
    case 3:
        name = std::string(word) + "-" + std::string(second) + " SRL";
        core = std::string(word) + std::string(second);
        break;
    case 4:
        // Apostrophes start no new word: "o'neill-pop s.a." shows as "O'neill-Pop S.A.".
        name = std::string(Pick(random, kApostrophePrefixes)) + ToLowerAZ(word) + "-" + std::string(surname) +
               " s.a.";
        core = std::string(word) + std::string(surname);
        break;
    case 5:
        name = std::string(surname) + " " + std::string(Pick(random, kFirstNames)) + " PFA";
        core = surname;
        break;
    case 6:
        name = std::string(word) + " Com SRL";
        core = std::string(word) + "com";
        break;
    case 7:
        name = std::string(word) + "." + std::string(second) + " Impex SRL";
        core = std::string(word) + std::string(second);
        break;
    case 8: {
        if (!random.Percent(3)) {
            name = std::string(word) + " " + std::string(surname) + " SRL";
            core = std::string(word) + std::string(surname);
            break;
        }
        // One-letter names stay as stored in the result list.
        const char letter = static_cast<char>('a' + random.Below(26));
        name.assign(1, random.Percent(50) ? ToUpperAZ(letter) : letter);
        core = "litera" + name;
        break;
    }
    case 9:
        name = std::string(word) + " SA " + std::string(Pick(random, kNameTrades));
        core = word;
        break;
    case 10:
        name = "Cabinet Medical Dr. " + std::string(surname);
        core = "dr" + std::string(surname);
        break;
    case 11:
        name = "Asocia\xFEia " + std::string(word) + " " + std::string(second);
        core = std::string(word) + std::string(second);
        break;
    case 12:
        name = std::string(word) + " ";
        AppendNumber(name, 1990 + random.Below(35));
        name += " SRL";
        core = name;
        break;
    default:
        name = std::string(word) + " " + std::string(Pick(random, kNameTrades)) + " " + std::string(surname) +
               " srl";
        core = std::string(word) + std::string(surname);
        break;
    }
    // Names come from the registry in capitals, from forms as typed.
    const std::uint32_t caseMix = random.Below(10);
    if (caseMix < 4) {
        name = ToUpperAZ(name);
    } else if (caseMix < 6) {
        name = ToLowerAZ(name);
    }
    if (name.size() > limit) {
        name.resize(limit);
    }
}

void AppendAddress(std::string& out, Random& random, std::size_t countyIndex)
{
    out += Pick(random, kStreetKinds);
    out += ' ';
    out += Pick(random, kStreets);
    out += " nr. ";
    AppendNumber(out, 1 + random.Below(250));
    if (random.Percent(25)) {
        out += ", bl. ";
        out += static_cast<char>('A' + random.Below(8));
        AppendNumber(out, 1 + random.Below(20));
        out += ", sc. ";
        AppendNumber(out, 1 + random.Below(4));
        out += ", ap. ";
        AppendNumber(out, 1 + random.Below(120));
    }
    out += ", ";
    if (kCounties[countyIndex].code == "B") {
        out += "Sector ";
        AppendNumber(out, 1 + random.Below(6));
        out += ", ";
    }
    out += kPlaces[countyIndex].city;
}

// Numbers carry no blank inside: on the profile page every blank starts a new
// line, so blanks only separate one number from the next.
void AppendMobileNumber(std::string& out, Random& random)
{
    const std::uint32_t shape = random.Below(3);
    if (shape == 0) {
        out += "+407";
        AppendDigits(out, random, 8);
    } else {
        out += "07";
        AppendDigits(out, random, 2);
        if (shape == 1) {
            out += '-';
        }
        AppendDigits(out, random, 6);
    }
}

void AppendLandLine(std::string& out, Random& random, std::string_view area)
{
    const int localDigits = area.size() == 2 ? 7 : 6;
    switch (random.Below(4)) {
    case 0:
        out += "+40";
        out += area;
        break;
    case 1:
        out += "(0";
        out += area;
        out += ")";
        break;
    case 2:
        out += '0';
        out += area;
        out += '-';
        break;
    default:
        out += '0';
        out += area;
        out += '.';
        break;
    }
    AppendDigits(out, random, localDigits);
}

// "CUI 12345678, J12/3456/2005": a fiscal code of 6 to 8 digits, distinct
// per record, and the trade register number of the county.
std::string Registration(std::uint64_t number, std::size_t countyIndex)
{
    const std::uint64_t code = 100000 + (number * 7919 + 13) % 49900000;
    std::string text = "CUI " + std::to_string(code) + ", J";
    const std::size_t county = countyIndex % 40 + 1;
    text += county < 10 ? "0" : "";
    text += std::to_string(county) + "/" + std::to_string(1 + number % 9973) + "/" +
            std::to_string(1991 + number % 34);
    return text;
}

void AppendDescription(std::string& out, Random& random, std::string_view phrase, std::size_t limit)
{
    out += "Firma noastr\xE3 ofer\xE3 ";
    out += phrase;
    out += " de calitate.";
    const std::uint32_t extra = random.Below(4);
    for (std::uint32_t i = 0; i < extra; ++i) {
        std::string_view sentence = Pick(random, kDescriptionSentences);
        if (!AppendWithin(out, " ", limit) || !AppendWithin(out, sentence, limit)) {
            break;
        }
    }
    if (out.size() > limit) {
        out.resize(limit);
    }
}

// Output file written under a temporary name and moved over the target only
// once every byte is out.
class BlockWriter
{
public:
    explicit BlockWriter(const fs::path& path) : path_(path), temporary_(path)
    {
        temporary_ += ".tmp";
        std::error_code ec;
        if (path.has_parent_path()) {
            fs::create_directories(path.parent_path(), ec);
            if (ec) {
                throw std::runtime_error("Cannot create the folder " +
                                         dorvanta::Utf8FromPath(path.parent_path()) + ": " + ec.message());
            }
        }
        file_ = dorvanta::OpenStdioFile(temporary_, "wb");
        if (file_ == nullptr) {
            throw std::system_error(errno, std::generic_category(),
                                    "Cannot create " + dorvanta::Utf8FromPath(temporary_));
        }
    }

    ~BlockWriter()
    {
        if (file_ != nullptr) {
            std::fclose(file_);
            std::error_code ec;
            fs::remove(temporary_, ec);
        }
    }

    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    void Write(const std::uint8_t* bytes, std::size_t length)
    {
        if (length != 0 && std::fwrite(bytes, 1, length, file_) != length) {
            throw std::system_error(errno, std::generic_category(),
                                    "Cannot write " + dorvanta::Utf8FromPath(temporary_));
        }
    }

    void Finish()
    {
        std::FILE* file = file_;
        file_ = nullptr;
        if (std::fclose(file) != 0) {
            const int error = errno;
            std::error_code ec;
            fs::remove(temporary_, ec);
            throw std::system_error(error, std::generic_category(),
                                    "Cannot write " + dorvanta::Utf8FromPath(temporary_));
        }
        std::error_code ec;
        fs::rename(temporary_, path_, ec);
        if (ec) {
            fs::remove(temporary_, ec);
            throw std::runtime_error("Cannot replace " + dorvanta::Utf8FromPath(path_) + ": " + ec.message());
        }
    }

private:
    fs::path path_;
    fs::path temporary_;
    std::FILE* file_ = nullptr;
};

// Records are built straight into a large block and written a block at a time.
constexpr std::size_t kBlockBytes = 8u << 20;

class CompanyGenerator
{
public:
    explicit CompanyGenerator(std::uint64_t seed) : random_(seed), categories_(TheCategories()) {}

    // Fills one record (zeroed by the caller) for record number `number`.
    void Fill(std::uint8_t* record, std::uint64_t number)
    {
        const bool rare = number % kRareNameEvery == kRareNameEvery / 2;
        const bool guaranteed = rare || number < kCounties.size() || number < categories_.codes.size();
        // About one record in a hundred is deleted: every field empty.
        if (!guaranteed && random_.Percent(1)) {
            return;
        }
        const auto& fields = company::kFields;
        ComposeCompanyName(text_, core_, random_, rare, fields[company::Company].maxLength, number);
        WriteField(record, fields[company::Company], text_);

        // The first records take the counties in table order, so every county
        // is present even in a small file.
        std::size_t county = number < kCounties.size()
                                 ? static_cast<std::size_t>(number)
                                 : random_.Below(static_cast<std::uint32_t>(kCounties.size()));
        const bool noCounty = number >= kCounties.size() && random_.Percent(1);
        WriteField(record, fields[company::County], noCounty ? std::string_view{} : kCounties[county].code);

        text_.clear();
        if (!random_.Percent(3)) {
            AppendAddress(text_, random_, county);
        }
        WriteField(record, fields[company::Address], text_);

        text_.clear();
        if (random_.Percent(85)) {
            AppendPersonName(text_, random_);
        }
        WriteField(record, fields[company::Representative], text_);

        text_.clear();
        if (random_.Percent(60)) {
            AppendMobileNumber(text_, random_);
            if (random_.Percent(25)) {
                text_ += ' ';
                AppendMobileNumber(text_, random_);
            }
        }
        WriteField(record, fields[company::Mobile], text_);

        const std::string_view area = kPlaces[county].area;
        text_.clear();
        if (random_.Percent(80)) {
            AppendLandLine(text_, random_, area);
            if (random_.Percent(30)) {
                text_ += ' ';
                AppendMobileNumber(text_, random_);
            }
        }
        WriteField(record, fields[company::Phone], text_);

        text_.clear();
        if (random_.Percent(40)) {
            AppendLandLine(text_, random_, area);
        }
        WriteField(record, fields[company::Fax], text_);

        const std::string slug = Slug(core_, 24);
        text_.clear();
        if (random_.Percent(70)) {
            if (random_.Percent(25)) {
                text_ += Slug(core_, 12);
                text_ += '@';
                text_ += Pick(random_, kFreeMail);
            } else {
                text_ += Pick(random_, kMailBoxes);
                text_ += '@';
                text_ += slug;
                text_ += random_.Percent(80) ? ".ro" : ".com";
            }
        }
        WriteField(record, fields[company::Email], text_);

        text_.clear();
        if (random_.Percent(50)) {
            const std::uint32_t shape = random_.Below(4);
            text_ += shape == 0 ? "http://www." : shape == 1 ? "https://" : shape == 2 ? "www." : "";
            text_ += slug;
            text_ += shape == 3 ? ".com.ro" : ".ro";
        }
        WriteField(record, fields[company::Web], text_);

        FillActivities(record, number);

        text_.clear();
        if (random_.Percent(75)) {
            AppendDescription(text_, random_, categories_.phrases[firstCategory_],
                              fields[company::Description].maxLength);
        }
        // The register's identity first, as its import writes it; taken from
        // the record number, so the random draws and every other field stay
        // as they were.
        std::string described = Registration(number, county);
        if (!text_.empty()) {
            described += ", ";
            described += text_;
        }
        if (described.size() > fields[company::Description].maxLength) {
            described.resize(fields[company::Description].maxLength);
        }
        WriteField(record, fields[company::Description], described);
    }

private:
    void FillActivities(std::uint8_t* record, std::uint64_t number)
    {
        const std::size_t rows = categories_.codes.size();
        const std::uint32_t draw = random_.Below(100);
        const std::size_t count = draw < 45 ? 1 : draw < 75 ? 2 : draw < 90 ? 3 : 4;
        std::array<std::size_t, 4> chosen{};
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t row = 0;
            // The first records name every category once, and the first six
            // every type letter, whatever the size of the file.
            if (i == 0 && number < rows) {
                row = static_cast<std::size_t>(number);
            } else {
                for (int attempt = 0; attempt < 4; ++attempt) {
                    row = random_.Below(static_cast<std::uint32_t>(rows));
                    bool repeated = false;
                    for (std::size_t j = 0; j < i; ++j) {
                        repeated = repeated || chosen[j] == row;
                    }
                    if (!repeated) {
                        break;
                    }
                }
            }
            chosen[i] = row;
            const char letter = (i == 0 && number < kCompanyTypes.size())
                                    ? kCompanyTypes[static_cast<std::size_t>(number)].letter
                                    : DrawTypeLetter(random_);
            text_ = categories_.codes[row];
            text_ += '*';
            text_ += letter;
            WriteField(record, company::kFields[company::Activity1 + i], text_);
        }
        firstCategory_ = chosen[0];
    }

    Random random_;
    const Categories& categories_;
    std::string text_;
    std::string core_;
    std::size_t firstCategory_ = 0;
};

// A day count from 1970-01-01 as "YYYY-MM-DD".
void AppendDate(std::string& out, std::int64_t days)
{
    // Civil-from-days conversion (proleptic Gregorian calendar).
    days += 719468;
    const std::int64_t era = days / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    AppendNumber(out, static_cast<std::uint64_t>(year), 4);
    out += '-';
    AppendNumber(out, static_cast<std::uint64_t>(month), 2);
    out += '-';
    AppendNumber(out, static_cast<std::uint64_t>(day), 2);
}

// 2025-01-01 as days since 1970-01-01; ads span the following 700 days.
constexpr std::int64_t kFirstAdDay = 20089;
constexpr std::int64_t kAdDaySpan = 700;

class OpportunityGenerator
{
public:
    OpportunityGenerator(std::uint64_t seed, std::uint64_t count)
        : random_(seed ^ 0x5EEDAD5ull), count_(count), idOffset_(seed % kMaxAds)
    {
    }

    void Fill(std::uint8_t* record, std::uint64_t number)
    {
        const auto& fields = ad::kFields;
        // 7919 is prime and shares no factor with 999999, so the identifiers
        // of the first 999999 ads are all different.
        text_.clear();
        AppendNumber(text_, (number * 7919 + idOffset_) % kMaxAds + 1);
        WriteField(record, fields[ad::AdId], text_);

        const std::size_t group = number < 10 ? static_cast<std::size_t>(number) : random_.Below(10);
        const char letter = static_cast<char>('a' + group);
        WriteField(record, fields[ad::DomainLetter], std::string_view(&letter, 1));

        ComposeCompanyName(text_, core_, random_, false, fields[ad::Company].maxLength, number);
        WriteField(record, fields[ad::Company], text_);
        WriteField(record, fields[ad::Reserved], {});

        const std::size_t county = number < kCounties.size()
                                       ? static_cast<std::size_t>(number)
                                       : random_.Below(static_cast<std::uint32_t>(kCounties.size()));
        const bool noCounty = number >= kCounties.size() && random_.Percent(3);
        WriteField(record, fields[ad::County], noCounty ? std::string_view{} : kCounties[county].code);

        const char type =
            number < 3 ? static_cast<char>('1' + number) : static_cast<char>('1' + random_.Below(3));
        const std::size_t typeIndex = static_cast<std::size_t>(type - '1');
        text_.assign(Pick(random_, kSubjects[group][typeIndex]));
        // Offers are bargained over or pressing, requests only pressing, services neither.
        if (typeIndex < 2 && random_.Percent(30)) {
            const std::string_view tail = typeIndex == 0 ? Pick(random_, kSubjectTails) : kSubjectTails[1];
            AppendWithin(text_, tail, fields[ad::Subject].maxLength);
        }
        if (text_.size() > fields[ad::Subject].maxLength) {
            text_.resize(fields[ad::Subject].maxLength);
        }
        subject_ = text_;
        WriteField(record, fields[ad::Subject], text_);

        text_.clear();
        const std::int64_t day =
            kFirstAdDay + static_cast<std::int64_t>(count_ == 0 ? 0 : number * kAdDaySpan / count_);
        AppendDate(text_, day);
        WriteField(record, fields[ad::InsertDate], text_);

        text_ = subject_;
        text_ += type == '2' ? ", cautam parteneri seriosi." : ".";
        const std::size_t descriptionLimit = fields[ad::Description].maxLength;
        const std::uint32_t sentences = 1 + random_.Below(4);
        for (std::uint32_t i = 0; i < sentences; ++i) {
            if (!AppendWithin(text_, " ", descriptionLimit) ||
                !AppendWithin(text_, Pick(random_, kAdSentences), descriptionLimit)) {
                break;
            }
        }
        if (text_.size() > descriptionLimit) {
            text_.resize(descriptionLimit);
        }
        WriteField(record, fields[ad::Description], text_);

        const char typeText[1] = {type};
        WriteField(record, fields[ad::AdType], std::string_view(typeText, 1));

        text_.clear();
        AppendPersonName(text_, random_);
        WriteField(record, fields[ad::Representative], text_);

        text_.clear();
        const std::string_view area = kPlaces[county].area;
        if (random_.Percent(50)) {
            AppendMobileNumber(text_, random_);
            if (random_.Percent(40)) {
                text_ += ' ';
                AppendLandLine(text_, random_, area);
            }
        } else {
            AppendLandLine(text_, random_, area);
        }
        WriteField(record, fields[ad::Phone], text_);

        text_.clear();
        if (random_.Percent(40)) {
            AppendLandLine(text_, random_, area);
        }
        WriteField(record, fields[ad::Fax], text_);

        const std::string slug = Slug(core_, 20);
        text_.clear();
        if (random_.Percent(70)) {
            text_ += Pick(random_, kMailBoxes);
            text_ += '@';
            text_ += slug;
            text_ += ".ro";
        }
        WriteField(record, fields[ad::Email], text_);

        text_.clear();
        if (random_.Percent(40)) {
            text_ += random_.Percent(50) ? "www." : "http://www.";
            text_ += slug;
            text_ += ".ro";
        }
        WriteField(record, fields[ad::Web], text_);
    }

private:
    Random random_;
    std::uint64_t count_;
    std::uint64_t idOffset_;
    std::string text_;
    std::string core_;
    std::string subject_;
};

template <typename Generator>
void WriteRecords(const fs::path& path, std::uint64_t count, std::size_t recordSize, Generator& generator)
{
    BlockWriter writer(path);
    const std::size_t perBlock = kBlockBytes / recordSize;
    std::vector<std::uint8_t> block(perBlock * recordSize);
    std::uint64_t number = 0;
    while (number < count) {
        const std::size_t inBlock =
            static_cast<std::size_t>(std::min<std::uint64_t>(perBlock, count - number));
        std::fill(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(inBlock * recordSize), 0);
        for (std::size_t i = 0; i < inBlock; ++i) {
            generator.Fill(block.data() + i * recordSize, number + i);
        }
        writer.Write(block.data(), inBlock * recordSize);
        number += inBlock;
    }
    writer.Finish();
}

} // namespace

void WriteSampleCompanies(const fs::path& path, std::uint64_t count, std::uint64_t seed)
{
    CompanyGenerator generator(seed);
    WriteRecords(path, count, company::kRecordSize, generator);
}

void WriteSampleOpportunities(const fs::path& path, std::uint64_t count, std::uint64_t seed)
{
    if (count > kMaxAds) {
        throw std::invalid_argument("At most " + std::to_string(kMaxAds) +
                                    " ads can carry distinct six-digit identifiers");
    }
    OpportunityGenerator generator(seed, count);
    WriteRecords(path, count, ad::kRecordSize, generator);
}

} // namespace dorvanta::sample_data
