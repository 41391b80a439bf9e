#pragma once

#include <QDialog>

#include <filesystem>

#include <vector>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace dorvanta {

class UpdateSession;

// The update dialog "Form_Update". It is created hidden at start-up and never
// shown: the update commands of the main window use its check list of domain
// groups and its gauge while it stays hidden. The updates themselves run in
// the update session, which the dialog observes.
class TForm_Update : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Update(UpdateSession& session, QWidget* parent = nullptr);
    ~TForm_Update() override;

    // The ten group lines of the current language, all checked.
    void FillDomainList();
    // Checks only the groups a "New business ads" item stands for: "all", or
    // one group letter. A letter outside the list checks nothing.
    void CheckGroupsOfHint(const QString& hint);
    std::vector<bool> CheckedGroups() const;

    // Start the business-ads update for the checked groups, or the company
    // update. False, and nothing started, while an update runs.
    bool Button_UpdateClick();
    bool UpdateCompanies();
    // The trade register's snapshot in `snapshot` applied to database.db.
    bool ImportRegister(const std::filesystem::path& snapshot);

    bool UpdateRunning() const;

private:
    UpdateSession& session_;
    QLabel* Label1 = nullptr;
    QListWidget* ListBox_Domains = nullptr;
    QProgressBar* Progress = nullptr;
    QPushButton* Button_Update = nullptr;
    QPushButton* Button2 = nullptr;
};

} // namespace dorvanta
