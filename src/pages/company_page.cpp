#include "data/code_tables.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "data/text.h"
#include "pages/page_fragments.h"
#include "pages/pages.h"

#include <array>

namespace dorvanta {

namespace {

using page::Label;

constexpr std::string_view kBannerMovie = "Dorvanta.swf";

// The sentence of one activity row. `typeWord` belongs to the whole page: a
// type letter outside the table keeps the word of the row before.
std::string ActivitySentence(std::string_view entry, Language language, const CategoryTable& table,
                             std::string& typeWord)
{
    CompanyTypeWord(ActivityTypeLetter(entry), language, typeWord);
    const std::string name = DotsToSpaces(table.CategoryText(entry, language));
    const DomainAndSection parts = SplitCategoryName(name);

    std::string sentence;
    sentence.reserve(96 + typeWord.size() + name.size());
    sentence += "<b>";
    sentence += typeWord;
    if (language == Language::EN) {
        sentence += "</b> in <b>";
        sentence += parts.section;
        sentence += "</b> section of the <b><u>";
        sentence += parts.domain;
        sentence += "</u></b> domain.";
    } else {
        sentence += "</b> in sectiunea <b>";
        sentence += parts.section;
        sentence += "</b> din domeniul <b><u>";
        sentence += parts.domain;
        sentence += "</u></b> .";
    }
    return sentence;
}

// Each number of a phone field on a line of its own, brackets and plus signs spaced.
std::string PhoneLayout(std::string_view text)
{
    std::string laid = ReplaceAll(text, " ", "<br>");
    laid = ReplaceAll(laid, "(", " (");
    laid = ReplaceAll(laid, ")", ") ");
    return ReplaceAll(laid, "+", "+ ");
}

} // namespace

std::string BuildCompanyPage(const CompanyRecord& record, Language language, const std::string& programFolder,
                             const CategoryTable& table)
{
    const auto label = [language](std::string_view english, std::string_view romanian) {
        return Label{Pick(language, english, romanian)};
    };
    const std::string icons = page::SubfolderText(programFolder, "icon");
    const std::string movie = page::SubfolderText(programFolder, "Internet") + std::string(kBannerMovie);

    std::string html;
    html.reserve(page::ReserveFor(programFolder));
    page::AppendPageHead(html, movie, "false");

    page::AppendTitleRow(html, page::kRowTop, label("&nbsp;Company", "&nbsp;Companie"), icons,
                         "company.gif' width=18 height=18></td><td><center><b>&nbsp;", record.Company);

    const Label activity = label("&nbsp;Activity", "&nbsp;Activitate");
    std::string typeWord;
    const std::array<const std::string*, 4> entries = record.Activities();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = *entries[i];
        if (entry.empty()) {
            continue;
        }
        const std::string sentence = ActivitySentence(entry, language, table, typeWord);
        if (i == 0) {
            html += page::kBlankRow;
            page::AppendActivityRow(html, page::kRowTop, activity, icons,
                                    "1activity.gif' width=18 height=18></td><td>", sentence);
        } else {
            page::AppendActivityRow(html, page::kRowWide, activity, icons,
                                    "2activity.gif' width=18 height=18></td><td>", sentence);
        }
    }
    html += page::kBlankRow;

    page::AppendTextRow(html, page::kRowWide, label("&nbsp;Postal&nbsp;address", "&nbsp;Adresa&nbsp;postala"),
                        icons, "postal.gif' width=18 height=18></td><td>", record.Address);
    Label county = label("&nbsp;County", "&nbsp;Judet");
    county.closed = false;
    page::AppendTextRow(html, page::kRowPlain, county, icons, "county.gif' width=18 height=18></td><td>",
                        CountyName(record.County));
    if (!record.Representative.empty()) {
        page::AppendTextRow(html, page::kRowPlain, label("&nbsp;Representative", "&nbsp;Reprezentant"), icons,
                            "representative.gif' width=18 height=18></td><td>", record.Representative);
    }
    html += page::kBlankRow;

    const std::string mobile = PhoneLayout(record.Mobile);
    if (!mobile.empty()) {
        page::AppendTextRow(html, page::kRowPlain,
                            label("&nbsp;Mobile&nbsp;phone", "&nbsp;Telefon&nbsp;mobil"), icons,
                            "mobile.gif' width=18 height=18></td><td>", mobile);
    }
    const std::string phone = PhoneLayout(record.Phone);
    if (!phone.empty()) {
        page::AppendTextRow(html, page::kRowPlain, label("&nbsp;Phone", "&nbsp;Telefon"), icons,
                            "phone.gif' width=18 height=18></td><td>", phone);
    }
    const std::string fax = PhoneLayout(record.Fax);
    if (!fax.empty()) {
        page::AppendTextRow(html, page::kRowPlain, label("&nbsp;Fax", "&nbsp;Fax"), icons,
                            "fax.gif' width=18 height=18></td><td>", fax);
    }
    if (!record.Email.empty()) {
        page::AppendLinkRow(html, page::kRowPlain, label("&nbsp;Email", "&nbsp;Email"), icons,
                            "email.gif' width=18 height=18></td><td><a href=\"mailto:", record.Email, "\">");
    }
    if (!record.Web.empty()) {
        page::AppendLinkRow(html, page::kRowPlain, label("&nbsp;Web&nbsp;page", "&nbsp;Pagina&nbsp;web"),
                            icons, "web.gif' width=18 height=18></td><td><a href=\"", record.Web,
                            "\" target=_blank>");
    }
    if (!record.Description.empty()) {
        html += page::kBlankRow;
        page::AppendTextRow(html, page::kRowPlain, label("&nbsp;Description", "&nbsp;Descriere"), icons,
                            "story.gif' width=18 height=18></td><td>", record.Description);
    }
    html += "</table>";
    html += "</body></html>";
    return html;
}

std::optional<std::string> CompanyPage(const std::filesystem::path& folder, std::int64_t recordNumber,
                                       Language language, const CategoryTable& table)
{
    // Opened first, so that a missing or read-only file is reported whatever the number.
    RecordFile file(ResolveFile(folder, kCompanyFileName), company_layout::kRecordSize);
    file.Lock(FileLock::Shared); // not while an import writes
    if (recordNumber < 0) {
        return std::nullopt;
    }
    CompanyRecord::Raw raw{};
    if (!file.Read(static_cast<std::uint64_t>(recordNumber), raw.data())) {
        return std::nullopt;
    }
    return BuildCompanyPage(CompanyRecord::Decode(raw.data()), language, ProgramFolderText(folder), table);
}

} // namespace dorvanta
