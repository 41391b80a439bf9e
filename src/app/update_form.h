#pragma once

#include "update/http_client.h"
#include "update/update_progress.h"
#include "update/updater.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace dorvanta {

class TForm_Main;

// The update dialog "Form_Update". It is created hidden at start-up and never
// shown: the update commands of the main window use its check list of domain
// groups, its gauge, its HTTP client and its updater while it stays hidden.
// It is also where the updates report: the main window's gauge and status
// line, its own gauge, and the information box.
class TForm_Update : public QDialog, public UpdateProgress
{
    Q_OBJECT

public:
    // `serverBase` empty: the publisher's address (DORVANTA_SERVER overrides it).
    explicit TForm_Update(TForm_Main& main, const std::string& serverBase = {}, QWidget* parent = nullptr);
    ~TForm_Update() override;

    // The ten group lines of the current language, all checked.
    void FillDomainList();
    // Checks only the groups a "New business ads" item stands for: "all", or
    // one group letter. A letter outside the list checks nothing.
    void CheckGroupsOfHint(const QString& hint);
    std::vector<bool> CheckedGroups() const;

    // The business-ads update for the checked groups, and the company update.
    // A command given while an update runs is refused.
    UpdateOutcome Button_UpdateClick();
    UpdateOutcome UpdateCompanies();

    // Set while an update shows its progress.
    bool UpdateRunning() const { return updateRunning_; }
    Updater& UpdaterForTests() { return *updater_; }

    // UpdateProgress.
    void SetGaugeMaximum(int maximum) override;
    void SetGaugePosition(int position) override;
    void SetStatus(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowUpdateProgress() override;
    void HideUpdateProgress() override;
    void SetDialogGaugeMaximum(int maximum) override;
    void SetDialogGaugePosition(int position) override;

    QLabel* Label1 = nullptr;
    QListWidget* ListBox_Domains = nullptr;
    QProgressBar* Progress = nullptr;
    QPushButton* Button_Update = nullptr;
    QPushButton* Button2 = nullptr;

private:
    bool Busy() const;
    template <typename Run> UpdateOutcome RunUpdate(Run run);

    TForm_Main& main_;
    bool updateRunning_ = false;
    std::unique_ptr<HttpClient> HTTP;
    std::unique_ptr<Updater> updater_;
};

} // namespace dorvanta
