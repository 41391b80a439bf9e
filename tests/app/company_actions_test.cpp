// The company result rows' menu and keys: Favourites, the contact card on
// the clipboard, and the rows shown taken away as a file.

#include "app/app_test_support.h"

#include "app/company_actions.h"
#include "app/mine_layer.h"
#include "app/search_panel.h"
#include "mine/mine_store.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

class CompanyActionsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        program_ = std::make_unique<Program>(folder_, SettingsFile());
        main_ = program_->main.get();
        main_->show();
        QApplication::setActiveWindow(main_);
        Find<PictureButton>(main_, "Button_Companies_Search")->click();
        list_ = Find<QTreeWidget>(main_, "ListView_Companies");
        list_->setFocus();
        menu_ = Find<QMenu>(main_, "CompanyRowMenu");
    }
    void TearDown() override
    {
        menu_->close();
        program_.reset();
        WindowTest::TearDown();
    }

    // The menu's items as shown, without mnemonics or keys.
    QStringList MenuTexts() const
    {
        QStringList texts;
        for (const QAction* item : menu_->actions()) {
            if (!item->isSeparator()) {
                texts << WithoutMnemonic(item->text().section(QLatin1Char('\t'), 0, 0));
            }
        }
        return texts;
    }

    std::string FileText(const std::filesystem::path& file) const
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::unique_ptr<Program> program_;
    TForm_Main* main_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QMenu* menu_ = nullptr;
};

TEST_F(CompanyActionsTest, TheMenuOpensFromTheKeyboardInBothLanguagesAndKeepsFavourites)
{
    const auto favourites = [this] {
        std::vector<std::string> names;
        main_->Mine().Read([&](MineStore& store) {
            const std::optional<std::vector<MineEntry>> entries = store.Entries(kFavouritesList);
            for (const MineEntry& entry : entries.value()) {
                names.push_back(entry.name);
            }
        });
        return names;
    };
    main_->ApplyLanguage(Language::RO);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(list_, &menuKey);
    ASSERT_TRUE(menu_->isVisible());
    EXPECT_EQ(MenuTexts(), (QStringList{"Adauga la Favorite", "Liste", "Copiaza fisa de contact",
                                        "Salveaza ca vCard...", "Exporta rezultatele..."}));
    std::set<QChar> letters;
    for (const QAction* item : menu_->actions()) {
        if (!item->isSeparator()) {
            letters.insert(MnemonicOf(item->text()));
        }
    }
    EXPECT_EQ(letters.size(), 5u);
    EXPECT_EQ(letters.count(QChar()), 0u);
    menu_->close();

    // Shift+F10 on the second row; its Favourites item adds the name key.
    main_->ApplyLanguage(Language::EN);
    list_->setCurrentItem(list_->topLevelItem(1));
    QTest::keyClick(list_, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(menu_->isVisible());
    EXPECT_EQ(MenuTexts(), (QStringList{"Add to Favourites", "Lists", "Copy contact card", "Save as vCard...",
                                        "Export results..."}));
    ASSERT_TRUE(Find<QAction>(menu_, "FavouritesItem")->isEnabled())
        << main_->Mine().ProblemText().toStdString();
    Find<QAction>(menu_, "FavouritesItem")->trigger();
    EXPECT_EQ(favourites(), std::vector<std::string>{"BETA COVOARE"});
    menu_->close();
    QApplication::sendEvent(list_, &menuKey);
    EXPECT_EQ(MenuTexts().front(), "Remove from Favourites");
    Find<QAction>(menu_, "FavouritesItem")->trigger();
    EXPECT_TRUE(favourites().empty());

    // A right click below the rows keeps the row being read; only the export is on.
    menu_->close();
    const QPoint below(5, list_->viewport()->height() - 2);
    ASSERT_EQ(list_->itemAt(below), nullptr);
    QContextMenuEvent click(QContextMenuEvent::Mouse, below, list_->viewport()->mapToGlobal(below));
    QApplication::sendEvent(list_->viewport(), &click);
    EXPECT_EQ(list_->currentItem(), list_->topLevelItem(1));
    EXPECT_FALSE(Find<QAction>(menu_, "CopyCardItem")->isEnabled());
    EXPECT_TRUE(Find<QAction>(menu_, "ExportResultsItem")->isEnabled());
}

TEST_F(CompanyActionsTest, CtrlShiftCPutsTheCardAndItsVCardOnTheClipboard)
{
    main_->ApplyLanguage(Language::RO);
    QTest::keyClick(list_, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), "Companie: Alfa Asigurari\nAdresa postala: Str. Lunga 1, Alba\n"
                            "Telefon: 021 555 0101\n");
    const QStringList lines = QString::fromUtf8(data->data("text/vcard")).split("\r\n");
    EXPECT_EQ(lines.front(), "BEGIN:VCARD");
    EXPECT_TRUE(lines.contains("FN:Alfa Asigurari"));
    EXPECT_TRUE(lines.contains("TEL;TYPE=WORK,VOICE:021 555 0101"));
    EXPECT_EQ(lines.at(lines.size() - 2), "END:VCARD");
}

TEST_F(CompanyActionsTest, CtrlEExportsTheRowsShownInTheirOrderAndAFailureLeavesNoFile)
{
    TempDir out;
    // Sorted by name, last first: the file keeps the order shown.
    QTest::keyClick(list_, Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(list_, Qt::Key_2, Qt::ControlModifier);
    InfoBox::SetNextSaveFile(ToQString(out / "found")); // no extension: CSV
    QTest::keyClick(list_, Qt::Key_E, Qt::ControlModifier);
    const std::string csv = FileText(out / "found.csv");
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("\r\n3,Gama Banci,"), std::string::npos);
    EXPECT_LT(csv.find("Gama Banci"), csv.find("Beta Covoare"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + list_->topLevelItemCount());

    // From the search box too; a vCard file by its extension.
    InfoBox::SetNextSaveFile(ToQString(out / "found.vcf"));
    QLineEdit* box = Find<QLineEdit>(main_, "Edit_Companies_Company");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_E, Qt::ControlModifier);
    const std::string vcf = FileText(out / "found.vcf");
    std::size_t cards = 0;
    for (std::size_t at = vcf.find("BEGIN:VCARD\r\n"); at != std::string::npos;
         at = vcf.find("BEGIN:VCARD\r\n", at + 1)) {
        ++cards;
    }
    EXPECT_EQ(cards, 4u);
    EXPECT_TRUE(InfoBox::ShownTexts().isEmpty());

    // A folder that is not there cannot be written: said, and nothing left.
    InfoBox::SetNextSaveFile(ToQString(out / "gone" / "found.csv"));
    QTest::keyClick(list_, Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(InfoBox::ShownTexts().size(), 1);
    EXPECT_TRUE(InfoBox::ShownTexts().front().startsWith("Could not write"))
        << InfoBox::ShownTexts().front().toStdString();
    EXPECT_FALSE(std::filesystem::exists(out / "gone"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 2);
}

} // namespace
} // namespace dorvanta::test
