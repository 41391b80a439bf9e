#pragma once

// What a person does with the company result list beyond opening a page:
// the row's context menu (Favourites, the lists, the contact card, a vCard)
// and the export of the rows shown.

#include "data/company_record.h"
#include "data/language.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace dorvanta {

class MineLayer;
struct ExportCompany;
struct WindowState;

// How many rows an export takes at most: the search shows no more.
inline constexpr int kExportRowLimit = 2000;

// The contact card as plain text, one labelled line per field the company
// has (name, address with county, phones, fax, e-mail, web, representative),
// the labels in `language`.
QString ContactCardText(const CompanyRecord& record, Language language);

// An export's kind comes from its file's extension: a name typed without
// one gets `defaultSuffix` (given without the dot).
QString WithDefaultSuffix(const QString& file, const QString& defaultSuffix);

class CompanyActions : public QObject
{
    Q_OBJECT

public:
    // `list` is the company result list, `panel` the widget that owns it
    // (the keys work while the keyboard is anywhere inside it).
    CompanyActions(const WindowState& state, QTreeWidget* list, QWidget* panel);

    // The user's lists; without them the Favourites and lists items are off.
    void SetMine(MineLayer* mine) { mine_ = mine; }

    QMenu* RowMenu() const { return menu_; }
    // Opens the menu at `globalPos`, for the list's current row when
    // `forRow` (the items about a row are off otherwise). Returns at once;
    // the menu stays open.
    void OpenMenu(const QPoint& globalPos, bool forRow);
    // As OpenMenu, under the current row, for the keyboard.
    void OpenMenuAtCurrentRow();

    void ToggleFavourite();
    void CopyContactCard();
    void SaveVCard();
    void ExportResults();

signals:
    void statusChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillMenu(bool hasRow);
    // The current row's company, read by its record number (with its note
    // when asked); nothing (and the reason told) when there is none or it
    // cannot be read.
    std::optional<ExportCompany> CurrentCompany(bool withNote);
    // The companies of these record numbers, in that order, with their
    // notes when asked; nothing (and the reason told) when the file cannot be read.
    std::optional<std::vector<ExportCompany>> ReadCompanies(const std::vector<std::int64_t>& numbers,
                                                            bool withNotes);
    // Writes `companies` to `file`; false (with a message) when it failed.
    bool WriteFile(const QString& file, const std::vector<ExportCompany>& companies);
    void Tell(const QString& text);

    const WindowState& state_;
    QTreeWidget* list_;
    QWidget* panel_;
    MineLayer* mine_ = nullptr;
    QMenu* menu_;
    QMenu* lists_;         // kept across openings: clearing the menu would not delete it
    std::string listsKey_; // the name key of the company the lists submenu is about
};

} // namespace dorvanta
