#include "app/update_form.h"

#include "app/update_session.h"
#include "app/windows1250.h"
#include "data/domain_tree.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace dorvanta {

TForm_Update::TForm_Update(UpdateSession& session, QWidget* parent) : QDialog(parent), session_(session)
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

    connect(&session_, &UpdateSession::dialogGaugeMaximum, Progress, &QProgressBar::setMaximum);
    connect(&session_, &UpdateSession::dialogGaugePosition, Progress, &QProgressBar::setValue);
    connect(&session_, &UpdateSession::started, this, [this] { Button_Update->setEnabled(false); });
    connect(&session_, &UpdateSession::finished, this, [this] { Button_Update->setEnabled(true); });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TForm_Update::~TForm_Update() = default;

void TForm_Update::FillDomainList()
{
    ListBox_Domains->clear();
    // The group lines of the domain tree, the same ten groups as the ad menus.
    for (const DomainGroup& group : DomainTree::Domains(session_.CurrentLanguage()).groups()) {
        auto* item = new QListWidgetItem(Windows1250ToQString(group.line), ListBox_Domains);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void TForm_Update::CheckGroupsOfHint(const QString& hint)
{
    const bool all = hint == QStringLiteral("all");
    const std::optional<std::size_t> chosen =
        hint.isEmpty() ? std::nullopt : GroupPosition(hint.at(0).toLatin1());
    for (int i = 0; i < ListBox_Domains->count(); ++i) {
        const bool checked = all || chosen == static_cast<std::size_t>(i);
        ListBox_Domains->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
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

bool TForm_Update::Button_UpdateClick()
{
    return session_.StartAds(CheckedGroups());
}

bool TForm_Update::UpdateCompanies()
{
    return session_.StartCompanies();
}

bool TForm_Update::ImportRegister(const std::filesystem::path& snapshot)
{
    return session_.StartRegisterImport(snapshot);
}

bool TForm_Update::UpdateRunning() const
{
    return session_.Running();
}

} // namespace dorvanta
