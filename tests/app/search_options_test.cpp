// The search options of the Settings popup: ignoring diacritics in both
// searches, searching after a pause in typing, and both kept in the settings.

#include "app/app_test_support.h"

#include "app/swallowed.h"
#include "data/settings_store.h"
#include "support/update_fakes.h"

#include <QAction>
#include <QCheckBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

using SearchOptionsTest = WindowTest;

void Wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Typed key by key, as the user types: each key edits the box.
void Type(QLineEdit* box, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

TEST_F(SearchOptionsTest, IgnoreDiacriticsReachesBothSearchesAndIsStored)
{
    WriteRecordFile(folder_ / "database.db",
                    std::vector<CompanyRecord>{MakeCompany("\xAA"
                                                           "erban SRL",
                                                           "B", {"a.a.1*t"}),
                                               MakeCompany("Serban Impex", "B", {"a.a.1*t"})});
    WriteRecordFile(folder_ / "bursa.db",
                    std::vector<OpportunityRecord>{MakeAd("101", "c", "1", "Mobil\xE3")});
    {
        Program program(folder_, SettingsFile());
        TForm_Main& main = *program.main;
        QAction* ignore = Find<QAction>(&main, "IgnoreDiacritics1");
        ASSERT_NE(ignore, nullptr);
        EXPECT_FALSE(ignore->isChecked());
        EXPECT_EQ(Shown(ignore->text()), QStringLiteral("Ignore diacritics"));
        main.ApplyLanguage(Language::RO);
        EXPECT_EQ(Shown(ignore->text()), QStringLiteral("Ignora diacriticele"));

        Find<QLineEdit>(&main, "Edit_Companies_Company")
            ->setText(QString::fromUtf8("\xC5\x9E"
                                        "ERBAN"));
        Find<PictureButton>(&main, "Button_Companies_Search")->click();
        EXPECT_EQ(main.CompanyRecordNumbers(), (std::vector<std::int64_t>{0}));
        ignore->trigger();
        Find<PictureButton>(&main, "Button_Companies_Search")->click();
        EXPECT_EQ(main.CompanyRecordNumbers(), (std::vector<std::int64_t>{0, 1}));
        Find<QLineEdit>(&main, "Edit_Internet_Company")->setText(QStringLiteral("MOBILA"));
        Find<PictureButton>(&main, "Button_Internet_Search")->click();
        EXPECT_EQ(main.OpportunityRecordNumbers(), (std::vector<std::int64_t>{0}));
        EXPECT_EQ(main.Settings().ReadString(kSettingsKey, "IgnoreDiacritics"), std::string("1"));
    }
    Program again(folder_, SettingsFile());
    EXPECT_TRUE(Find<QAction>(again.main.get(), "IgnoreDiacritics1")->isChecked());
    EXPECT_FALSE(Find<QAction>(again.main.get(), "SearchAsYouType1")->isChecked());
}

TEST_F(SearchOptionsTest, SearchAsYouTypeSearchesAfterAPauseWithoutTheNoResultBox)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    auto* box = Find<QLineEdit>(&main, "Edit_Companies_Company");
    box->clear();
    // Off: typing alone searches nothing.
    Type(box, QStringLiteral("alfa"));
    Wait(250);
    EXPECT_TRUE(main.CompanyRecordNumbers().empty());

    Find<QAction>(&main, "SearchAsYouType1")->trigger();
    EXPECT_EQ(main.Settings().ReadString(kSettingsKey, "SearchAsYouType"), std::string("1"));
    box->clear();
    Type(box, QStringLiteral("alf"));
    EXPECT_TRUE(main.CompanyRecordNumbers().empty()); // not before the pause
    Wait(250);
    EXPECT_EQ(main.CompanyRecordNumbers(), (std::vector<std::int64_t>{0, 4}));

    Type(box, QStringLiteral("xyz"));
    Wait(250);
    EXPECT_TRUE(main.CompanyRecordNumbers().empty());
    EXPECT_TRUE(InfoBox::ShownTexts().isEmpty());
    EXPECT_EQ(Shown(Find<QLabel>(&main, "Label_Status")->text()), QStringLiteral("Found 0 records."));
    // Enter still searches at once, with the box.
    SendKey(box, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(InfoBox::ShownTexts(), QStringList{QStringLiteral("Your search did not return any result")});

    // The ad search follows its keyword box the same way.
    auto* keywords = Find<QLineEdit>(&main, "Edit_Internet_Company");
    keywords->clear();
    Type(keywords, QStringLiteral("carpets"));
    Wait(250);
    EXPECT_EQ(main.OpportunityRecordNumbers(), (std::vector<std::int64_t>{2, 1}));
}

// The start-up hands the window the program's settings store: the window
// reads and writes there, and opens none of its own.
TEST_F(SearchOptionsTest, AWindowGivenTheProgramsSettingsStoreUsesIt)
{
    MemorySettings settings;
    settings.strings[MemorySettings::Key(kSettingsKey, kLanguageValue)] = "RO";
    settings.strings[MemorySettings::Key(kSettingsKey, "IgnoreDiacritics")] = "1";
    MainWindowOptions options;
    options.programFolder = folder_.Text();
    options.settings = &settings;
    options.mineFile = folder_.Text() + QStringLiteral("/mine.sqlite");
    TForm_Main main(options);
    EXPECT_EQ(&main.Settings(), &settings);
    EXPECT_EQ(main.CurrentLanguage(), Language::RO);
    EXPECT_TRUE(Find<QAction>(&main, "IgnoreDiacritics1")->isChecked());
    main.ApplyLanguage(Language::EN);
    main.SaveLanguageSetting();
    EXPECT_EQ(settings.strings[MemorySettings::Key(kSettingsKey, kLanguageValue)], "EN");
}

QStringList gWarnings;

// What the window swallows of an optional step goes to the log, with where
// and why.
TEST(SwallowedFailures, AreLoggedAsWarnings)
{
    gWarnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg) {
                gWarnings << text;
            }
        });
    try {
        throw SettingsError("the store is read-only");
    } catch (...) {
        WarnSwallowed("storing a search option");
    }
    try {
        throw 42;
    } catch (...) {
        WarnSwallowed("a quick search");
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(gWarnings, QStringList({QStringLiteral("storing a search option: the store is read-only"),
                                      QStringLiteral("a quick search: an unknown failure")}));
}

