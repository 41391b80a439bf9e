#pragma once

#include "data/language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dorvanta {

// Texts for the status line: messages 2, 3, 5, 8, 9 and 10; any other number
// gives "Undefined message" / "Mesaj nedefinit".
std::string GetMessageText(int number, Language language);

// Texts for the information box: messages 1 to 5; any other number gives
// "Undefined" / "Nedefinit".
std::string InfoMessageText(int number, Language language);

// Caption of the information box, the same in both languages.
inline constexpr const char* kInfoCaption = "Information";

// "Found N records." / "Au fost gasite N inregistrari."
std::string FoundRecordsText(std::size_t count, Language language);

class FileError;

// The box shown when database.db cannot be opened for a search.
std::string CannotOpenCompanyFileText(Language language);

// The box shown when bursa.db exists but cannot be opened for a search.
std::string CannotOpenOpportunityFileText(Language language);

// What went wrong with a file, for the user. A file that could not be opened
// gives the cannot-open text of database.db or bursa.db ("Could not open ...
// not read-only"); any other failure names what was being done, the file and
// the system's reason: "Could not write to the file database.db: no space
// left on the device." The reason is in the language where we know it,
// otherwise the system's own words.
std::string FileErrorText(const FileError& error, Language language);

// A folder the program must write in and cannot (the error's path is the
// folder): "Could not write in the folder /opt/dorvanta/Temp: access denied."
std::string FolderErrorText(const FileError& error, Language language);

// A file an update must write whose opening failed: the file when it is
// there ("Could not write to the file bursa.db: access denied."), otherwise
// its folder, where it could not be created.
std::string CannotWriteText(const FileError& openFailure, Language language);

// The system's reason of a file failure alone, as FileErrorText words it:
// "no space left on the device".
std::string FileReasonText(const FileError& error, Language language);

// Shown while an import or update waits for another program (or another
// import) to finish writing `fileName`.
std::string WaitingForFileText(std::string_view fileName, Language language);

// What the window says instead of waiting while an import or update writes
// the file a search or a page would read.
std::string DatabaseBusyText(Language language);

// The end of a register import in the window's status line: the companies
// added or brought up to date.
std::string RegisterImportedText(std::uint64_t companies, Language language);

// Status after a business-ads update: "N records was added. Your database is updated."
std::string AdsAddedText(std::size_t count, Language language);

// Status after a company update: "N companies profiles was updated."
std::string CompaniesUpdatedText(std::size_t count, Language language);

// Information box of the company import when database.db is missing.
inline constexpr const char* kDatabaseMissingText = "Database file does not exist";

// Information box of Print when the view in front is unknown.
inline constexpr const char* kCannotDeterminePrintText = "Could not determine which document to print.";

} // namespace dorvanta
