// The popups of the menu bar and the commands behind their items: help and
// submission pages, printing and saving as PDF, the about window and the two
// updates.
#include "app/main_window.h"

#include "app/about_window.h"
#include "app/button_faces.h"
#include "app/captions.h"
#include "app/command_popups.h"
#include "app/company_panel.h"
#include "app/domain_menus.h"
#include "app/html_view.h"
#include "app/info_box.h"
#include "app/menu_bar.h"
#include "app/mine_panel.h"
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

void TForm_Main::BuildPopups()
{
    popups_ = new CommandPopups(this, state_, *settings_);
    connect(popups_, &CommandPopups::allCompaniesChosen, this, &TForm_Main::Allcompanies1Click);
    connect(popups_, &CommandPopups::importRegisterChosen, this, &TForm_Main::ImportRegister1Click);
    connect(popups_, &CommandPopups::helpPageChosen, this, &TForm_Main::ShowHelpPage);
    connect(popups_, &CommandPopups::languageChosen, this, &TForm_Main::ApplyLanguage);
    connect(popups_, &CommandPopups::printChosen, this, &TForm_Main::Pint1Click);
    connect(popups_, &CommandPopups::saveAsPdfChosen, this, &TForm_Main::SaveAsPdfClick);
    connect(popups_, &CommandPopups::aboutChosen, this, &TForm_Main::AboutDorvanta1Click);
}

void TForm_Main::OpenPopup(QMenu* popup, PopupSlot slot, const QWidget* button, bool byKeyboard)
{
    // Opened from the keyboard, the first item is active, so the arrow keys
    // and Enter go on from there.
    QAction* first = nullptr;
    if (byKeyboard) {
        for (QAction* item : popup->actions()) {
            if (!item->isSeparator() && item->isEnabled() && item->isVisible()) {
                first = item;
                break;
            }
        }
    }
    if (menuBar_->Roomy()) {
        popup->popup(PopupPosition(slot, x(), y(), menuBar_->Widget()->height()), first);
    } else {
        // A narrow window has moved its buttons closer: the popup opens below its button.
        popup->popup(button->mapToGlobal(QPoint(5, button->height() + 1)), first);
    }
    if (first != nullptr) {
        popup->setActiveAction(first);
    }
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
    case 4:
        return minePanel_->PrintSheet();
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
    TForm_About about(this, state_.language);
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
        minePanel_->ForgetDirectory();
        // The update or import may have replaced or blanked companies of the list shown.
        if (currentView_ == 4) {
            minePanel_->Refresh();
        }
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
    popups_->SetUpdateItemsEnabled(enabled);
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
