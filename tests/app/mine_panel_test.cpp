// The "My companies" panel: a list with a company gone from database.db,
// the filter, the sort, removing an entry, the list's commands, the export
// and printing, reached by Alt+M.

#include "app/app_test_support.h"

#include "app/html_view.h"
#include "app/mine_layer.h"
#include "app/page_printer.h"
#include "import/record_import.h"
#include "mine/mine_store.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

using MinePanelTest = WindowTest;

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QStringList ShownNames(const QTreeWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (!list->topLevelItem(i)->isHidden()) {
            names << list->topLevelItem(i)->text(0);
        }
    }
    return names;
}

TEST_F(MinePanelTest, ShowsFiltersSortsRemovesAndExportsAList)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    ASSERT_TRUE(main.Mine().Write([](MineStore& store) {
        for (const char* name : {"Beta Covoare", "Veche Impex", "Alfa Asigurari"}) {
            store.Add(kFavouritesList, CompanyNameKey(name));
        }
        store.SetNote(CompanyNameKey("Alfa Asigurari"), "suna luni, Ştefan");
        store.SetNote(CompanyNameKey("Veche Impex"), "old supplier");
    }));
    main.show();
    QApplication::setActiveWindow(&main);

    // Alt+M brings the panel with the keyboard in the list.
    QTest::keyClick(&main, Qt::Key_M, Qt::AltModifier);
    ASSERT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Mine"));
    auto* list = Find<QTreeWidget>(&main, "ListView_Mine");
    EXPECT_EQ(QApplication::focusWidget(), list);
    ASSERT_EQ(ShownNames(list),
              (QStringList{"Beta Covoare", "Veche Impex (no longer in the directory)", "Alfa Asigurari"}));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QString());
    EXPECT_EQ(list->topLevelItem(2)->text(1), QString::fromUtf8("suna luni, Ştefan"));

    // The gone company's page says so and keeps its note; a present one shows its profile.
    auto* view = Find<HtmlView>(&main, "Web_Mine");
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_TRUE(view->toPlainText().contains("no longer in the directory"));
    EXPECT_TRUE(view->toPlainText().contains("old supplier"));
    list->setCurrentItem(list->topLevelItem(2));
    EXPECT_TRUE(view->toPlainText().contains("Alfa Asigurari"));
    EXPECT_FALSE(view->toPlainText().contains("no longer"));

    // The note under the page: saving it refreshes the rows while the page
    // side is shown, and a note of a gone company is as good as any.
    auto* note = Find<QPlainTextEdit>(&main, "Memo_Mine_Note");
    EXPECT_EQ(note->toPlainText(), QString::fromUtf8("suna luni, Ştefan"));
    note->insertPlainText(QStringLiteral(" -- oferta"));
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(note->toPlainText(), QStringLiteral("old supplier"));
    EXPECT_EQ(list->topLevelItem(2)->text(1), QString::fromUtf8("suna luni, Ştefan -- oferta"));

    // The filter takes words of the name or the note, any case, without diacritics.
    auto* filter = Find<QLineEdit>(&main, "Edit_Mine_Filter");
    filter->setText("stefan LUNI");
    EXPECT_EQ(ShownNames(list), QStringList{"Alfa Asigurari"});
    filter->setText("impex");
    EXPECT_EQ(ShownNames(list).size(), 1);
    filter->clear();

    // Ctrl+1 sorts by company, again in reverse.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(ShownNames(list).front(), "Alfa Asigurari");
    QTest::keyClick(list, Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(ShownNames(list).front().startsWith("Veche"));

    // Export writes the whole list; a name without an ending is written as CSV.
    InfoBox::SetNextSaveFile(ToQString(settingsDir_ / "shortlist"));
    Find<QPushButton>(&main, "Button_Mine_Export")->click();
    const std::string csv = ReadAll(settingsDir_ / "shortlist.csv");
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u);
    EXPECT_NE(csv.find("Alfa Asigurari"), std::string::npos);
    EXPECT_NE(csv.find("suna luni"), std::string::npos);
    EXPECT_NE(csv.find("VECHE IMPEX"), std::string::npos);

    // Printing prints the list as a table.
    const std::filesystem::path pdf = settingsDir_ / "list.pdf";
    SetPrintRedirect(ToQString(pdf));
    Find<QAction>(&main, "Pint1")->trigger();
    SetPrintRedirect(QString());
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);
    EXPECT_TRUE(Find<HtmlView>(&main, "Sheet_Mine")->toPlainText().contains("suna luni"));

    // Delete takes the current entry off the list without asking, and the next takes its place.
    list->setCurrentItem(list->findItems("Beta Covoare", Qt::MatchExactly).front());
    const QString removed = list->currentItem()->text(0);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_TRUE(InfoBox::ShownTexts().isEmpty());
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_FALSE(ShownNames(list).contains(removed));
    ASSERT_NE(list->currentItem(), nullptr);
    std::size_t left = 0;
    main.Mine().Read([&](MineStore& store) { left = store.Entries(kFavouritesList)->size(); });
    EXPECT_EQ(left, 2u);

    // In Romanian the gone company says so in Romanian.
    main.ApplyLanguage(Language::RO);
    EXPECT_TRUE(ShownNames(list).join(' ').contains("(nu mai este in director)"));
}

