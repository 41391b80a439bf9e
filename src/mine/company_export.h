#pragma once

// Taking companies away: a CSV file for spreadsheets (UTF-8 with a byte-order
// mark so that Excel reads the letters, comma-separated, quoted as RFC 4180
// says), an .xlsx workbook, and vCard 3.0 contacts for phones and mail
// programs. The columns are those of export-companies (the record number,
// then every field by its name), with the note last.

#include "data/company_record.h"
#include "mine/mine_error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvanta {

struct ExportCompany
{
    std::optional<std::uint64_t> recordNumber; // none: the company is no longer in database.db
    CompanyRecord record;                      // stored bytes (Windows-1250); at least the name
    std::string note;                          // UTF-8
};

enum class ExportKind
{
    Csv,
    Xlsx,
    VCard
};

// By the file's extension (.csv, .xlsx, .vcf, any case); nothing for another.
std::optional<ExportKind> ExportKindOf(const std::filesystem::path& file);

// The column names: RecordNumber, the fields of CompanyRecord, Note.
std::vector<std::string> ExportColumns();

// One CSV field, quoted when it holds a comma, a quote or a line break.


std::string CompaniesCsv(const std::vector<ExportCompany>& companies);
std::string CompaniesVCard(const std::vector<ExportCompany>& companies);

// Whether this build can write .xlsx files.
bool XlsxAvailable();
// Writes the workbook; MineError Unavailable where the build has no xlsx
// writer, MineError Failed when the file cannot be written.
void WriteCompaniesXlsx(const std::filesystem::path& file, const std::vector<ExportCompany>& companies);

// Writes `file` in the kind its extension names. The file appears whole or
// not at all (written beside it, then renamed). Throws MineError.
void WriteCompaniesFile(const std::filesystem::path& file, const std::vector<ExportCompany>& companies);

} // namespace dorvanta
