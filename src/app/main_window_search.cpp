// The two search panels: placeholders, Enter, the subdomain list, the
// searches themselves, picking result rows and the quick searches of the
// domain popups. The window only reads its boxes and shows what the core gives.
#include "app/main_window.h"

#include "app/html_view.h"
#include "app/info_box.h"
#include "app/main_window_menus.h"
#include "app/windows1250.h"
#include "data/messages.h"
#include "data/text.h"
#include "search/company_search.h"
#include "search/opportunity_search.h"
#include "search/placeholders.h"
#include "search/subdomains.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <exception>

namespace dorvanta {

namespace {

void ChooseFirst(QComboBox* box)
{
    // Chosen by program: only a choice by the user runs the change handler.
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(0);
}

// Rows of a search result into a list and its parallel record numbers.
void FillResultList(QTreeWidget* list, const std::vector<ResultRow>& rows, std::vector<std::int64_t>& numbers)
{
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    numbers.reserve(rows.size());
    for (const ResultRow& row : rows) {
        items.append(
            new QTreeWidgetItem(QStringList{Windows1250ToQString(row.type), Windows1250ToQString(row.text)}));
        numbers.push_back(row.recordNumber);
    }
    list->addTopLevelItems(items);
}

// The row the user picked, or -1.
int SelectedRow(const QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.front());
}

} // namespace

void TForm_Main::Edit_Companies_CompanyClick(QLineEdit* box)
{
    const std::string text = QStringToWindows1250(box->text());
    if (text.empty() || IsCompanyPlaceholder(text)) {
        box->clear();
        ResetCompanyCriteria();
    }
    // Looked at again: the step above may just have emptied the box.
    const std::string now = QStringToWindows1250(box->text());
    if (now.empty() || IsKeywordPlaceholder(now)) {
        box->clear();
        ResetOpportunityCriteria();
    }
}

void TForm_Main::ResetCompanyCriteria()
{
    // Each box separately; the domain box does not refill the subdomains here.
    ChooseFirst(ComboBox_Companies_Domain);
    ChooseFirst(ComboBox_Companies_Subdomain);
    ChooseFirst(ComboBox_Companies_Locality);
    ChooseFirst(ComboBox_Companies_Type);
}

void TForm_Main::ResetOpportunityCriteria()
{
    ChooseFirst(ComboBox_Internet_Domain);
    ChooseFirst(ComboBox_Internet_Locality);
    ChooseFirst(ComboBox_Internet_Type);
}

bool TForm_Main::SearchBoxEvent(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Edit_Companies_CompanyClick(static_cast<QLineEdit*>(watched));
    }
    return false;
}

void TForm_Main::ComboBox_Companies_DomainChange()
{
    FillSubdomains();
}

void TForm_Main::FillSubdomains()
{
    if (ComboBox_Companies_Domain->count() < 2 || ComboBox_Companies_Domain->currentIndex() < 0) {
        return;
    }
    const std::string entry = QStringToWindows1250(ComboBox_Companies_Domain->currentText());
    SubdomainList list = dorvanta::FillSubdomains(entry, CategoryTable::Builtin(), currentLanguage_);

    const QSignalBlocker blocker(ComboBox_Companies_Subdomain);
    ComboBox_Companies_Subdomain->clear();
    ComboBox_Companies_Subdomain->addItem(QStringLiteral("All"));
    ComboBox_Companies_Subdomain->addItems(Windows1250ToQStringList(list.names));
    subdomainCodes_ = std::move(list.codes);
    ComboBox_Companies_Subdomain->setCurrentIndex(0);
}