TEST_F(MinePanelTest, MakesAndDeletesListsButNeverTheFavourites)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Menu_Mine")->click();
    auto* chooser = Find<QComboBox>(&main, "ComboBox_Mine_List");
    auto* remove = Find<QPushButton>(&main, "Button_Mine_DeleteList");
    EXPECT_EQ(chooser->currentText(), "Favourites (0)");
    EXPECT_FALSE(remove->isEnabled());

    InfoBox::SetNextText(QStringLiteral("Furnizori"));
    Find<QPushButton>(&main, "Button_Mine_NewList")->click();
    EXPECT_EQ(chooser->count(), 2);
    EXPECT_EQ(chooser->currentText(), "Furnizori (0)");
    EXPECT_TRUE(remove->isEnabled());

    // No keeps it; Yes deletes it and goes back to the favourites.
    InfoBox::SetAnswerYes(false);
    remove->click();
    EXPECT_EQ(chooser->count(), 2);
    InfoBox::SetAnswerYes(true);
    remove->click();
    EXPECT_EQ(chooser->count(), 1);
    EXPECT_EQ(chooser->currentText(), "Favourites (0)");
}

TEST_F(MinePanelTest, AnUnusableFileOffersNothingAndSaysWhy)
{
    WriteBytes(settingsDir_ / "mine.sqlite", std::string(4096, 'x'));
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    Find<PictureButton>(&main, "Button_Menu_Mine")->click();
    EXPECT_EQ(Find<QComboBox>(&main, "ComboBox_Mine_List")->count(), 0);
    EXPECT_FALSE(Find<QPushButton>(&main, "Button_Mine_Export")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(&main, "Button_Mine_NewList")->isEnabled());
    EXPECT_EQ(Find<HtmlView>(&main, "Web_Mine")->toPlainText(), main.Mine().ProblemText());
    EXPECT_FALSE(main.Mine().ProblemText().isEmpty());
}

TEST_F(MinePanelTest, NineMenuButtonsFitTheSmallestWindowWithTheirWordsWhole)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    main.resize(main.minimumSize());
    QApplication::processEvents();
    const QWidget* bar = Find<QWidget>(&main, "Panel_Menu");
    const auto buttons = bar->findChildren<PictureButton*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(buttons.size(), 9);
    const int barWidth = bar->width();
    for (PictureButton* button : buttons) {
        EXPECT_LE(button->geometry().right(), barWidth) << button->objectName().toStdString();
        for (const PictureButton* other : buttons) {
            EXPECT_TRUE(button == other || !button->geometry().intersects(other->geometry()));
        }
        // A face cut through its words shows white letters at its edges.
        const QImage face = button->grab().toImage();
        for (const int x : {0, face.width() - 1}) {
            for (int y = 0; y < face.height(); ++y) {
                const QColor c = face.pixelColor(x, y);
                ASSERT_FALSE(c.red() > 230 && c.green() > 230 && c.blue() > 230)
                    << button->objectName().toStdString() << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace dorvanta::test
