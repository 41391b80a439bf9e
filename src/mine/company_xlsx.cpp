// The .xlsx export, through libxlsxwriter where the build has it (see
// src/mine/CMakeLists.txt). It takes the file name as UTF-8 and opens it
// through the wide API on Windows.

#include "mine/company_export.h"

#include "data/record_layout.h"
#include "data/utf8_path.h"
#include "data/windows1250.h"
#include "mine/mine_error.h"

#ifdef DORVANTA_HAVE_XLSX
#include <xlsxwriter.h>
#endif

namespace dorvanta {

#ifdef DORVANTA_HAVE_XLSX

namespace {

// A cell's text: UTF-8, without the control characters XML cannot carry
// (a damaged field may hold any byte).
std::string CellText(std::string text)
{
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t' && c != '\n') {
            c = ' ';
        }
    }
    return text;
}

} // namespace

bool XlsxAvailable()
{
    return true;
}

void WriteCompaniesXlsx(const std::filesystem::path& file, const std::vector<ExportCompany>& companies)
{
    const std::string name = Utf8FromPath(file);
    lxw_workbook* workbook = workbook_new(name.c_str());
    if (workbook == nullptr) {
        throw MineError(MineError::Kind::Failed, "Cannot write " + name + ".");
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Companies");
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);

    const std::vector<std::string> columns = ExportColumns();
    for (std::size_t column = 0; column < columns.size(); ++column) {
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(column), columns[column].c_str(), bold);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    lxw_row_t row = 1;
    for (const ExportCompany& company : companies) {
        if (company.recordNumber) {
            worksheet_write_number(sheet, row, 0, static_cast<double>(*company.recordNumber), nullptr);
        }
        for (std::size_t field = 0; field < company_layout::FieldCount; ++field) {
            const std::string text = CellText(Windows1250ToUtf8(company.record.Field(field)));
            if (!text.empty()) {
                worksheet_write_string(sheet, row, static_cast<lxw_col_t>(field + 1), text.c_str(), nullptr);
            }
        }
        if (!company.note.empty()) {
            worksheet_write_string(sheet, row, static_cast<lxw_col_t>(columns.size() - 1),
                                   CellText(company.note).c_str(), nullptr);
        }
        ++row;
    }
    const lxw_error result = workbook_close(workbook);
    if (result != LXW_NO_ERROR) {
        throw MineError(MineError::Kind::Failed, "Cannot write " + name + ": " + lxw_strerror(result));
    }
}

#else

bool XlsxAvailable()
{
    return false;
}

void WriteCompaniesXlsx(const std::filesystem::path&, const std::vector<ExportCompany>&)
{
    throw MineError(MineError::Kind::Unavailable,
                    "Excel workbooks (.xlsx) are not available in this build; export as .csv instead.");
}

#endif

} // namespace dorvanta