// The "Advanced" toggle: hidden boxes by default, shown ones searched (Enter
// in a box starts the search), hidden ones left out, and the toggle kept.
TEST_F(SearchOptionsTest, AdvancedCriteriaShowSearchAndAreStored)
{
    CompanyRecord inCluj = MakeCompany("Alfa Cluj", "CJ", {"a.a.1*t"});
    inCluj.Address = "Str. Morii 1, Cluj-Napoca";
    inCluj.Phone = "0264/123456";
    WriteRecordFile(folder_ / "database.db",
                    std::vector<CompanyRecord>{MakeCompany("Beta", "B", {"a.a.1*t"}), inCluj});
    {
        Program program(folder_, SettingsFile());
        TForm_Main& main = *program.main;
        main.show();
        auto* toggle = Find<QCheckBox>(&main, "CheckBox_Companies_Advanced");
        auto* town = Find<QLineEdit>(&main, "Edit_Companies_Town");
        auto* list = Find<QTreeWidget>(&main, "ListView_Companies");
        EXPECT_FALSE(toggle->isChecked());
        EXPECT_FALSE(town->isVisible());
        toggle->click();
        EXPECT_TRUE(town->isVisible());
        town->setText(QStringLiteral("cluj"));
        Find<QLineEdit>(&main, "Edit_Companies_Phone")->setText(QStringLiteral("+40 264 12"));
        QTest::keyClick(town, Qt::Key_Return);
        ASSERT_EQ(list->topLevelItemCount(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Alfa Cluj"));
        for (const Language language : {Language::EN, Language::RO}) {
            main.ApplyLanguage(language);
            QApplication::processEvents();
            // Every box shows whole, without scrolling the criteria.
            EXPECT_GE(town->visibleRegion().boundingRect().height(), town->height());
            if (!qEnvironmentVariableIsEmpty("DORVANTA_SHOW_ADVANCED")) {
                main.grab().save(qEnvironmentVariable("DORVANTA_SHOW_ADVANCED") +
                                 QString::fromLatin1(LanguageCode(language)) + QStringLiteral(".png"));
            }
        }
        toggle->click();
        Find<PictureButton>(&main, "Button_Companies_Search")->click();
        EXPECT_EQ(list->topLevelItemCount(), 2);
        toggle->click();
    }
    Program program(folder_, SettingsFile());
    EXPECT_TRUE(Find<QCheckBox>(program.main.get(), "CheckBox_Companies_Advanced")->isChecked());
}

} // namespace
} // namespace dorvanta::test
