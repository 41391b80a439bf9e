#pragma once

#include "app/search_panel.h"
#include "search/company_column.h"

#include <QStringList>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QScrollArea;

namespace dorvanta {
class CompanyPageFrame;
class MineLayer;
} // namespace dorvanta

namespace dorvanta {

class CompanyActions;
class AdvancedCriteria;
class SettingsStore;

// "Panel_Companies": the company search, its result list and the company page.
class CompanyPanel : public SearchPanel
{
    Q_OBJECT

public:
    // `settings` keeps whether the advanced criteria show; none: they start hidden.
    CompanyPanel(const WindowState& state, MineLayer& mine, QWidget* parent,
                 SettingsStore* settings = nullptr);
    ~CompanyPanel() override;

    // The star, the lists, the note and Back/Forward around the page.
    CompanyPageFrame& PageFrame() { return *frame_; }

    // Codes of the subdomain list's items after "All".
    const std::vector<std::string>& SubdomainCodes() const { return subdomainCodes_; }

    void ApplyLanguage() override;
    void ResetCriteria() override;
    void Search() override;

    // The domain box: "All", then the lines of the domain tree.
    void SetDomainEntries(const QStringList& entries);
    // The subdomains of the chosen domain, "All" first.
    void FillSubdomains();
    // The window's own update or import has written database.db: the column
    // read before is dropped, so the next search reads the file anew.
    void ForgetColumn() { column_.Invalidate(); }
    // A category of the domain popup, by its domain's name and its code:
    // chooses the domain and the section and searches.
    void SearchCategory(const QString& domain, const QString& code);
    // The result rows' menu, their keys and the exports.
    CompanyActions* Actions() const { return actions_; }

protected:
    bool IsPlaceholder(const QString& text) const override;
    QString TypeCellName(const std::string& type) const override;
    const char* StartPageStem() const override { return "companies_"; }
    bool ShowPage(std::int64_t recordNumber) override;
    void StartPageLoaded() override;
    void PageOpened() override;

private:
    // The criteria area as tall as the rows shown.

    QLabel* Panel_Companies_Search = nullptr;
    QLabel* Label_Companies_Company = nullptr;
    QLabel* Label_Companies_Domain = nullptr;
    QLabel* Label_Companies_SubDomain = nullptr;
    QLabel* Label_Companies_Locality = nullptr;
    QLabel* Label_Companies_Type = nullptr;
    QComboBox* ComboBox_Companies_Domain = nullptr;
    QComboBox* ComboBox_Companies_Subdomain = nullptr;
    QComboBox* ComboBox_Companies_Locality = nullptr;
    QComboBox* ComboBox_Companies_Type = nullptr;
    AdvancedCriteria* advanced_ = nullptr;

    CompanyPageFrame* frame_ = nullptr;
    bool showingFromHistory_ = false;
    CompanyActions* actions_ = nullptr;
    std::vector<std::string> subdomainCodes_;
    // Answers the searches from memory after the first; the window searches
    // as the user types, where a pass over the file for each pause would lag.
    CompanyColumn column_;
};

} // namespace dorvanta
