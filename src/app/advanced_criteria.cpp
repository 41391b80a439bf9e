#include "app/advanced_criteria.h"

#include "app/mnemonics.h"
#include "app/panel_parts.h"
#include "app/swallowed.h"
#include "app/windows1250.h"
#include "data/settings_store.h"
#include "search/company_search.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace dorvanta {

namespace {

constexpr std::string_view kAdvancedValue = "AdvancedCompanySearch";

struct BoxTexts
{
    const char* labelName;
    const char* editName;
    const char* english;
    char englishKey;
    const char* romanian;
    char romanianKey;
};

// The mnemonics clash with no other of the company panel, the page's note or
// the menu bar; English has no free letter in "Phone", hence "Telephone".
constexpr std::array<BoxTexts, AdvancedCriteria::kBoxCount> kBoxes = {{
    {"Label_Companies_Town", "Edit_Companies_Town", "Town", 'w', "Localitate", 'l'},
    {"Label_Companies_Phone", "Edit_Companies_Phone", "Telephone", 'l', "Telefon", 'f'},
    {"Label_Companies_Representative", "Edit_Companies_Representative", "Representative", 'v', "Reprezentant",
     'z'},
    {"Label_Companies_FiscalCode", "Edit_Companies_FiscalCode", "Fiscal code (CUI)", 'f', "Cod fiscal (CUI)",
     'i'},
    {"Label_Companies_Description", "Edit_Companies_Description", "Description words", 'r',
     "Cuvinte din descriere", 'v'},
}};

} // namespace

AdvancedCriteria::AdvancedCriteria(SearchPanelParts& parts, SettingsStore* settings, QObject* parent)
    : QObject(parent), settings_(settings)
{
    CheckBox_Companies_Advanced = new QCheckBox(parts.criteria);
    CheckBox_Companies_Advanced->setObjectName(QStringLiteral("CheckBox_Companies_Advanced"));
    parts.grid->addWidget(CheckBox_Companies_Advanced, parts.rows++, 1);
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        boxes_[i] = parts.AddEditRow(kBoxes[i].labelName, kBoxes[i].editName, labels_[i]);
        frames_[i] = parts.grid->itemAtPosition(parts.rows - 1, 1)->widget();
        connect(boxes_[i], &QLineEdit::returnPressed, this, &AdvancedCriteria::searchWanted);
    }

    bool on = false;
    if (settings_ != nullptr) {
        try {
            on = settings_->ReadString(kSettingsKey, kAdvancedValue).value_or(std::string{}) == "1";
        } catch (...) {
            WarnSwallowed("reading the advanced search option");
        }
    }
    CheckBox_Companies_Advanced->setChecked(on);
    ShowRows(on);
    connect(CheckBox_Companies_Advanced, &QCheckBox::toggled, this, [this](bool checked) {
        ShowRows(checked);
        if (settings_ != nullptr) {
            try {
                settings_->WriteString(kSettingsKey, kAdvancedValue, checked ? "1" : "0");
            } catch (...) {
                // The toggle holds for this run; the stored value stays as it was.
                WarnSwallowed("storing the advanced search option");
            }
        }
        emit rowsToggled();
    });
}

void AdvancedCriteria::ShowRows(bool on)
{
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        labels_[i]->setVisible(on);
        frames_[i]->setVisible(on);
    }
}

bool AdvancedCriteria::IsOn() const
{
    return CheckBox_Companies_Advanced->isChecked();
}

void AdvancedCriteria::SetOn(bool on)
{
    CheckBox_Companies_Advanced->setChecked(on);
}

void AdvancedCriteria::ApplyLanguage(Language language)
{
    const bool romanian = language == Language::RO;
    const QString toggle = QString::fromLatin1(romanian ? "Avansat" : "Advanced");
    CheckBox_Companies_Advanced->setText(WithMnemonic(toggle, QLatin1Char('a')));
    CheckBox_Companies_Advanced->setAccessibleName(toggle);
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        const BoxTexts& texts = kBoxes[i];
        SetCriteriaCaption(labels_[i], boxes_[i], romanian ? texts.romanian : texts.english,
                           romanian ? texts.romanianKey : texts.englishKey);
    }
}

void AdvancedCriteria::Fill(CompanyCriteria& criteria) const
{
    if (!IsOn()) {
        return;
    }
    criteria.town = QStringToWindows1250(boxes_[0]->text());
    criteria.phone = QStringToWindows1250(boxes_[1]->text());
    criteria.representative = QStringToWindows1250(boxes_[2]->text());
    criteria.fiscalCode = QStringToWindows1250(boxes_[3]->text());
    criteria.descriptionWords = QStringToWindows1250(boxes_[4]->text());
}

} // namespace dorvanta
