// Back and Forward through the profiles opened: the history is kept in the
// user's file, newest first; stepping moves along it without reordering it,
// and a profile opened anew becomes its newest.
#include "app/company_page_frame.h"

#include "app/mine_layer.h"
#include "app/window_state.h"
#include "data/file_access.h"
#include "import/record_import.h"
#include "mine/company_lookup.h"
#include "mine/mine_store.h"

#include <QTimer>
#include <QToolButton>

namespace dorvanta {
void CompanyPageFrame::Opened()
{
    if (dwell_->isActive()) {
        dwell_->stop();
        RecordHistory();
    }
}

void CompanyPageFrame::RecordHistory()
{
    if (key_.empty()) {
        return;
    }
    mine_.WriteQuietly([this](MineStore& store) {
        store.AddHistory(key_);
        history_ = store.History();
    });
    cursor_ = 0;
    UpdateButtons();
}

bool CompanyPageFrame::CanGoBack() const
{
    if (key_.empty() || dwell_->isActive()) {
        return !history_.empty();
    }
    return cursor_ + 1 < history_.size();
}

bool CompanyPageFrame::CanGoForward() const
{
    return !key_.empty() && !dwell_->isActive() && cursor_ > 0 && cursor_ < history_.size();
}

void CompanyPageFrame::UpdateButtons()
{
    back_->setEnabled(CanGoBack());
    forward_->setEnabled(CanGoForward());
}

void CompanyPageFrame::Back()
{
    Step(+1);
}

void CompanyPageFrame::Forward()
{
    Step(-1);
}

void CompanyPageFrame::Step(int direction)
{
    if (!options_.history) {
        return;
    }
    // The profile on the page counts as opened once the user steps away from it.
    if (dwell_->isActive()) {
        dwell_->stop();
        RecordHistory();
    }
    long target = 0;
    if (key_.empty() || cursor_ >= history_.size() || history_[cursor_] != key_) {
        // The page shows no profile of the history: Back starts at its newest.
        if (direction < 0) {
            return;
        }
        target = 0;
    } else {
        target = static_cast<long>(cursor_) + direction;
    }
    for (; target >= 0 && target < static_cast<long>(history_.size()); target += direction) {
        const std::optional<std::uint64_t> number = RecordOf(history_[static_cast<std::size_t>(target)]);
        if (!number) {
            continue; // blanked or gone from the directory since
        }
        cursor_ = static_cast<std::size_t>(target);
        emit openRecord(*number);
        UpdateButtons();
        return;
    }
    UpdateButtons();
}

std::optional<std::uint64_t> CompanyPageFrame::RecordOf(const std::string& key)
{
    try {
        for (const auto& [seenKey, number] : seen_) {
            if (seenKey != key) {
                continue;
            }
            // An update may have put another company at that number since.
            const std::optional<CompanyRecord> record = ReadCompanyRecord(state_.programFolder, number);
            if (record && CompanyNameKey(record->Company) == key) {
                return number;
            }
        }
        const std::vector<ListedCompany> found = LookUpCompanies(state_.programFolder, {key});
        if (!found.empty() && found.front().recordNumber) {
            return *found.front().recordNumber;
        }
    } catch (const FileError& error) {
        emit statusChanged(QString::fromLocal8Bit(error.what()));
    }
    return std::nullopt;
}

} // namespace dorvanta
