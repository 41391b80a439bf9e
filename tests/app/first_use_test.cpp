// What a new user meets first: typing at once, the smallest window, the chrome's state, the keyboard focus, a
// search that fails after one that worked, pictures under a Romanian folder name, and clicks beside the rows;
// sorting the results and tips on cut-off names.
#include "app/app_test_support.h"

#include "app/html_view.h"
#include "app/page_printer.h"
#include "app/panel_parts.h"
#include "pages/pages.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>
#include <QTreeWidget>

namespace dorvanta::test {
namespace {

class FirstUseTest : public WindowTest
{
};

void Type(QWidget* box, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
    }
}

TEST_F(FirstUseTest, TypingIntoABoxHoldingItsPlaceholderReplacesIt)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    auto* names = Find<QLineEdit>(&main, "Edit_Companies_Company");
    auto* keywords = Find<QLineEdit>(&main, "Edit_Internet_Company");
    for (const Language language : {Language::EN, Language::RO}) {
        main.ApplyLanguage(language);
        names->setText(QString());
        keywords->setText(QString());
        main.ApplyLanguage(language);
        ASSERT_FALSE(names->text().isEmpty());
        Type(names, QStringLiteral("beta"));
        EXPECT_EQ(names->text(), QStringLiteral("beta"));
        Type(keywords, QStringLiteral("rugs"));
        EXPECT_EQ(keywords->text(), QStringLiteral("rugs"));
    }
    // The user's own text is added to, not replaced.
    Type(names, QStringLiteral(" c"));
    EXPECT_EQ(names->text(), QStringLiteral("beta c"));
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(main.CompanyRecordNumbers(), (std::vector<std::int64_t>{1}));
}

TEST_F(FirstUseTest, AtTheSmallestSizeEveryMenuButtonIsWhollyOnScreen)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.resize(main.minimumSize());
    main.show();
    auto* bar = Find<QWidget>(&main, "Panel_Menu");
    ASSERT_EQ(bar->width(), 600);
    int end = 0;
    for (const char* name :
         {"Button_Menu_Companies", "Button_Menu_Companies_Down", "Button_Menu_Internet", "SpeedButton5",
          "Button_Menu_Update", "Button_Menu_Insert", "Button_Menu_Settings", "Button_Menu_Help"}) {
        const QRect bounds = Find<QWidget>(&main, name)->geometry();
        EXPECT_GE(bounds.left(), end) << name;
        EXPECT_LE(bounds.right(), bar->width() - 1) << name;
        EXPECT_GE(bounds.width(), 17) << name;
        end = bounds.right() + 1;
    }
    main.close();
}

TEST_F(FirstUseTest, RestoreButtonShowsWhatItWillDo)
{
    Program program(folder_, SettingsFile(), [] { return QRect(0, 0, 1000, 700); });
    TForm_Main& main = *program.main;
    auto* button = Find<PictureButton>(&main, "Button_Menu_Restore");
    const QImage normal = button->Picture().toImage();
    button->click();
    ASSERT_TRUE(main.WindowMaximized());
    EXPECT_NE(button->Picture().toImage(), normal);
    button->click();
    EXPECT_EQ(button->Picture().toImage(), normal);
}

TEST_F(FirstUseTest, ADropDownListShowsWhenItHasTheKeyboardFocus)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    auto* box = Find<QComboBox>(&main, "ComboBox_Companies_Locality");
    QWidget* frame = box->parentWidget()->parentWidget();
    const auto borderColour = [frame] { return frame->grab().toImage().pixelColor(0, frame->height() / 2); };
    const QColor unfocused = borderColour();
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(box, &in);
    EXPECT_NE(borderColour(), unfocused);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
    EXPECT_EQ(borderColour(), unfocused);
    main.close();
}

TEST_F(FirstUseTest, ASearchThatCannotOpenItsFileLeavesNoTraceOfTheResultBefore)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    auto* list = Find<QTreeWidget>(&main, "ListView_Companies");
    auto* status = Find<QLabel>(&main, "Label_Status");
    auto* view = Find<HtmlView>(&main, "Web_Companies");
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    list->setCurrentItem(list->topLevelItem(0));
    Find<CompanyPanel>(&main, "Panel_Companies")->ShowSelectedRow();
    ASSERT_TRUE(view->toPlainText().contains(QStringLiteral("Alfa Asigurari")));
    ASSERT_TRUE(status->text().startsWith(QStringLiteral("Found")));

    std::filesystem::rename(folder_ / "database.db", folder_ / "away.db");
    InfoBox::ClearShownTexts();
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    EXPECT_EQ(InfoBox::ShownTexts().size(), 1);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_TRUE(status->text().isEmpty());
    EXPECT_FALSE(view->toPlainText().contains(QStringLiteral("Alfa Asigurari")));
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Company start EN")));
}

