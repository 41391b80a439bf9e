// The company search panel: its boxes, the subdomain list, the search, the
// company page and the quick searches of the company domain popup.
#include "app/company_panel.h"
#include "app/swallowed.h"

#include "app/advanced_criteria.h"
#include "app/button_faces.h"
#include "app/captions.h"
#include "app/company_actions.h"
#include "app/company_page_frame.h"
#include "app/html_view.h"
#include "app/mnemonics.h"
#include "app/panel_criteria.h"
#include "app/placeholders.h"
#include "app/windows1250.h"
#include "data/code_tables.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/text.h"
#include "mine/company_lookup.h"
#include "pages/pages.h"
#include "search/reading_hold.h"
#include "search/subdomains.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>

namespace dorvanta {

CompanyPanel::CompanyPanel(const WindowState& state, MineLayer& mine, QWidget* parent,
                           SettingsStore* settings)
    : SearchPanel(state, "Panel_Companies", parent)
{
    frame_ = new CompanyPageFrame(mine, state, this);
    SearchPanelParts parts(this, "Splitter_Companies", "Panel_Companies_Left");
    Panel_Companies_Search = parts.header = MakeHeader("Panel_Companies_Search", parts.left);
    searchBox_ =
        parts.AddEditRow("Label_Companies_Company", "Edit_Companies_Company", Label_Companies_Company);
    ComboBox_Companies_Domain =
        parts.AddComboRow("Label_Companies_Domain", "ComboBox_Companies_Domain", Label_Companies_Domain);
    ComboBox_Companies_Subdomain = parts.AddComboRow(
        "Label_Companies_SubDomain", "ComboBox_Companies_Subdomain", Label_Companies_SubDomain);
    ComboBox_Companies_Locality = parts.AddComboRow("Label_Companies_Locality", "ComboBox_Companies_Locality",
                                                    Label_Companies_Locality);
    ComboBox_Companies_Type =
        parts.AddComboRow("Label_Companies_Type", "ComboBox_Companies_Type", Label_Companies_Type);
    ComboBox_Companies_Locality->addItems(Windows1250ToQStringList(CountyBoxItems()));
    advanced_ = new AdvancedCriteria(parts, settings, this);
    parts.pageAbove = frame_->Bar();
    parts.pageBelow = frame_->NotePart();
    FinishControls(parts, "Button_Companies_Search", "ListView_Companies", "Web_Companies");
    frame_->SetTabOrder(list_, view_);
    connect(frame_, &CompanyPageFrame::openRecord, this, [this](std::uint64_t number) {
        showingFromHistory_ = true;
        ShowRecord(static_cast<std::int64_t>(number));
        showingFromHistory_ = false;
    });
    connect(frame_, &CompanyPageFrame::statusChanged, this, &SearchPanel::statusChanged);
    connect(ComboBox_Companies_Domain, &QComboBox::activated, this, &CompanyPanel::FillSubdomains);
    actions_ = new CompanyActions(state, list_, this);
    actions_->SetMine(&mine);
    connect(actions_, &CompanyActions::statusChanged, this, &SearchPanel::statusChanged);
    connect(advanced_, &AdvancedCriteria::searchWanted, this, [this] {
        typingPause_->stop();
        Search();
    });
    connect(advanced_, &AdvancedCriteria::rowsToggled, this, [this] { FitCriteriaWidth(); });
}

CompanyPanel::~CompanyPanel() = default;

void CompanyPanel::ApplyLanguage()
{
    frame_->ApplyLanguage();
    const Captions& c = CaptionsOf(state_.language);
    Panel_Companies_Search->setText(QString::fromLatin1(c.companiesSearch));
    // The mnemonics clash neither with each other nor with the menu bar's letters.
    const bool romanian = state_.language == Language::RO;
    SetCriteriaCaption(Label_Companies_Company, searchBox_, c.company, 'p');
    SetCriteriaCaption(Label_Companies_Domain, ComboBox_Companies_Domain, c.domain, 'd');
    SetCriteriaCaption(Label_Companies_SubDomain, ComboBox_Companies_Subdomain, c.section, 'e');
    SetCriteriaCaption(Label_Companies_Locality, ComboBox_Companies_Locality, c.county, romanian ? 'j' : 'n');
    SetCriteriaCaption(Label_Companies_Type, ComboBox_Companies_Type, c.type, 't');
    advanced_->ApplyLanguage(state_.language);
    list_->setHeaderLabels({QString::fromLatin1(c.type), QString::fromLatin1(c.company)});
    ApplyAccessibleNames(c.companiesFound, c.companyPage);
    FitTypeColumn({});

    // An empty box, or one showing the other language's placeholder, gets the new one.
    const std::string text = QStringToWindows1250(searchBox_->text());
    if (text.empty() || IsCompanyPlaceholder(text)) {
        searchBox_->setText(Windows1250ToQString(CompanyPlaceholder(state_.language)));
    }

    const QSignalBlocker blocker(ComboBox_Companies_Type);
    ComboBox_Companies_Type->clear();
    ComboBox_Companies_Type->addItems(Windows1250ToQStringList(CompanyTypeBoxItems(state_.language)));
    ComboBox_Companies_Type->setCurrentIndex(0);
    SetAllEntry(ComboBox_Companies_Type, state_.language);
    SetAllEntry(ComboBox_Companies_Locality, state_.language);
    SetAllEntry(ComboBox_Companies_Subdomain, state_.language);
    FitCriteriaWidth();
    LoadStartPage(StartPageStem());
}

QString CompanyPanel::TypeCellName(const std::string& type) const
{
    // The list shows a type's letter; a screen reader says its word.
    std::string word = type;
    if (type.size() == 1) {
        CompanyTypeWord(type.front(), state_.language, word);
    }
    return Windows1250ToQString(word);
}

bool CompanyPanel::IsPlaceholder(const QString& text) const
{
    return IsCompanyPlaceholder(QStringToWindows1250(text));
}

void CompanyPanel::ResetCriteria()
{
    // Each box separately; the domain box does not refill the subdomains here.
    ChooseFirst(ComboBox_Companies_Domain);
    ChooseFirst(ComboBox_Companies_Subdomain);
    ChooseFirst(ComboBox_Companies_Locality);
    ChooseFirst(ComboBox_Companies_Type);
}

void CompanyPanel::SetDomainEntries(const QStringList& entries)
{
    const QSignalBlocker blocker(ComboBox_Companies_Domain);
    ComboBox_Companies_Domain->clear();
    ComboBox_Companies_Domain->addItems(entries);
    ComboBox_Companies_Domain->setCurrentIndex(0);
}

void CompanyPanel::FillSubdomains()
{
    if (ComboBox_Companies_Domain->count() < 2 || ComboBox_Companies_Domain->currentIndex() < 0) {
        return;
    }
    // The first entry reads "All" or "Toate"; the subdomains of every domain
    // are asked for by the word the category table knows.
    const std::string entry = ComboBox_Companies_Domain->currentIndex() == 0
                                  ? std::string("All")
                                  : QStringToWindows1250(ComboBox_Companies_Domain->currentText());
    SubdomainList subdomains = dorvanta::FillSubdomains(entry, CategoryTable::Builtin(), state_.language);

    const QSignalBlocker blocker(ComboBox_Companies_Subdomain);
    ComboBox_Companies_Subdomain->clear();
    ComboBox_Companies_Subdomain->addItem(QString::fromLatin1(CaptionsOf(state_.language).all));
    ComboBox_Companies_Subdomain->addItems(Windows1250ToQStringList(subdomains.names));
    subdomainCodes_ = std::move(subdomains.codes);
    ComboBox_Companies_Subdomain->setCurrentIndex(0);
}

void CompanyPanel::Search()
{
    CompanyPanelChoice choice;
    choice.nameBox = QStringToWindows1250(searchBox_->text());
    choice.countyIndex = std::max(0, ComboBox_Companies_Locality->currentIndex());
    choice.countyName = QStringToWindows1250(ComboBox_Companies_Locality->currentText());
    choice.typeIndex = std::max(0, ComboBox_Companies_Type->currentIndex());
    choice.typeEntry = QStringToWindows1250(ComboBox_Companies_Type->currentText());
    choice.domainIndex = std::max(0, ComboBox_Companies_Domain->currentIndex());
    choice.subdomainIndex = std::max(0, ComboBox_Companies_Subdomain->currentIndex());
    choice.subdomainCodes = subdomainCodes_;
    CompanyCriteria criteria = MakeCompanyCriteria(choice);
    criteria.ignoreDiacritics = state_.ignoreDiacritics;
    advanced_->Fill(criteria);
    // An import writing the file would keep the window waiting: say so instead.
    ReadingHold hold;
    if (!hold.TryHold(ResolveFile(state_.programFolder, kCompanyFileName))) {
        emit statusChanged(Windows1250ToQString(DatabaseBusyText(state_.language)));
        return;
    }
    const bool shown =
        ShowSearchResult([&] { return column_.Search(state_.programFolder, criteria, state_.language); });
    if (shown) {
        // Matters when the search came from the domain popup while another panel showed.
        emit wantsFront();
    }
}

bool CompanyPanel::ShowPage(std::int64_t recordNumber)
{
    // An import writing the file would keep the window waiting: say so instead.
    ReadingHold hold;
    if (!hold.TryHold(ResolveFile(state_.programFolder, kCompanyFileName))) {
        emit statusChanged(Windows1250ToQString(DatabaseBusyText(state_.language)));
        return false;
    }
    // One read gives the page and the name the frame keeps the note by.
    const std::optional<CompanyRecord> record =
        recordNumber < 0 ? std::nullopt
                         : ReadCompanyRecord(state_.programFolder, static_cast<std::uint64_t>(recordNumber));
    if (record) {
        view_->LoadPageIntoBrowser(BuildCompanyPage(*record, state_.language,
                                                    ProgramFolderText(state_.programFolder),
                                                    CategoryTable::Builtin()));
        if (!record->IsDeleted()) {
            frame_->ShowingCompany(static_cast<std::uint64_t>(recordNumber), record->Company,
                                   showingFromHistory_);
        } else {
            frame_->ShowingNoCompany();
        }
    }
    return true;
}

void CompanyPanel::StartPageLoaded()
{
    frame_->ShowingNoCompany();
}

void CompanyPanel::PageOpened()
{
    frame_->Opened();
}

void CompanyPanel::SearchCategory(const QString& domainName, const QString& categoryCode)
{
    try {
        // The section by its code: a caption carries a mnemonic mark.
        const std::string code = ToLowerAZ(QStringToWindows1250(categoryCode));
        const std::string domain = ToLowerAZ(Trim(QStringToWindows1250(domainName)));
        for (int i = 0; i < ComboBox_Companies_Domain->count(); ++i) {
            if (ToLowerAZ(Trim(QStringToWindows1250(ComboBox_Companies_Domain->itemText(i)))) != domain) {
                continue;
            }
            {
                const QSignalBlocker blocker(ComboBox_Companies_Domain);
                ComboBox_Companies_Domain->setCurrentIndex(i);
            }
            FillSubdomains();
            const auto found = std::find(subdomainCodes_.begin(), subdomainCodes_.end(), code);
            if (found != subdomainCodes_.end()) {
                const QSignalBlocker blocker(ComboBox_Companies_Subdomain);
                // The box's first entry is "All".
                ComboBox_Companies_Subdomain->setCurrentIndex(
                    static_cast<int>(found - subdomainCodes_.begin()) + 1);
                Search();
            }
            return;
        }
    } catch (...) {
        // A quick search that cannot run leaves the boxes as they got.
        WarnSwallowed("a quick search");
    }
}

} // namespace dorvanta
