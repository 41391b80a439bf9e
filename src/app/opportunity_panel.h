#pragma once

#include "app/search_panel.h"
#include "pages/pages.h"

#include <QStringList>

class QComboBox;
class QLabel;

namespace dorvanta {

// "Panel_Internet": the business-ad search, its result list and the ad page.
class OpportunityPanel : public SearchPanel
{
    Q_OBJECT

public:
    OpportunityPanel(const WindowState& state, QWidget* parent);

    void ApplyLanguage() override;
    void ResetCriteria() override;
    void Search() override;

    // The domain box: "All", then the ten group lines.
    void SetDomainEntries(const QStringList& entries);
    // A type item of the domain popup, by its group's line and the type's
    // caption: chooses the group and the type and searches.
    void SearchType(const QString& group, const QString& caption);

protected:
    bool IsPlaceholder(const QString& text) const override;
    const char* StartPageStem() const override { return "opportunities_"; }
    bool ShowPage(std::int64_t recordNumber) override;

private:
    QLabel* Panel_Internet_Search = nullptr;
    QLabel* Label_Internet_Keywords = nullptr;
    QLabel* Label_Internet_Domain = nullptr;
    QLabel* Label_Internet_Locality = nullptr;
    QLabel* Label_Internet_Type = nullptr;
    QLabel* Label_Internet_Date = nullptr;
    QComboBox* ComboBox_Internet_Domain = nullptr;
    QComboBox* ComboBox_Internet_Locality = nullptr;
    QComboBox* ComboBox_Internet_Type = nullptr;
    QComboBox* ComboBox_Internet_Date = nullptr;

    BannerNumbers banners_;
};

} // namespace dorvanta
