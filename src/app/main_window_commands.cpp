// The popups of the menu bar and the commands behind their items: help and
// submission pages, printing and saving as PDF, the about window and the two
// updates.
#include "app/main_window.h"

#include "app/about_window.h"
#include "app/button_faces.h"
#include "app/captions.h"
#include "app/company_panel.h"
#include "app/domain_menus.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/opportunity_panel.h"
#include "app/page_printer.h"
#include "app/update_form.h"
#include "app/update_session.h"
#include "app/window_chrome.h"
#include "data/messages.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStandardPaths>

namespace dorvanta {

namespace {

QIcon MenuIcon(int number)
{
    return QIcon(ResourcePicture(QStringLiteral("menu_%1.png").arg(number, 2, 10, QLatin1Char('0'))));
}

template <typename T> T* Named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// A submenu whose item and menu both carry the name, so either can be found by it.
QMenu* AddNamedMenu(QMenu* parent, const char* name, int icon, const char* caption)
{
    QMenu* menu = parent->addMenu(MenuIcon(icon), QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

void TForm_Main::BuildPopups()
{
    Popup_Update = Named(new QMenu(this), "Popup_Update");
    NewCompanies1 = AddNamedMenu(Popup_Update, "NewCompanies1", 12, "New Companies");
    Allcompanies1 =
        Named(NewCompanies1->addAction(MenuIcon(5), QStringLiteral("All companies")), "Allcompanies1");
    connect(Allcompanies1, &QAction::triggered, this, &TForm_Main::Allcompanies1Click);
    Newbusinessads1 = AddNamedMenu(Popup_Update, "Newbusinessads1", 12, "New business ads");
    Popup_Update->addSeparator();
    ImportRegister1 =
        Named(Popup_Update->addAction(MenuIcon(5), QStringLiteral("Import from the trade register...")),
              "ImportRegister1");
    connect(ImportRegister1, &QAction::triggered, this, &TForm_Main::ImportRegister1Click);

    Popup_Insert = Named(new QMenu(this), "Popup_Insert");
    Companiata1 = Named(Popup_Insert->addAction(MenuIcon(10), QStringLiteral("Your company")), "Companiata1");
    Yourbusinessadd1 =
        Named(Popup_Insert->addAction(MenuIcon(10), QStringLiteral("Your business ad")), "Yourbusinessadd1");
    Named(Popup_Insert->addSeparator(), "N2");
    Yourbanner1 = Named(Popup_Insert->addAction(MenuIcon(11), QStringLiteral("Your banner")), "Yourbanner1");
    connect(Companiata1, &QAction::triggered, this,
            [this] { ShowHelpPage("einserare_companie.htm", "inserare_companie.htm"); });
    connect(Yourbusinessadd1, &QAction::triggered, this, [this] { ShowHelpPage("eanunt.htm", "anunt.htm"); });
    connect(Yourbanner1, &QAction::triggered, this, [this] { ShowHelpPage("ebanner.htm", "banner.htm"); });

    Popup_Settings = Named(new QMenu(this), "Popup_Settings");
    QMenu* language = AddNamedMenu(Popup_Settings, "Language1", 9, "Language");
    QAction* english = Named(language->addAction(MenuIcon(9), QStringLiteral("English")), "English1");
    QAction* romanian = Named(language->addAction(MenuIcon(9), QStringLiteral("Romana")), "Romana1");
    QAction* print = Named(Popup_Settings->addAction(MenuIcon(15), QStringLiteral("Print")), "Pint1");
    SaveAsPdf1 =
        Named(Popup_Settings->addAction(MenuIcon(15), QStringLiteral("Save as PDF...")), "SaveAsPdf1");
    connect(english, &QAction::triggered, this, [this] { ApplyLanguage(Language::EN); });
    connect(romanian, &QAction::triggered, this, [this] { ApplyLanguage(Language::RO); });
    connect(print, &QAction::triggered, this, &TForm_Main::Pint1Click);
    connect(SaveAsPdf1, &QAction::triggered, this, &TForm_Main::SaveAsPdfClick);
    BuildSearchOptions();

    Popup_Help = Named(new QMenu(this), "Popup_Help");
    Content1 = Named(Popup_Help->addAction(MenuIcon(13), QStringLiteral("Content")), "Content1");
    Popup_Help->addSeparator();
    AboutDorvanta1 = Named(Popup_Help->addAction(MenuIcon(14), QStringLiteral("About")), "AboutDorvanta1");
    connect(Content1, &QAction::triggered, this, [this] { ShowHelpPage("index_en.htm", "index_ro.htm"); });
    connect(AboutDorvanta1, &QAction::triggered, this, &TForm_Main::AboutDorvanta1Click);
}

void TForm_Main::OpenPopup(QMenu* popup, PopupSlot slot, const QWidget* button)
{
    if (width() >= 705) {
        popup->popup(PopupPosition(slot, x(), y(), Panel_Menu->height()));
        return;
    }
    // A narrow window has moved its buttons closer: the popup opens below its button.
    popup->popup(button->mapToGlobal(QPoint(5, button->height() + 1)));
}

void TForm_Main::ShowHelpPage(const char* englishFile, const char* romanianFile)
{
    BringToFront(Panel_Help, 3);
    const std::filesystem::path path =
        state_.programFolder / "Help" / Pick(state_.language, englishFile, romanianFile);
    Web_Help->NavigateToFile(QString::fromStdU16String(path.u16string()));
}

HtmlView* TForm_Main::ViewInFront()
{
    switch (currentView_) {
    case 1:
        return companies_->View();
    case 2:
        return opportunities_->View();
    case 3:
        return Web_Help;
    default:
        return nullptr;
    }
}

void TForm_Main::Pint1Click()
{
    HtmlView* view = ViewInFront();
    if (view == nullptr) {
        ShowInformation(this, QString::fromLatin1(kCannotDeterminePrintText));
        return;
    }
    if (view->HasDocument() && !PrinterAvailable()) {
        // Without a printer the command would do nothing a person could see.
        ShowInformation(this, QString::fromLatin1(CaptionsOf(state_.language).noPrinter));
        return;
    }
    // The header's window title is the page's own title where it has one.
    const QString title = view->documentTitle().isEmpty() ? windowTitle() : view->documentTitle();
    PrintView(*view, title);
}

void TForm_Main::SaveAsPdfClick()
{
    HtmlView* view = ViewInFront();
    if (view == nullptr || !view->HasDocument()) {
        return;
    }
    const QString title = view->documentTitle().isEmpty() ? windowTitle() : view->documentTitle();
    // A company or ad page has no title of its own: its row names it.
    QString name = view->documentTitle();
    if (name.isEmpty() && (currentView_ == 1 || currentView_ == 2)) {
        name = (currentView_ == 1 ? static_cast<SearchPanel*>(companies_) : opportunities_)->ShownRowText();
    }
    const QString path =
        AskPdfPath(this, QString::fromLatin1(CaptionsOf(state_.language).saveAsPdf),
                   SuggestedPdfPath(name.isEmpty() ? title : name,
                                    QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    if (path.isEmpty()) {
        return;
    }
    if (!SaveViewAsPdf(*view, title, path)) {
        ShowInformation(this, QString::fromLatin1(CaptionsOf(state_.language).cannotWrite).arg(path));
    }
}

void TForm_Main::AboutDorvanta1Click()
{
    TForm_About about(this);
    about.exec();
}

void TForm_Main::SetUpdateSession(UpdateSession* session, TForm_Update* form)
{
    if (updateSession_ != nullptr) {
        disconnect(updateSession_, nullptr, this, nullptr);
    }
    updateSession_ = session;
    updateForm_ = form;
    if (session == nullptr) {
        return;
    }
    session->SetLanguage(state_.language);
    QProgressBar* gauge = chrome_->Gauge();
    connect(session, &UpdateSession::started, this, [this] { SetUpdateItemsEnabled(false); });
    connect(session, &UpdateSession::finished, this, [this] {
        SetUpdateItemsEnabled(true);
        companies_->ForgetColumn();
    });
    connect(session, &UpdateSession::gaugeMaximum, gauge, &QProgressBar::setMaximum);
    connect(session, &UpdateSession::gaugePosition, gauge, &QProgressBar::setValue);
    // The update dialog stays hidden, so the ads it counts are counted on the
    // status bar's gauge as well; otherwise that gauge stands empty throughout.
    connect(session, &UpdateSession::dialogGaugeMaximum, gauge, &QProgressBar::setMaximum);
    connect(session, &UpdateSession::dialogGaugePosition, gauge, &QProgressBar::setValue);
    connect(session, &UpdateSession::progressShown, gauge, [gauge] {
        gauge->setValue(0);
        gauge->show();
    });
    connect(session, &UpdateSession::progressHidden, gauge, &QWidget::hide);
    connect(session, &UpdateSession::statusChanged, chrome_, &WindowChrome::SetStatus);
    connect(session, &UpdateSession::failureReason, chrome_, &WindowChrome::SetStatusReason);
    connect(session, &UpdateSession::information, this,
            [this](const QString& text) { ShowInformation(this, text); });
}

void TForm_Main::SetUpdateItemsEnabled(bool enabled)
{
    Allcompanies1->setEnabled(enabled);
    ImportRegister1->setEnabled(enabled);
    domainMenus_->SetUpdateItemsEnabled(enabled);
}

void TForm_Main::NewAdsItemClick(QAction* item)
{
    if (updateForm_ == nullptr) {
        return;
    }
    updateForm_->FillDomainList();
    updateForm_->CheckGroupsOfHint(MenuItemHint(item));
    updateForm_->Button_UpdateClick();
}

void TForm_Main::ImportRegister1Click()
{
    if (updateForm_ == nullptr) {
        return;
    }
    const QString folder =
        AskFolder(this, QString::fromLatin1(CaptionsOf(state_.language).chooseRegisterFolder));
    if (!folder.isEmpty()) {
        updateForm_->ImportRegister(std::filesystem::path(folder.toStdU16String()));
    }
}

void TForm_Main::Allcompanies1Click()
{
    // The answer takes a while to arrive, with nothing else to show for it.
    if (updateForm_ != nullptr && updateForm_->UpdateCompanies()) {
        chrome_->SetStatus(QString::fromLatin1(CaptionsOf(state_.language).downloadingCompanies));
    }
}

} // namespace dorvanta
