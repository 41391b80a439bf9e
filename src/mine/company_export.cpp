#include "mine/company_export.h"

#include "data/code_tables.h"
#include "data/record_layout.h"
#include "data/text.h"
#include "data/utf8_path.h"
#include "data/windows1250.h"
#include "mine/mine_error.h"

#include <fstream>
#include <system_error>

namespace dorvanta {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Longest line of a vCard, in octets, before it is folded.
constexpr std::size_t kVCardLineOctets = 75;

// Value text of vCard 3.0: backslash, comma and semicolon escaped, line
// breaks as \n (a CR LF pair as one).
std::string VCardValue(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
        case '\\':
        case ',':
        case ';':
            out += '\\';
            out += c;
            break;
        case '\r':
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                ++i;
            }
            [[fallthrough]];
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Ends a content line with CRLF, folded so that no line passes 75 octets:
// a continuation starts with a space and never splits a UTF-8 character.
void AppendFolded(std::string& out, std::string_view line)
{
    std::size_t limit = kVCardLineOctets;
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = kVCardLineOctets - 1; // the leading space counts
    }
    out.append(line);
    out += "\r\n";
}

void AppendProperty(std::string& out, std::string_view name, std::string_view utf8)
{
    if (!utf8.empty()) {
        AppendFolded(out, std::string(name) + ":" + VCardValue(utf8));
    }
}

std::string Utf8(std::string_view stored)
{
    return Windows1250ToUtf8(stored);
}

std::string LowerExtension(const std::filesystem::path& file)
{
    return ToLowerAZ(Utf8FromPath(file.extension()));
}

} // namespace

std::optional<ExportKind> ExportKindOf(const std::filesystem::path& file)
{
    const std::string extension = LowerExtension(file);
    if (extension == ".csv") {
        return ExportKind::Csv;
    }
    if (extension == ".xlsx") {
        return ExportKind::Xlsx;
    }
    if (extension == ".vcf") {
        return ExportKind::VCard;
    }
    return std::nullopt;
}

std::vector<std::string> ExportColumns()
{
    std::vector<std::string> columns{"RecordNumber"};
    for (const FieldLayout& field : company_layout::kFields) {
        columns.emplace_back(field.name);
    }
    columns.emplace_back("Note");
    return columns;
}

std::string CompaniesCsv(const std::vector<ExportCompany>& companies)
{
    std::string out(kByteOrderMark);
    bool first = true;
    for (const std::string& column : ExportColumns()) {
        if (!first) {
            out += ',';
        }
        first = false;
        AppendCsvField(out, column);
    }
    out += "\r\n";
    for (const ExportCompany& company : companies) {
        if (company.recordNumber) {
            out += std::to_string(*company.recordNumber);
        }
        for (std::size_t field = 0; field < company_layout::FieldCount; ++field) {
            out += ',';
            AppendCsvField(out, Utf8(company.record.Field(field)));
        }
        out += ',';
        AppendCsvField(out, company.note);
        out += "\r\n";
    }
    return out;
}

std::string CompaniesVCard(const std::vector<ExportCompany>& companies)
{
    std::string out;
    for (const ExportCompany& company : companies) {
        const CompanyRecord& record = company.record;
        out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        const std::string name = Utf8(record.Company);
        AppendFolded(out, "FN:" + VCardValue(name));
        // N is required in 3.0; a company has no family or given name.
        out += "N:;;;;\r\n";
        AppendProperty(out, "ORG", name);
        if (!record.Address.empty() || !record.County.empty()) {
            const std::string county = record.County.empty() ? std::string() : CountyName(record.County);
            AppendFolded(out, "ADR;TYPE=WORK:;;" + VCardValue(Utf8(record.Address)) + ";;" +
                                  VCardValue(Utf8(county.empty() ? record.County : county)) + ";;Romania");
        }
        AppendProperty(out, "TEL;TYPE=CELL", Utf8(record.Mobile));
        AppendProperty(out, "TEL;TYPE=WORK,VOICE", Utf8(record.Phone));
        AppendProperty(out, "TEL;TYPE=WORK,FAX", Utf8(record.Fax));
        AppendProperty(out, "EMAIL;TYPE=INTERNET", Utf8(record.Email));
        AppendProperty(out, "URL", Utf8(record.Web));
        std::string note = Utf8(record.Description);
        if (!company.note.empty()) {
            note += note.empty() ? "" : "\n";
            note += company.note;
        }
        AppendProperty(out, "NOTE", note);
        out += "END:VCARD\r\n";
    }
    return out;
}

void WriteCompaniesFile(const std::filesystem::path& file, const std::vector<ExportCompany>& companies)
{
    const std::optional<ExportKind> kind = ExportKindOf(file);
    if (!kind) {
        throw MineError(MineError::Kind::Failed, "Cannot tell what to write from the name " +
                                                     Utf8FromPath(file.filename()) +
                                                     ": use .csv, .xlsx or .vcf.");
    }
    std::filesystem::path partial = file;
    partial += ".part";
    try {
        if (*kind == ExportKind::Xlsx) {
            WriteCompaniesXlsx(partial, companies);
        } else {
            const std::string bytes =
                *kind == ExportKind::Csv ? CompaniesCsv(companies) : CompaniesVCard(companies);
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out) {
                throw MineError(MineError::Kind::Failed, "Cannot write " + Utf8FromPath(file) + ".");
            }
        }
        std::error_code ec;
        std::filesystem::rename(partial, file, ec);
        if (ec) {
            throw MineError(MineError::Kind::Failed,
                            "Cannot write " + Utf8FromPath(file) + ": " + ec.message());
        }
    } catch (...) {
        // Whatever failed (a full disk half-way through a workbook, the
        // rename), no part of the export stays beside it.
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        throw;
    }
}

} // namespace dorvanta
