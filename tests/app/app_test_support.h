#pragma once

// A program folder of known content and the main window with its update
// dialog built on it, as the start-up builds them, for the window tests.

#include "app/button_faces.h"
#include "app/company_panel.h"
#include "app/info_box.h"
#include "app/main_window.h"
#include "app/mnemonics.h"
#include "app/test_application.h"
#include "app/update_form.h"
#include "app/update_session.h"
#include "data/company_record.h"
#include "data/opportunity_record.h"
#include "support/record_files.h"
#include "support/temp_dir.h"
#include "update/folder_state.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace dorvanta::test {

inline CompanyRecord MakeCompany(std::string name, std::string county, std::vector<std::string> activities)
{
    CompanyRecord record;
    record.Company = std::move(name);
    record.County = std::move(county);
    record.Address = "Str. Lunga 1";
    record.Phone = "021 555 0101";
    std::string* fields[] = {&record.Activity1, &record.Activity2, &record.Activity3, &record.Activity4};
    for (std::size_t i = 0; i < activities.size() && i < 4; ++i) {
        *fields[i] = activities[i];
    }
    record.Description = "About " + record.Company;
    return record;
}

inline OpportunityRecord MakeAd(std::string id, std::string group, std::string type, std::string subject)
{
    OpportunityRecord record;
    record.AdId = std::move(id);
    record.DomainLetter = std::move(group);
    record.AdType = std::move(type);
    record.Subject = std::move(subject);
    record.Company = "Firma";
    record.County = "B";
    record.InsertDate = "2005-01-01";
    record.Description = "Details of " + record.Subject;
    return record;
}

// A caption as shown, without its mnemonic mark.
inline QString Shown(const QString& text)
{
    return WithoutMnemonic(text);
}

inline QString ToQString(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

// The companies every window test finds in its program folder.
inline std::vector<CompanyRecord> StandardCompanies()
{
    return {
        MakeCompany("Alfa Asigurari", "AB", {"a.a.1*t"}),
        MakeCompany("Beta Covoare", "B", {"c.a.2*s", "a.a.1*p"}),
        MakeCompany("", "B", {"a.a.1*t"}), // a deleted record
        MakeCompany("Gama Banci", "", {"a.a.3*h"}),
        MakeCompany("Delta Alfa Impex", "BC", {"b.a.1*i"}),
    };
}

inline std::vector<OpportunityRecord> StandardAds()
{
    return {
        MakeAd("101", "a", "1", "Offer of insurance"),
        MakeAd("102", "c", "2", "Request for carpets"),
        MakeAd("103", "c", "1", "Carpets on offer"),
        MakeAd("104", "c", "2", "Request for rugs"),
    };
}

// A program folder in a temporary folder: the two databases, small start
// pages and help pages of our own (so the tests do not depend on the pages
// installed beside the program), and nothing else.
class ProgramFolder
{
public:
    ProgramFolder()
    {
        WriteRecordFile(dir_ / "database.db", StandardCompanies());
        WriteRecordFile(dir_ / "bursa.db", StandardAds());
        std::filesystem::create_directories(dir_ / "Internet");
        std::filesystem::create_directories(dir_ / "Help");
        for (const char* language : {"EN", "RO"}) {
            WritePage(dir_ / "Internet" / (std::string("companies_") + language + ".htm"),
                      std::string("Company start ") + language, 1);
            WritePage(dir_ / "Internet" / (std::string("opportunities_") + language + ".htm"),
                      std::string("Opportunity start ") + language, 1);
        }
        // The help contents is long enough for three printed pages, the others one.
        WritePage(dir_ / "Help" / "index_en.htm", "Help contents EN", 150);
        WritePage(dir_ / "Help" / "index_ro.htm", "Help contents RO", 150);
        for (const char* page : {"einserare_companie.htm", "inserare_companie.htm", "eanunt.htm", "anunt.htm",
                                 "ebanner.htm", "banner.htm"}) {
            WritePage(dir_ / "Help" / page, std::string("Page ") + page, 1);
        }
    }

    static void WritePage(const std::filesystem::path& path, const std::string& title, int paragraphs)
    {
        std::string html = "<html><head><title>" + title + "</title></head><body><h1>" + title + "</h1>";
        for (int i = 0; i < paragraphs; ++i) {
            html += "<p>Paragraph " + std::to_string(i) + "</p>";
        }
        html += "</body></html>";
        WriteBytes(path, html);
    }

    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }
    QString Text() const { return ToQString(dir_.path()); }

private:
    TempDir dir_;
};

// The main window and the update dialog, created in the start-up's order.
struct Program
{
    Program(const ProgramFolder& folder, const QString& settingsFile, std::function<QRect()> workArea = {},
            const std::string& server = "http://127.0.0.1:9")
    {
        MainWindowOptions options;
        options.programFolder = folder.Text();
        options.settingsFile = settingsFile;
        options.workArea = std::move(workArea);
        main = std::make_unique<TForm_Main>(options);
        // As the start-up does: the updates keep their state in the folder.
        state = std::make_unique<FolderStateStore>(main->ProgramFolder());
        session = std::make_unique<UpdateSession>(main->ProgramFolder(), *state, server);
        update = std::make_unique<TForm_Update>(*session);
        main->SetUpdateSession(session.get(), update.get());
    }
    ~Program()
    {
        main->SetUpdateSession(nullptr, nullptr);
        update.reset();
        session.reset();
        state.reset();
        main.reset();
    }

    // Lets the window's events run until the running update has ended.
    void WaitForUpdate() const
    {
        if (!session->Running()) {
            return;
        }
        QEventLoop loop;
        QObject::connect(session.get(), &UpdateSession::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
    }

    std::unique_ptr<TForm_Main> main;
    std::unique_ptr<FolderStateStore> state;
    std::unique_ptr<UpdateSession> session;
    std::unique_ptr<TForm_Update> update;
};

template <typename T> T* Find(const QObject* root, const char* name)
{
    return root->findChild<T*>(QString::fromLatin1(name));
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint local,
                      Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint global = widget->mapToGlobal(local);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(local), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A mouse event at a given screen point, whatever the widget's own position.
inline void SendMouseAtScreen(QWidget* widget, QEvent::Type type, QPoint global)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void Click(QWidget* widget)
{
    const QPoint centre = widget->rect().center();
    SendMouse(widget, QEvent::MouseButtonPress, centre);
    SendMouse(widget, QEvent::MouseButtonRelease, centre);
}

inline void SendKey(QWidget* widget, QEvent::Type type, int key)
{
    QKeyEvent event(type, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Every window test starts with the application made and the information box
// answered at once, its texts recorded.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        InfoBox::SetAutoAnswer(true);
        InfoBox::ClearShownTexts();
    }
    void TearDown() override
    {
        InfoBox::ClearShownTexts();
        InfoBox::SetAnswerYes(true);
    }

    QString SettingsFile() const { return ToQString(settingsDir_ / "settings.ini"); }

    ProgramFolder folder_;
    TempDir settingsDir_;
};

} // namespace dorvanta::test