void TForm_Main::Button_Companies_SearchClick()
{
    ListView_Companies->clear();
    companyRecordNumbers_.clear();

    CompanyPanelChoice choice;
    choice.nameBox = QStringToWindows1250(Edit_Companies_Company->text());
    choice.countyIndex = std::max(0, ComboBox_Companies_Locality->currentIndex());
    choice.countyName = QStringToWindows1250(ComboBox_Companies_Locality->currentText());
    choice.typeIndex = std::max(0, ComboBox_Companies_Type->currentIndex());
    choice.typeEntry = QStringToWindows1250(ComboBox_Companies_Type->currentText());
    choice.domainIndex = std::max(0, ComboBox_Companies_Domain->currentIndex());
    choice.subdomainIndex = std::max(0, ComboBox_Companies_Subdomain->currentIndex());
    choice.subdomainCodes = subdomainCodes_;

    SearchResult result;
    try {
        result = SearchCompanies(programFolder_, MakeCompanyCriteria(choice), currentLanguage_);
    } catch (const std::exception& error) {
        // Nothing the core raises may leave the event loop; the user sees why.
        ShowInformation(this, QString::fromLocal8Bit(error.what()));
        return;
    }
    FillResultList(ListView_Companies, result.rows, companyRecordNumbers_);
    if (!result.status.empty()) {
        SetStatus(result.status);
    }
    if (!result.errorMessage.empty()) {
        ShowInformation(this, Windows1250ToQString(result.errorMessage));
    }
    if (result.outcome == SearchOutcome::CannotOpen || result.outcome == SearchOutcome::ReadError) {
        return;
    }
    if (result.showNoResult) {
        ShowInformation(this, Windows1250ToQString(InfoMessageText(1, currentLanguage_)));
    }
    // Matters when the search came from the domain popup while another panel showed.
    BringToFront(Panel_Companies);
    currentView_ = 1;
}

void TForm_Main::Button_Internet_SearchClick()
{
    ListView_Internet->clear();
    opportunityRecordNumbers_.clear();

    OpportunityPanelChoice choice;
    choice.keywordBox = QStringToWindows1250(Edit_Internet_Company->text());
    choice.countyIndex = std::max(0, ComboBox_Internet_Locality->currentIndex());
    choice.countyName = QStringToWindows1250(ComboBox_Internet_Locality->currentText());
    choice.domainIndex = std::max(0, ComboBox_Internet_Domain->currentIndex());
    choice.typeIndex = std::max(0, ComboBox_Internet_Type->currentIndex());

    SearchResult result;
    try {
        result = SearchOpportunities(programFolder_, MakeOpportunityCriteria(choice), currentLanguage_);
    } catch (const std::exception& error) {
        ShowInformation(this, QString::fromLocal8Bit(error.what()));
        return;
    }
    FillResultList(ListView_Internet, result.rows, opportunityRecordNumbers_);
    if (!result.status.empty()) {
        SetStatus(result.status);
    }
    if (!result.errorMessage.empty()) {
        ShowInformation(this, Windows1250ToQString(result.errorMessage));
    }
    if (result.showNoResult) {
        ShowInformation(this, Windows1250ToQString(InfoMessageText(1, currentLanguage_)));
    }
}

bool TForm_Main::ResultListEvent(QObject* watched, QEvent* event)
{
    const bool companies = watched == ListView_Companies || watched == ListView_Companies->viewport();
    const QEvent::Type type = event->type();
    const bool onList = watched == ListView_Companies || watched == ListView_Internet;
    // A click (the selection is already made when the button comes up), and
    // both key down and key up: on key down the page of the row selected
    // before the move, on key up the one after it.
    const bool click = !onList && type == QEvent::MouseButtonRelease &&
                       static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const bool pick = click || (onList && (type == QEvent::KeyPress || type == QEvent::KeyRelease));
    if (pick) {
        if (companies) {
            ListBox_CompaniesDblClick();
        } else {
            ListView_InternetDblClick();
        }
    }
    return false;
}

void TForm_Main::ListBox_CompaniesDblClick()
{
    const int row = SelectedRow(ListView_Companies);
    if (row < 0 || row >= ListView_Companies->topLevelItemCount() ||
        static_cast<std::size_t>(row) >= companyRecordNumbers_.size()) {
        return;
    }
    try {
        ShowCompanyPage(companyRecordNumbers_[static_cast<std::size_t>(row)]);
    } catch (...) {
        // An unreadable file or a broken record leaves the page shown before.
    }
}

