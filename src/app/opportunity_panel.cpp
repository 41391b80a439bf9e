// The business-ad search panel: its boxes, the search, the ad page and the
// quick searches of the opportunity domain popup.
#include "app/opportunity_panel.h"

#include "app/captions.h"
#include "app/html_view.h"
#include "app/mnemonics.h"
#include "app/panel_criteria.h"
#include "app/placeholders.h"
#include "app/windows1250.h"
#include "data/code_tables.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "search/reading_hold.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>

namespace dorvanta {

OpportunityPanel::OpportunityPanel(const WindowState& state, QWidget* parent)
    : SearchPanel(state, "Panel_Internet", parent)
{
    SearchPanelParts parts(this, "Splitter_Internet", "Panel_Internet_Left");
    Panel_Internet_Search = parts.header = MakeHeader("Panel_Internet_Search", parts.left);
    searchBox_ =
        parts.AddEditRow("Label_Internet_Keywords", "Edit_Internet_Company", Label_Internet_Keywords);
    ComboBox_Internet_Domain =
        parts.AddComboRow("Label_Internet_Domain", "ComboBox_Internet_Domain", Label_Internet_Domain);
    ComboBox_Internet_Locality =
        parts.AddComboRow("Label_Internet_Locality", "ComboBox_Internet_Locality", Label_Internet_Locality);
    ComboBox_Internet_Type =
        parts.AddComboRow("Label_Internet_Type", "ComboBox_Internet_Type", Label_Internet_Type);
    ComboBox_Internet_Locality->addItems(Windows1250ToQStringList(CountyBoxItems()));
    FinishControls(parts, "Button_Internet_Search", "ListView_Internet", "Web_Internet");
}

void OpportunityPanel::ApplyLanguage()
{
    const Captions& c = CaptionsOf(state_.language);
    Panel_Internet_Search->setText(QString::fromLatin1(c.internetSearch));
    // The mnemonics clash neither with each other nor with the menu bar's letters.
    const bool romanian = state_.language == Language::RO;
    SetCriteriaCaption(Label_Internet_Keywords, searchBox_, c.keywords, romanian ? 'v' : 'k');
    SetCriteriaCaption(Label_Internet_Domain, ComboBox_Internet_Domain, c.domain, 'd');
    SetCriteriaCaption(Label_Internet_Locality, ComboBox_Internet_Locality, c.county, romanian ? 'j' : 'n');
    SetCriteriaCaption(Label_Internet_Type, ComboBox_Internet_Type, c.type, 't');
    list_->setHeaderLabels({QString::fromLatin1(c.type), QString::fromLatin1(c.subject)});
    ApplyAccessibleNames(c.opportunitiesFound, c.adPage);
    // The ad list shows whole words ("Request", "Servicii") in its first column.
    QStringList words;
    for (const AdType& adType : kAdTypes) {
        words.append(Windows1250ToQString(Pick(state_.language, adType.wordEnglish, adType.wordRomanian)));
    }
    FitTypeColumn(words);

    const std::string text = QStringToWindows1250(searchBox_->text());
    if (text.empty() || IsKeywordPlaceholder(text)) {
        searchBox_->setText(Windows1250ToQString(KeywordPlaceholder(state_.language)));
    }

    const QSignalBlocker blocker(ComboBox_Internet_Type);
    ComboBox_Internet_Type->clear();
    ComboBox_Internet_Type->addItems(Windows1250ToQStringList(AdTypeBoxItems(state_.language)));
    ComboBox_Internet_Type->setCurrentIndex(0);
    SetAllEntry(ComboBox_Internet_Type, state_.language);
    SetAllEntry(ComboBox_Internet_Locality, state_.language);
    FitCriteriaWidth();
    LoadStartPage(StartPageStem());
}

bool OpportunityPanel::IsPlaceholder(const QString& text) const
{
    return IsKeywordPlaceholder(QStringToWindows1250(text));
}

void OpportunityPanel::ResetCriteria()
{
    ChooseFirst(ComboBox_Internet_Domain);
    ChooseFirst(ComboBox_Internet_Locality);
    ChooseFirst(ComboBox_Internet_Type);
}

void OpportunityPanel::SetDomainEntries(const QStringList& entries)
{
    const QSignalBlocker blocker(ComboBox_Internet_Domain);
    ComboBox_Internet_Domain->clear();
    ComboBox_Internet_Domain->addItems(entries);
    ComboBox_Internet_Domain->setCurrentIndex(0);
}

void OpportunityPanel::Search()
{
    OpportunityPanelChoice choice;
    choice.keywordBox = QStringToWindows1250(searchBox_->text());
    choice.countyIndex = std::max(0, ComboBox_Internet_Locality->currentIndex());
    choice.countyName = QStringToWindows1250(ComboBox_Internet_Locality->currentText());
    choice.domainIndex = std::max(0, ComboBox_Internet_Domain->currentIndex());
    choice.typeIndex = std::max(0, ComboBox_Internet_Type->currentIndex());
    OpportunityCriteria criteria = MakeOpportunityCriteria(choice);
    criteria.ignoreDiacritics = state_.ignoreDiacritics;
    // An import writing the file would keep the window waiting: say so instead.
    ReadingHold hold;
    if (!hold.TryHold(ResolveFile(state_.programFolder, kOpportunityFileName))) {
        emit statusChanged(Windows1250ToQString(DatabaseBusyText(state_.language)));
        return;
    }
    ShowSearchResult([&] { return SearchOpportunities(state_.programFolder, criteria, state_.language); });
}

bool OpportunityPanel::ShowPage(std::int64_t recordNumber)
{
    // An import writing the file would keep the window waiting: say so instead.
    ReadingHold hold;
    if (!hold.TryHold(ResolveFile(state_.programFolder, kOpportunityFileName))) {
        emit statusChanged(Windows1250ToQString(DatabaseBusyText(state_.language)));
        return false;
    }
    // Handed over even when empty: a missing record shows an empty document.
    const std::string page = OpportunityPage(state_.programFolder, recordNumber, state_.language,
                                             OpportunityDomainList(state_.language), banners_);
    view_->LoadPageIntoBrowser(page);
    return true;
}

void OpportunityPanel::SearchType(const QString& group, const QString& caption)
{
    const int domain = ComboBox_Internet_Domain->findText(group);
    if (domain >= 0) {
        const QSignalBlocker blocker(ComboBox_Internet_Domain);
        ComboBox_Internet_Domain->setCurrentIndex(domain);
    }
    const int type = ComboBox_Internet_Type->findText(caption);
    if (type >= 0) {
        const QSignalBlocker blocker(ComboBox_Internet_Type);
        ComboBox_Internet_Type->setCurrentIndex(type);
    }
    Search();
    emit wantsFront();
}

} // namespace dorvanta