TEST_F(FirstUseTest, PicturesOfAPageAreFoundUnderAFolderWithRomanianLetters)
{
    const std::filesystem::path folder = folder_.path() / std::filesystem::path(u8"Știință");
    std::filesystem::create_directories(folder / "icon");
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(ToQString(folder / "icon" / "p.png")));
    const std::string folderBytes = ProgramFolderText(folder);

    HtmlView view;
    view.SetProgramFolder(folder);
    // "\xBA" is the Windows-1250 "ş" of the page's own text.
    view.LoadPageIntoBrowser("<p>Bra\xBAov</p><img src=\"" + folderBytes + "icon/p.png\">");
    EXPECT_TRUE(view.toPlainText().startsWith(QString::fromUtf8("Brașov").replace(u'ș', u'ş')));
    int pictures = 0;
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) {
                ++pictures;
                EXPECT_TRUE(
                    view.loadResource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                        .isValid());
            }
        }
    }
    EXPECT_EQ(pictures, 1);
}

TEST_F(FirstUseTest, AClickBelowTheRowsShowsNoPage)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    auto* list = Find<QTreeWidget>(&main, "ListView_Companies");
    auto* view = Find<HtmlView>(&main, "Web_Companies");
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    list->setCurrentItem(list->topLevelItem(1));
    const QPoint below(10, list->viewport()->height() - 3);
    ASSERT_EQ(list->itemAt(below), nullptr);
    SendMouse(list->viewport(), QEvent::MouseButtonPress, below);
    SendMouse(list->viewport(), QEvent::MouseButtonRelease, below);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Beta Covoare")));
    // On a row the page follows, as before.
    const QPoint first = list->visualItemRect(list->topLevelItem(0)).center();
    SendMouse(list->viewport(), QEvent::MouseButtonPress, first);
    SendMouse(list->viewport(), QEvent::MouseButtonRelease, first);
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Alfa Asigurari")));
    main.close();
}

TEST_F(FirstUseTest, AHeaderClickSortsTheRowsWithTheirRecordsAndANewSearchUndoesIt)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    auto* list = Find<QTreeWidget>(&main, "ListView_Companies");
    auto* view = Find<HtmlView>(&main, "Web_Companies");
    auto* search = Find<PictureButton>(&main, "Button_Companies_Search");
    const auto names = [list] {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            texts.append(list->topLevelItem(i)->text(1));
        }
        return texts;
    };
    search->click();
    const QStringList original = names();
    ASSERT_GE(original.size(), 3);

    emit list->header()->sectionClicked(1);
    QStringList ascending = original;
    ascending.sort();
    EXPECT_EQ(names(), ascending);
    emit list->header()->sectionClicked(1);
    EXPECT_EQ(names().front(), ascending.back());

    // The page shown is that of the row picked, wherever the row went.
    list->setCurrentItem(list->topLevelItem(0));
    Find<CompanyPanel>(&main, "Panel_Companies")->ShowSelectedRow();
    EXPECT_TRUE(view->toPlainText().contains(ascending.back()));

    search->click();
    EXPECT_EQ(names(), original);
    main.close();
}

TEST_F(FirstUseTest, ACutOffNameShowsItsWholeTextAsATip)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.show();
    auto* list = Find<QTreeWidget>(&main, "ListView_Companies");
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    const auto tipAt = [list](int row) {
        const QRect cell = list->visualItemRect(list->topLevelItem(row));
        const QPoint at(list->header()->sectionViewportPosition(1) + 5, cell.center().y());
        QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tipAt(0), QString());
    list->topLevelItem(0)->setText(1, QString(80, u'W'));
    EXPECT_EQ(tipAt(0), QString(80, u'W'));
    main.close();
}

} // namespace
} // namespace dorvanta::test