void TForm_Main::ListView_InternetDblClick()
{
    const int row = SelectedRow(ListView_Internet);
    if (row < 0 || row >= ListView_Internet->topLevelItemCount() ||
        static_cast<std::size_t>(row) >= opportunityRecordNumbers_.size()) {
        return;
    }
    try {
        ShowOpportunityPage(opportunityRecordNumbers_[static_cast<std::size_t>(row)]);
    } catch (...) {
        // As for the company list: the page shown before stays.
    }
}

void TForm_Main::ShowCompanyPage(std::int64_t recordNumber)
{
    const std::optional<std::string> page =
        CompanyPage(programFolder_, recordNumber, currentLanguage_, CategoryTable::Builtin());
    if (page) {
        Web_Companies->LoadPageIntoBrowser(*page);
    }
}

void TForm_Main::ShowOpportunityPage(std::int64_t recordNumber)
{
    // Handed over even when empty: a missing record shows an empty document.
    const std::string page = OpportunityPage(programFolder_, recordNumber, currentLanguage_,
                                             OpportunityDomainList(currentLanguage_), banners_);
    Web_Internet->LoadPageIntoBrowser(page);
}

void TForm_Main::CompanyMenuItemClick(QAction* item)
{
    try {
        const std::string category = ToLowerAZ(Trim(QStringToWindows1250(MenuItemCaption(item))));
        const std::string hint = QStringToWindows1250(MenuItemHint(item));
        const std::size_t semicolon = hint.find(';');
        const std::string domain =
            semicolon == std::string::npos ? std::string{} : ToLowerAZ(Trim(hint.substr(semicolon + 1)));
        for (int i = 0; i < ComboBox_Companies_Domain->count(); ++i) {
            if (ToLowerAZ(Trim(QStringToWindows1250(ComboBox_Companies_Domain->itemText(i)))) != domain) {
                continue;
            }
            {
                const QSignalBlocker blocker(ComboBox_Companies_Domain);
                ComboBox_Companies_Domain->setCurrentIndex(i);
            }
            FillSubdomains();
            for (int k = 0; k < ComboBox_Companies_Subdomain->count(); ++k) {
                if (ToLowerAZ(Trim(QStringToWindows1250(ComboBox_Companies_Subdomain->itemText(k)))) ==
                    category) {
                    const QSignalBlocker blocker(ComboBox_Companies_Subdomain);
                    ComboBox_Companies_Subdomain->setCurrentIndex(k);
                    Button_Companies_SearchClick();
                }
            }
        }
    } catch (...) {
        // A quick search that cannot run leaves the boxes as they got.
    }
}

void TForm_Main::OpportunityMenuItemClick(QAction* item)
{
    const QString hint = MenuItemHint(item);
    const QString caption = MenuItemCaption(item);
    int domain = -1;
    for (int i = 0; i < ComboBox_Internet_Domain->count(); ++i) {
        if (ComboBox_Internet_Domain->itemText(i) == hint) {
            domain = i;
        }
    }
    if (domain >= 0) {
        const QSignalBlocker blocker(ComboBox_Internet_Domain);
        ComboBox_Internet_Domain->setCurrentIndex(domain);
    }
    int type = -1;
    for (int i = 0; i < ComboBox_Internet_Type->count(); ++i) {
        if (ComboBox_Internet_Type->itemText(i) == caption) {
            type = i;
        }
    }
    if (type >= 0) {
        const QSignalBlocker blocker(ComboBox_Internet_Type);
        ComboBox_Internet_Type->setCurrentIndex(type);
    }
    Button_Internet_SearchClick();
    BringToFront(Panel_Internet);
    currentView_ = 2;
}

void TForm_Main::Web_CompaniesNavigateComplete2()
{
    if (!mainShown_) {
        return;
    }
    // Back to the result list, so the arrow keys keep moving through the results.
    Edit_Companies_Company->setFocus();
    ListView_Companies->setFocus();
}

void TForm_Main::Web_InternetNavigateComplete2()
{
    if (!mainShown_) {
        return;
    }
    Edit_Internet_Company->setFocus();
    ListView_Internet->setFocus();
}

} // namespace dorvanta
