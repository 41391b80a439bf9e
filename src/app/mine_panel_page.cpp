// The page side of the "My companies" panel, and what leaves it: the printed
// table and the exported file.
#include "app/mine_panel.h"
#include "app/swallowed.h"

#include "app/company_page_frame.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/list_menu.h"
#include "app/mine_panel_texts.h"
#include "app/windows1250.h"
#include "data/code_tables.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "data/text.h"
#include "mine/company_export.h"
#include "mine/mine_store.h"
#include "pages/pages.h"
#include "search/reading_hold.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTreeWidget>

#include <exception>

namespace dorvanta {

namespace {

// A page as the view takes it (Windows-1250 bytes), with every character
// past ASCII written as a reference: a note may hold letters the code page lacks.
std::string AsciiPage(const QString& html)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(html.size()));
    for (const char32_t c : html.toUcs4()) {
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else {
            bytes += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
        }
    }
    return bytes;
}

QString Escaped(const std::string& windows1250)
{
    return Windows1250ToQString(windows1250).toHtmlEscaped();
}

QString NoteHtml(const std::string& note)
{
    return QString::fromStdString(note).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

} // namespace

void MinePanel::ShowEntryPage(const Entry& entry)
{
    if (entry.company.name == shownName_ && entry.company.recordNumber == shownRecord_ &&
        entry.company.recordNumber) {
        return;
    }
    const MineTexts& t = MineTextsOf(state_.language);
    try {
        if (entry.company.recordNumber) {
            // An import writing the file would keep the window waiting: say so instead.
            ReadingHold hold;
            if (!hold.TryHold(ResolveFile(state_.programFolder, kCompanyFileName))) {
                emit statusChanged(Windows1250ToQString(DatabaseBusyText(state_.language)));
                return;
            }
            const std::optional<std::string> page =
                CompanyPage(state_.programFolder, static_cast<std::int64_t>(*entry.company.recordNumber),
                            state_.language, CategoryTable::Builtin());
            if (page) {
                view_->LoadPageIntoBrowser(*page);
                shownName_ = entry.company.name;
                shownRecord_ = entry.company.recordNumber;
                frame_->ShowingCompany(*entry.company.recordNumber, entry.company.name, true);
                return;
            }
        }
        QString html =
            QStringLiteral("<html><body style=\"font-family: Arial; font-size: 10pt\"><h3>%1</h3>")
                .arg(Windows1250ToQString(TitleCaseName(ToLower(entry.company.name))).toHtmlEscaped());
        if (directoryRead_) {
            html += QStringLiteral("<p>%1</p>").arg(QString::fromLatin1(t.gonePage).toHtmlEscaped());
        }
        if (!entry.note.empty()) {
            html += QStringLiteral("<p><b>%1:</b><br>%2</p>")
                        .arg(QString::fromLatin1(t.note), NoteHtml(entry.note));
        }
        view_->LoadPageIntoBrowser(AsciiPage(html + QStringLiteral("</body></html>")));
        shownName_ = entry.company.name;
        shownRecord_.reset();
        // A company gone from the directory keeps its place on lists and its note.
        frame_->ShowingCompany(0, entry.company.name, true);
    } catch (...) {
        // An unreadable file or a broken record leaves the page shown before.
        WarnSwallowed("showing a page of the user's list");
    }
}

void MinePanel::ShowEmptyPage()
{
    frame_->ShowingNoCompany();
    shownName_.clear();
    shownRecord_.reset();
    const QString html =
        QStringLiteral("<html><body><p>%1</p></body></html>")
            .arg(QString::fromLatin1(MineTextsOf(state_.language).emptyList).toHtmlEscaped());
    view_->LoadPageIntoBrowser(AsciiPage(html));
}

QString MinePanel::ShownEntryText() const
{
    return shownName_.empty() ? QString() : Windows1250ToQString(shownName_);
}

QString MinePanel::SheetTitle() const
{
    return QString::fromLatin1(MineTextsOf(state_.language).header) + QStringLiteral(" - ") +
           ListDisplayName(listName_, state_.language);
}

HtmlView* MinePanel::PrintSheet()
{
    // The rows as shown: filtered and in their order.
    const MineTexts& t = MineTextsOf(state_.language);
    QString html =
        QStringLiteral("<html><head><title>%1</title></head><body><h3>%1</h3>"
                       "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"
                       "<tr><th>%2</th><th>%3</th><th>%4</th><th>%5</th></tr>")
            .arg(SheetTitle().toHtmlEscaped(), QString::fromLatin1(t.columnCompany),
                 QString::fromLatin1(t.address), QString::fromLatin1(t.phone), QString::fromLatin1(t.note));
    for (int i = 0; i < ListView_Mine->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = ListView_Mine->topLevelItem(i);
        const Entry* entry = EntryOf(row);
        if (row->isHidden() || entry == nullptr) {
            continue;
        }
        const CompanyRecord& record = entry->company.record;
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(row->text(0).toHtmlEscaped(), Escaped(record.Address), Escaped(record.Phone),
                         NoteHtml(entry->note));
    }
    sheet_->LoadPageIntoBrowser(AsciiPage(html + QStringLiteral("</table></body></html>")));
    return sheet_;
}

void MinePanel::ExportList()
{
    const MineTexts& t = MineTextsOf(state_.language);
    QString filters = QStringLiteral("CSV (*.csv)");
    if (XlsxAvailable()) {
        filters += QStringLiteral(";;Excel (*.xlsx)");
    }
    filters += QStringLiteral(";;vCard (*.vcf)");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString name = ListDisplayName(listName_, state_.language);
    name.remove(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")));
    const QString file = AskSaveFile(this, QString::fromLatin1(t.exportCaption),
                                     QDir(folder).filePath(name + QStringLiteral(".csv")), filters);
    if (file.isEmpty()) {
        return;
    }
    std::filesystem::path path(file.toStdU16String());
    // A name typed without one of the three endings is written as CSV.
    if (!ExportKindOf(path)) {
        path += ".csv";
    }
    // The whole list, whatever the filter shows.
    std::vector<ExportCompany> companies;
    for (const Entry& entry : entries_) {
        ExportCompany company;
        company.recordNumber = entry.company.recordNumber;
        company.record = entry.company.record;
        if (!company.recordNumber) {
            company.record.Company = entry.company.name;
        }
        company.note = entry.note;
        companies.push_back(std::move(company));
    }
    try {
        WriteCompaniesFile(path, companies);
        emit statusChanged(QString::fromLatin1(t.exported)
                               .arg(companies.size())
                               .arg(QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()))));
    } catch (const std::exception& error) {
        ShowInformation(this, QString::fromUtf8(error.what()));
    }
}

} // namespace dorvanta
