#include "app/update_form.h"

#include "app/info_box.h"
#include "app/main_window.h"
#include "app/windows1250.h"
#include "data/resources.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <exception>

namespace dorvanta {

namespace {

LocalDateTime Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

} // namespace

TForm_Update::TForm_Update(TForm_Main& main, const std::string& serverBase, QWidget* parent)
    : QDialog(parent), main_(main)
{
    setObjectName(QStringLiteral("Form_Update"));
    setWindowTitle(QStringLiteral("Update"));
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(408, 366);

    Label1 = new QLabel(QStringLiteral("Select domains you want to update"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 7);
    Label1->adjustSize();
    ListBox_Domains = new QListWidget(this);
    ListBox_Domains->setObjectName(QStringLiteral("ListBox_Domains"));
    ListBox_Domains->setGeometry(8, 27, 393, 265);
    Progress = new QProgressBar(this);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setGeometry(8, 296, 393, 33);
    Progress->setValue(0);
    Button_Update = new QPushButton(QStringLiteral("Update"), this);
    Button_Update->setObjectName(QStringLiteral("Button_Update"));
    Button_Update->setGeometry(248, 336, 75, 25);
    Button2 = new QPushButton(QStringLiteral("Close"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(328, 336, 75, 25);
    connect(Button_Update, &QPushButton::clicked, this, [this] { Button_UpdateClick(); });
    connect(Button2, &QPushButton::clicked, this, &QDialog::close);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    // While a request waits, the window goes on handling its events: painting,
    // menus, other commands (the update commands themselves are disabled).
    HttpOptions options;
    options.idle = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
    HTTP = MakeCurlHttpClient(std::move(options));
    updater_ =
        std::make_unique<Updater>(main_.ProgramFolder(), ServerBaseAddress(serverBase), *HTTP,
                                  main_.Settings(), *this, &Now, [this] { return main_.CurrentLanguage(); });
}

TForm_Update::~TForm_Update() = default;

void TForm_Update::FillDomainList()
{
    ListBox_Domains->clear();
    for (const std::string& line : ResourceLines(Pick(main_.CurrentLanguage(), "domenii_en", "domenii_ro"))) {
        if (line.empty() || line.front() == ' ') {
            continue;
        }
        auto* item = new QListWidgetItem(Windows1250ToQString(line), ListBox_Domains);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void TForm_Update::CheckGroupsOfHint(const QString& hint)
{
    const bool all = hint == QStringLiteral("all");
    const int chosen = hint.isEmpty() ? -1 : hint.at(0).unicode() - u'a';
    for (int i = 0; i < ListBox_Domains->count(); ++i) {
        ListBox_Domains->item(i)->setCheckState(all || i == chosen ? Qt::Checked : Qt::Unchecked);
    }
}

std::vector<bool> TForm_Update::CheckedGroups() const
{
    std::vector<bool> checked;
    for (int i = 0; i < ListBox_Domains->count(); ++i) {
        checked.push_back(ListBox_Domains->item(i)->checkState() == Qt::Checked);
    }
    return checked;
}

bool TForm_Update::Busy() const
{
    return updateRunning_ || updater_->Running();
}

template <typename Run> UpdateOutcome TForm_Update::RunUpdate(Run run)
{
    // The window keeps handling events while the update waits, so the same
    // commands could be chosen again; a second update would interleave its
    // writes with the first one's.
    if (Busy()) {
        return UpdateOutcome::Refused;
    }
    struct ItemsDisabled
    {
        TForm_Main& main;
        explicit ItemsDisabled(TForm_Main& m) : main(m) { main.SetUpdateItemsEnabled(false); }
        ~ItemsDisabled() { main.SetUpdateItemsEnabled(true); }
    } disabled(main_);
    Button_Update->setEnabled(false);
    UpdateOutcome outcome = UpdateOutcome::Failed;
    try {
        outcome = run();
    } catch (const std::exception&) {
        // The updater reports what the user must know; anything else must not
        // reach the event loop, and the gauge must not stay up.
        HideUpdateProgress();
    }
    Button_Update->setEnabled(true);
    return outcome;
}

UpdateOutcome TForm_Update::Button_UpdateClick()
{
    return RunUpdate([this] { return updater_->UpdateAds(CheckedGroups()); });
}

UpdateOutcome TForm_Update::UpdateCompanies()
{
    return RunUpdate([this] { return updater_->UpdateCompanies(); });
}

void TForm_Update::SetGaugeMaximum(int maximum)
{
    main_.StatusGauge()->setMaximum(maximum);
}

void TForm_Update::SetGaugePosition(int position)
{
    main_.StatusGauge()->setValue(position);
}

void TForm_Update::SetStatus(const std::string& text)
{
    main_.SetStatus(text);
}

void TForm_Update::ShowInformation(const std::string& text)
{
    dorvanta::ShowInformation(&main_, Windows1250ToQString(text));
}

void TForm_Update::ShowUpdateProgress()
{
    main_.StatusGauge()->setValue(0);
    main_.StatusGauge()->show();
    updateRunning_ = true;
}

void TForm_Update::HideUpdateProgress()
{
    main_.StatusGauge()->hide();
    updateRunning_ = false;
}

void TForm_Update::SetDialogGaugeMaximum(int maximum)
{
    Progress->setMaximum(maximum);
}

void TForm_Update::SetDialogGaugePosition(int position)
{
    Progress->setValue(position);
}

} // namespace dorvanta
