#include "data/messages.h"

#include "data/file_access.h"
#include "data/record_file.h"
#include "data/text.h"
#include "data/utf8_path.h"

#include <cerrno>
#include <cstring>

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

std::string CannotOpenOpportunityFileText(Language language)
{
    return std::string(
        Pick(language, "Could not open bursa.db file. Make sure that file exists and is not read-only",
             "Nu am putut deschide fisierul bursa.db. Daca fisierul exista, verificati sa nu aiba "
             "atributul read-only."));
}

namespace {
// The system's reason in the user's language, for the reasons a user can act on.
std::string ReasonText(const FileError& error, Language language)
{
    struct Reason
    {
        int error;
        const char* english;
        const char* romanian;
    };
    static constexpr Reason kReasons[] = {
        {ENOSPC, "no space left on the device", "nu mai este spatiu pe disc"},
#ifdef EDQUOT
        {EDQUOT, "the disk quota is used up", "cota de spatiu pe disc este depasita"},
#endif
        {EFBIG, "the file is too large", "fisierul este prea mare"},
        {EIO, "input/output error", "eroare de intrare/iesire"},
        {EACCES, "access denied", "acces interzis"},
        {EPERM, "access denied", "acces interzis"},
        {EROFS, "the disk is read-only", "discul este doar pentru citire"},
    };
    if (error.error() == 0) {
        if (error.operation() == FileOperation::Read) {
            return std::string(Pick(language,
                                    "the file ended before its last record (another program cut it)",
                                    "fisierul s-a terminat inaintea ultimei inregistrari (alt program l-a "
                                    "scurtat)"));
        }
        if (error.operation() == FileOperation::Write || error.operation() == FileOperation::Close) {
            return std::string(Pick(language, "the system gave no reason", "sistemul nu a dat niciun motiv"));
        }
        return error.what();
    }
    for (const Reason& reason : kReasons) {
        if (reason.error == error.error()) {
            return Pick(language, reason.english, reason.romanian).data();
        }
    }
    return std::strerror(error.error());
}
} // namespace

std::string FileErrorText(const FileError& error, Language language)
{
    const std::string name = Utf8FromPath(error.path().filename());
    const std::string lowerName = ToLowerAZ(name);
    std::string_view english = "Could not use the file ";
    std::string_view romanian = "Nu am putut folosi fisierul ";
    switch (error.operation()) {
    case FileOperation::Open:
        if (lowerName == kCompanyFileName) {
            return CannotOpenCompanyFileText(language);
        }
        if (lowerName == kOpportunityFileName) {
            return CannotOpenOpportunityFileText(language);
        }
        english = "Could not open the file ";
        romanian = "Nu am putut deschide fisierul ";
        break;
    case FileOperation::Read:
        english = "Could not read the file ";
        romanian = "Nu am putut citi fisierul ";
        break;
    case FileOperation::Write:
    case FileOperation::Close: // a write the system could only report when the file closed
        english = "Could not write to the file ";
        romanian = "Nu am putut scrie in fisierul ";
        break;
    case FileOperation::Lock:
        english = "Could not lock the file ";
        romanian = "Nu am putut bloca fisierul ";
        break;
    }
    return std::string(Pick(language, english, romanian)) + name + ": " + ReasonText(error, language) + ".";
}

std::string FolderErrorText(const FileError& error, Language language)
{
    return std::string(Pick(language, "Could not write in the folder ", "Nu am putut scrie in dosarul ")) +
           Utf8FromPath(error.path()) + ": " + ReasonText(error, language) + ".";
}

std::string CannotWriteText(const FileError& openFailure, Language language)
{
    std::error_code ec;
    const std::filesystem::path& path = openFailure.path();
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
        return FolderErrorText(FileError(path.parent_path(), FileOperation::Write, openFailure.error()),
                               language);
    }
    // A file refused as read-only carries the reason the system would give.
    return FileErrorText(FileError(path, FileOperation::Write, openFailure.error()), language);
}

std::string FileReasonText(const FileError& error, Language language)
{
    return ReasonText(error, language);
}

std::string WaitingForFileText(std::string_view fileName, Language language)
{
    return std::string(Pick(language, "Waiting for another program to finish writing ",
                            "Se asteapta ca alt program sa termine de scris in ")) +
           std::string(fileName) + "...";
}

std::string DatabaseBusyText(Language language)
{
    return std::string(Pick(language, "The database is being updated. Please try again in a moment.",
                            "Baza de date este in curs de actualizare. Reincercati in cateva momente."));
}

std::string RegisterImportedText(std::uint64_t companies, Language language)
{
    return std::to_string(companies) +
           std::string(Pick(language, " companies of the trade register are in the directory.",
                            " companii din registrul comertului sunt in baza de date."));
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
