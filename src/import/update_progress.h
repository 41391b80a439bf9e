#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dorvanta {

// Where the record import reports: the main window's gauge, its status line
// and its information box.
class ImportProgress
{
public:
    virtual ~ImportProgress() = default;
    virtual void SetGaugeMaximum(int maximum) = 0;
    virtual void SetGaugePosition(int position) = 0;
    virtual void SetStatus(const std::string& text) = 0;
    // A modal information box (information icon, caption "Information", one OK button).
    virtual void ShowInformation(const std::string& text) = 0;
    // The import found `fileName` held by another writer (another program,
    // or another import) and waits until it is done; called at most once per
    // import, before the wait. The window says so in its status line.
    virtual void WaitingForFile(const std::string& fileName) { (void)fileName; }
    // Asked between batches of records: true ends the import there with
    // ImportStopped, the records written so far whole and valid (a window
    // closing during a long import).
    virtual bool StopRequested() { return false; }
};

// An import ended because its progress asked it to stop.
class ImportStopped : public std::runtime_error
{
public:
    ImportStopped() : std::runtime_error("the import was stopped") {}
};

// Where an update reports: besides the import's outlets, showing and hiding
// the main window's gauge and the update dialog's own per-ad gauge.
class UpdateProgress : public ImportProgress
{
public:
    // Gauge position 0 and visible.
    virtual void ShowUpdateProgress() = 0;
    virtual void HideUpdateProgress() = 0;
    virtual void SetDialogGaugeMaximum(int maximum) = 0;
    virtual void SetDialogGaugePosition(int position) = 0;
    // Bytes of the company answer received so far, and its announced length
    // (0 when the server announced none). Called often while it arrives;
    // ignored unless overridden.
    virtual void SetBytesReceived(std::uint64_t received, std::uint64_t total)
    {
        (void)received;
        (void)total;
    }
};

} // namespace dorvanta
