#include "data/messages.h"

namespace dorvanta {

namespace {
struct Message
{
    int number;
    const char* english;
    const char* romanian;
};

constexpr Message kMessages[] = {
    {1, "Your search did not return any result", "Cautarea nu a returnat nici o inregistrare."},
    {2,
     "Over 2000 records found. Only first 2000 records are displayed.\rPlease redefine your search criteria.",
     "Doar primele 2000 de inregistrari sunt afisate.\rRedefiniti modul de cautare."},
    {3, "Could not connect to web site.", "Nu m-am putut conecta la site-ul web."},
    {4, "Your database is up to date.", "Baza de date este updatata."},
    {5, "Errors occured while downloading informations. Please try again.",
     "Au existat erori in timpul descarcarii informatiei. Reluati updatarea."},
    {8, "No new opportunities.", "Nu sunt oportunitati noi."},
    {9, "Query return an error. Please try again later.",
     "Cererea a returnat o eroare. Incercati mai tarziu."},
    {10, "Opportunities database(bursa.db) does not exist. This file was moved or deleted.",
     "Baza de date cu oportunitati nu exista."},
};

const Message* Find(int number)
{
    for (const Message& message : kMessages) {
        if (message.number == number) {
            return &message;
        }
    }
    return nullptr;
}

std::string Text(const Message* message, Language language, const char* englishFallback,
                 const char* romanianFallback)
{
    if (!message) {
        return Pick(language, englishFallback, romanianFallback).data();
    }
    return language == Language::EN ? message->english : message->romanian;
}
} // namespace

std::string GetMessageText(int number, Language language)
{
    const bool known =
        number == 2 || number == 3 || number == 5 || number == 8 || number == 9 || number == 10;
    return Text(known ? Find(number) : nullptr, language, "Undefined message", "Mesaj nedefinit");
}

std::string InfoMessageText(int number, Language language)
{
    const bool known = number >= 1 && number <= 5;
    return Text(known ? Find(number) : nullptr, language, "Undefined", "Nedefinit");
}

std::string FoundRecordsText(std::size_t count, Language language)
{
    if (language == Language::EN) {
        return "Found " + std::to_string(count) + " records.";
    }
    return "Au fost gasite " + std::to_string(count) + " inregistrari.";
}

std::string CannotOpenCompanyFileText(Language language)
{
    if (language == Language::EN) {
        return "Could not open database.db file. Make sure that file exists and is not read-only";
    }
    return "Nu am putut deschide fisierul database.db. Daca fisierul exista, verificati sa nu aiba atributul "
           "read-only.";
}

std::string AdsAddedText(std::size_t count, Language language)
{
    return std::to_string(count) + (language == Language::EN
                                        ? " records was added. Your database is updated."
                                        : " inregistrari au fost adaugate. Baza de date este actualizata.");
}

std::string CompaniesUpdatedText(std::size_t count, Language language)
{
    return std::to_string(count) + (language == Language::EN ? " companies profiles was updated."
                                                             : " profile de companii au fost actualizate.");
}

} // namespace dorvanta
