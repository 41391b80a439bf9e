// Taking companies away from the result list: the contact card on the
// clipboard, one company as a vCard file, the rows shown as a file.
#include "app/company_actions.h"

#include "app/captions.h"
#include "app/company_actions_texts.h"
#include "app/info_box.h"
#include "app/mine_layer.h"
#include "app/mnemonics.h"
#include "app/page_printer.h"
#include "app/search_panel.h"
#include "app/window_state.h"
#include "app/windows1250.h"
#include "data/code_tables.h"
#include "data/file_access.h"
#include "data/messages.h"
#include "data/record_file.h"
#include "import/record_import.h"
#include "mine/company_export.h"
#include "mine/mine_store.h"
#include "search/reading_hold.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardPaths>
#include <QTreeWidget>

namespace dorvanta {

namespace {

std::filesystem::path PathOf(const QString& file)
{
    return std::filesystem::path(file.toStdU16String());
}

// The PDF save's suggestion in the documents folder, with another extension.
QString SuggestedFile(const QString& name, const char* extension)
{
    QString path =
        SuggestedPdfPath(name, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    path.chop(3);
    return path + QString::fromLatin1(extension);
}

} // namespace

QString ContactCardText(const CompanyRecord& record, Language language)
{
    const ActionTexts& t = ActionTextsOf(language);
    QString text;
    const auto line = [&](const char* label, const QString& value) {
        if (!value.trimmed().isEmpty()) {
            text += QString::fromLatin1(label) + QStringLiteral(": ") + value.trimmed() + QLatin1Char('\n');
        }
    };
    line(t.company, Windows1250ToQString(record.Company));
    QString address = Windows1250ToQString(record.Address).trimmed();
    if (!record.County.empty()) {
        const QString county = Windows1250ToQString(CountyName(record.County));
        address += (address.isEmpty() ? QString() : QStringLiteral(", ")) + county;
    }
    line(t.address, address);
    line(t.mobile, Windows1250ToQString(record.Mobile));
    line(t.phone, Windows1250ToQString(record.Phone));
    line(t.fax, Windows1250ToQString(record.Fax));
    line(t.email, Windows1250ToQString(record.Email));
    line(t.web, Windows1250ToQString(record.Web));
    line(t.representative, Windows1250ToQString(record.Representative));
    return text;
}

QString WithDefaultSuffix(const QString& file, const QString& defaultSuffix)
{
    return QFileInfo(file).suffix().isEmpty() ? file + QLatin1Char('.') + defaultSuffix : file;
}

void CompanyActions::Tell(const QString& text)
{
    ShowInformation(panel_, text);
}

std::optional<std::vector<ExportCompany>>
CompanyActions::ReadCompanies(const std::vector<std::int64_t>& numbers, bool withNotes)
{
    const ActionTexts& t = ActionTextsOf(state_.language);
    const std::filesystem::path file = ResolveFile(state_.programFolder, kCompanyFileName);
    // An import writing the file would keep the window waiting: say so instead.
    ReadingHold hold;
    if (!hold.TryHold(file)) {
        emit statusChanged(Windows1250ToQString(DatabaseBusyText(state_.language)));
        return std::nullopt;
    }
    std::vector<ExportCompany> companies;
    try {
        RecordFile records(file, company_layout::kRecordSize);
        records.Lock(FileLock::Shared);
        CompanyRecord::Raw raw{};
        for (const std::int64_t number : numbers) {
            // A record gone since the search (a shorter file) is left out.
            if (number >= 0 && records.Read(static_cast<std::uint64_t>(number), raw.data())) {
                companies.push_back(
                    {static_cast<std::uint64_t>(number), CompanyRecord::Decode(raw.data()), std::string()});
            }
        }
    } catch (const FileError& error) {
        Tell(QString::fromLatin1(t.unreadable)
                 .arg(Windows1250ToQString(FileErrorText(error, state_.language))));
        return std::nullopt;
    }
    // The notes go along where the lists can be read; the export goes on without them.
    if (withNotes && mine_ != nullptr && mine_->Available()) {
        mine_->Read([&](MineStore& store) {
            for (ExportCompany& company : companies) {
                company.note = store.Note(CompanyNameKey(company.record.Company)).value_or(std::string());
            }
        });
    }
    return companies;
}

std::optional<ExportCompany> CompanyActions::CurrentCompany(bool withNote)
{
    const QTreeWidgetItem* row = list_->currentItem();
    if (row == nullptr) {
        return std::nullopt;
    }
    const std::int64_t number = row->data(0, SearchPanel::kRecordNumberRole).toLongLong();
    std::optional<std::vector<ExportCompany>> read = ReadCompanies({number}, withNote);
    return read && !read->empty() ? std::optional(read->front()) : std::nullopt;
}

void CompanyActions::CopyContactCard()
{
    const std::optional<ExportCompany> company = CurrentCompany(true);
    if (!company || company->record.IsDeleted()) {
        return;
    }
    auto* data = new QMimeData;
    data->setText(ContactCardText(company->record, state_.language));
    // A contacts program takes the card whole from a paste.
    data->setData(QStringLiteral("text/vcard"), QByteArray::fromStdString(CompaniesVCard({*company})));
    QApplication::clipboard()->setMimeData(data);
    emit statusChanged(QString::fromLatin1(ActionTextsOf(state_.language).copied));
}

bool CompanyActions::WriteFile(const QString& file, const std::vector<ExportCompany>& companies)
{
    const ActionTexts& t = ActionTextsOf(state_.language);
    if (!ExportKindOf(PathOf(file))) {
        Tell(QString::fromLatin1(t.unknownKind).arg(QFileInfo(file).fileName()));
        return false;
    }
    try {
        // Written beside the file and renamed: a failure leaves no half file.
        WriteCompaniesFile(PathOf(file), companies);
        return true;
    } catch (const MineError& error) {
        Tell(error.kind() == MineError::Kind::Unavailable
                 ? QString::fromLatin1(t.noXlsx)
                 : QString::fromLatin1(CaptionsOf(state_.language).cannotWrite)
                       .arg(QDir::toNativeSeparators(file)));
    }
    return false;
}

void CompanyActions::SaveVCard()
{
    const std::optional<ExportCompany> company = CurrentCompany(true);
    if (!company || company->record.IsDeleted()) {
        return;
    }
    const ActionTexts& t = ActionTextsOf(state_.language);
    QString file = AskSaveFile(panel_, WithoutMnemonic(QString::fromLatin1(t.saveVCard)),
                               SuggestedFile(Windows1250ToQString(company->record.Company), "vcf"),
                               QString::fromLatin1(t.vCardFilter));
    if (file.isEmpty()) {
        return;
    }
    if (QFileInfo(file).suffix().compare(QStringLiteral("vcf"), Qt::CaseInsensitive) != 0) {
        file += QStringLiteral(".vcf");
    }
    if (WriteFile(file, {*company})) {
        emit statusChanged(QString::fromLatin1(t.saved).arg(QDir::toNativeSeparators(file)));
    }
}

void CompanyActions::ExportResults()
{
    const ActionTexts& t = ActionTextsOf(state_.language);
    const int shown = list_->topLevelItemCount();
    if (shown == 0) {
        Tell(QString::fromLatin1(t.noResults));
        return;
    }
    const QString caption =
        WithoutMnemonic(QString::fromLatin1(t.exportResults).section(QLatin1Char('\t'), 0, 0));
    QString file = AskSaveFile(panel_, caption, SuggestedFile(QString::fromLatin1(t.exportName), "csv"),
                               QString::fromLatin1(t.exportFilters));
    if (file.isEmpty()) {
        return;
    }
    file = WithDefaultSuffix(file, QStringLiteral("csv"));
    // The rows in the order they are shown (a sorted column sorts the file too).
    std::vector<std::int64_t> numbers;
    const int taken = std::min(shown, kExportRowLimit);
    numbers.reserve(static_cast<std::size_t>(taken));
    for (int i = 0; i < taken; ++i) {
        numbers.push_back(list_->topLevelItem(i)->data(0, SearchPanel::kRecordNumberRole).toLongLong());
    }
    const std::optional<std::vector<ExportCompany>> companies = ReadCompanies(numbers, true);
    if (!companies || !WriteFile(file, *companies)) {
        return;
    }
    const QString count = QString::number(companies->size());
    emit statusChanged(taken < shown
                           ? QString::fromLatin1(t.exportedFirst)
                                 .arg(count, QDir::toNativeSeparators(file), QString::number(shown))
                           : QString::fromLatin1(t.exported).arg(count, QDir::toNativeSeparators(file)));
}

} // namespace dorvanta
