#include "data/code_tables.h"
#include "data/domain_tree.h"
#include "data/record_file.h"
#include "data/record_layout.h"
#include "pages/page_fragments.h"
#include "pages/pages.h"

namespace dorvanta {

namespace {

using page::Label;

// The caption of the record's domain group: the item of the domain box at the
// letter's position (a = 1). A first character whose position is outside the
// box (an upper-case letter, say) leaves the field's own text.
std::string GroupName(const std::string& domainLetter, const std::vector<std::string>& domainList)
{
    if (domainLetter.empty()) {
        return {};
    }
    // Read as unsigned, so that a byte above 127 counts by its code like any other character.
    const long position = static_cast<long>(static_cast<unsigned char>(domainLetter[0])) - 'a' + 1;
    if (position < 0 || position >= static_cast<long>(domainList.size())) {
        return domainLetter;
    }
    return domainList[static_cast<std::size_t>(position)];
}

} // namespace

std::vector<std::string> OpportunityDomainList(Language language)
{
    std::vector<std::string> items{"All"};
    for (const DomainGroup& group : DomainTree::AdGroups(language).groups()) {
        items.push_back(group.line);
    }
    return items;
}

std::string BuildOpportunityPage(const OpportunityRecord& record, Language language,
                                 const std::string& programFolder, const std::vector<std::string>& domainList,
                                 int bannerNumber)
{
    const auto label = [language](std::string_view english, std::string_view romanian) {
        return Label{Pick(language, english, romanian)};
    };
    // Linux names are case-sensitive: the icons live in the one lower-case folder
    // the company page uses too.
    const std::string icons = page::SubfolderText(programFolder, "icon");
    const std::string movie = page::SubfolderText(programFolder, "Internet") + record.DomainLetter +
                              std::to_string(bannerNumber) + ".swf";

    std::string html;
    html.reserve(page::ReserveFor(programFolder));
    page::AppendPageHead(html, movie, "default");

    page::AppendTitleRow(html, page::kRowTop, label("&nbsp;Subject", "&nbsp;Subiect"), icons,
                         "subject.gif' width=18 height=18></td><td><center><b>", record.Subject);
    const std::optional<std::string> typeWord = AdTypeWord(record.AdType, language);
    page::AppendTextRow(html, page::kRowWide, label("&nbsp;Type", "&nbsp;Tip"), icons,
                        "category.gif' width=18 height=18></td><td>", typeWord ? *typeWord : record.AdType);
    html += page::kBlankRow;

    page::AppendTextRow(html, page::kRowTop, label("&nbsp;Description", "&nbsp;Descriere"), icons,
                        "story.gif' width=18 height=18></td><td>", record.Description);
    html += page::kBlankRow;

    page::AppendTextRow(html, page::kRowWide, label("&nbsp;Insert on", "&nbsp;Data introducerii"), icons,
                        "insert.gif' width=18 height=18></td><td>", record.InsertDate);
    page::AppendTextRow(html, page::kRowWide, label("&nbsp;Category", "&nbsp;Categoria"), icons,
                        "1activity.gif' width=18 height=18></td><td>",
                        GroupName(record.DomainLetter, domainList));
    page::AppendTextRow(html, page::kRowPlain, label("&nbsp;County", "&nbsp;Judet"), icons,
                        "county.gif' width=18 height=18></td><td>", CountyName(record.County));
    html += page::kBlankRow;

    page::AppendTextRow(html, page::kRowPlain, label("&nbsp;Representative", "&nbsp;Reprezentant"), icons,
                        "representative.gif' width=18 height=18></td><td>", record.Representative);
    page::AppendTextRow(html, page::kRowPlain, label("&nbsp;Company", "&nbsp;Companie"), icons,
                        "company.gif' width=18 height=18></td><td>", record.Company);
    if (!record.Phone.empty()) {
        page::AppendTextRow(html, page::kRowPlain, label("&nbsp;Phone", "&nbsp;Telefon"), icons,
                            "phone.gif' width=18 height=18></td><td>", record.Phone);
    }
    if (!record.Fax.empty()) {
        page::AppendTextRow(html, page::kRowPlain, label("&nbsp;Fax", "&nbsp;Fax"), icons,
                            "fax.gif' width=18 height=18></td><td>", record.Fax);
    }
    if (!record.Email.empty()) {
        page::AppendLinkRow(
            html, page::kRowPlain, label("&nbsp;Email", "&nbsp;Email"), icons,
            "email.gif' width=18 height=18></td><td><a href=\"mailto:", record.Email,
            Pick(language, "?subject=Your ad from Dorvanta\">", "?subject=Anuntul dvs din Dorvanta\">"));
    }
    if (!record.Web.empty()) {
        page::AppendLinkRow(html, page::kRowPlain, label("&nbsp;Web&nbsp;page", "&nbsp;Pagina&nbsp;web"),
                            icons, "web.gif' width=18 height=18></td><td><a href=\"", record.Web,
                            "\" target=_blank>");
    }
    html += "</body></html>";
    return html;
}

std::optional<OpportunityRecord> ReadOpportunityRecord(const std::filesystem::path& folder,
                                                       std::int64_t recordNumber)
{
    RecordFile file(ResolveFile(folder, kOpportunityFileName), opportunity_layout::kRecordSize);
    file.Lock(FileLock::Shared); // not while an import writes
    if (recordNumber < 0) {
        return std::nullopt;
    }
    OpportunityRecord::Raw raw{};
    if (!file.Read(static_cast<std::uint64_t>(recordNumber), raw.data())) {
        return std::nullopt;
    }
    return OpportunityRecord::Decode(raw.data());
}

std::string OpportunityPage(const std::filesystem::path& folder, std::int64_t recordNumber, Language language,
                            const std::vector<std::string>& domainList, BannerNumbers& banners)
{
    const std::optional<OpportunityRecord> record = ReadOpportunityRecord(folder, recordNumber);
    if (!record) {
        return {};
    }
    return BuildOpportunityPage(*record, language, ProgramFolderText(folder), domainList, banners.Next());
}

} // namespace dorvanta
