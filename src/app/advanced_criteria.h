#pragma once

#include "data/language.h"

#include <QObject>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace dorvanta {

class SettingsStore;
struct CompanyCriteria;
struct SearchPanelParts;

// The company panel's "Advanced" toggle under the criteria and the five boxes
// it shows: town, phone, representative, fiscal code and description words.
// Off, the boxes are hidden and take no part in the search, so the panel
// searches as it always did. The toggle's state is kept in the settings store.
class AdvancedCriteria : public QObject
{
    Q_OBJECT

public:
    static constexpr std::size_t kBoxCount = 5;

    // Adds the toggle and the rows to `parts`, after the rows made so far.
    AdvancedCriteria(SearchPanelParts& parts, SettingsStore* settings, QObject* parent);

    void ApplyLanguage(Language language);
    // The boxes' texts into `criteria`, when the toggle is on.
    void Fill(CompanyCriteria& criteria) const;
    bool IsOn() const;
    void SetOn(bool on);

signals:
    // Enter in one of the boxes.
    void searchWanted();
    // The rows were shown or hidden: the criteria area's height changes.
    void rowsToggled();

private:
    void ShowRows(bool on);

    QCheckBox* CheckBox_Companies_Advanced = nullptr;
    std::array<QLabel*, kBoxCount> labels_{};
    std::array<QLineEdit*, kBoxCount> boxes_{};
    std::array<QWidget*, kBoxCount> frames_{};
    SettingsStore* settings_;
};

} // namespace dorvanta
