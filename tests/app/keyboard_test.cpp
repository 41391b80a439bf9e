// The window with the keyboard alone and through a screen reader's eyes:
// every stop of Tab has a name in the language and a role, no two shortcuts
// clash, the commands answer their keys, and the focus always shows.

#include "app/app_test_support.h"

#include "app/focus_ring.h"
#include "app/html_view.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTest>
#include <QTreeWidget>

#include <cmath>
#include <map>
#include <set>

namespace dorvanta::test {
namespace {

using KeyboardTest = WindowTest;

struct Stop
{
    QString name;
    QAccessible::Role role;
    bool operator==(const Stop&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Stop& stop)
{
    return out << stop.name.toStdString() << " (role " << stop.role << ")";
}

// What a screen reader says a control is: a drop-down by its label (on
// Linux its own name is its value), anything else by its name.
QString Heard(QWidget* control)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    const auto labels = accessible->relations(QAccessible::Label);
    return labels.isEmpty() ? accessible->text(QAccessible::Name)
                            : labels.front().first->text(QAccessible::Name);
}

void ShowActive(TForm_Main& main)
{
    main.show();
    QApplication::setActiveWindow(&main);
}

// Tabs from a panel's search box once round the window.
std::vector<QWidget*> TabRound(TForm_Main& main, const char* startName = "Edit_Companies_Company")
{
    QWidget* start = Find<QLineEdit>(&main, startName);
    start->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> stops{start};
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start) {
            break;
        }
        stops.push_back(QApplication::focusWidget());
    }
    return stops;
}

double Luminance(QRgb colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
           0.0722 * channel(qBlue(colour));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(KeyboardTest, EveryTabStopHasANameInTheLanguageAndARole)
{
    using R = QAccessible::Role;
    const std::map<Language, std::vector<Stop>> expected = {
        {Language::EN,
         {{"Company", R::EditableText},
          {"Domain", R::ComboBox},
          {"Section", R::ComboBox},
          {"County", R::ComboBox},
          {"Type", R::ComboBox},
          {"Advanced", R::CheckBox},
          {"Search", R::Button},
          {"Companies found", R::Tree},
          {"Company profile", R::StaticText},
          {"Minimize", R::Button},
          {"Maximize", R::Button},
          {"Close", R::Button},
          {"Companies", R::Button},
          {"Company domains", R::Button},
          {"Opportunities", R::Button},
          {"Opportunity domains", R::Button},
          {"Update", R::Button},
          {"Insert", R::Button},
          {"Settings", R::Button},
          {"Help", R::Button},
          {"My companies", R::Button}}},
        {Language::RO,
         {{"Companie", R::EditableText},
          {"Domeniu", R::ComboBox},
          {"Sectiune", R::ComboBox},
          {"Judet", R::ComboBox},
          {"Tip", R::ComboBox},
          {"Avansat", R::CheckBox},
          {"Cauta", R::Button},
          {"Companii gasite", R::Tree},
          {"Profilul companiei", R::StaticText},
          {"Minimizeaza", R::Button},
          {"Maximizeaza", R::Button},
          {"Inchide", R::Button},
          {"Companii", R::Button},
          {"Domeniile companiilor", R::Button},
          {"Oportunitati", R::Button},
          {"Domeniile oportunitatilor", R::Button},
          {"Actualizare", R::Button},
          {"Adauga", R::Button},
          {"Setari", R::Button},
          {"Ajutor", R::Button},
          {"Firmele mele", R::Button}}},
    };
    const std::map<Language, std::vector<Stop>> expectedAds = {
        {Language::EN,
         {{"Keywords", R::EditableText},
          {"Domain", R::ComboBox},
          {"County", R::ComboBox},
          {"Type", R::ComboBox},
          {"Date", R::ComboBox},
          {"Search", R::Button},
          {"Opportunities found", R::Tree}}},
        {Language::RO,
         {{"Cuvant", R::EditableText},
          {"Domeniu", R::ComboBox},
          {"Judet", R::ComboBox},
          {"Tip", R::ComboBox},
          {"Data", R::ComboBox},
          {"Cauta", R::Button},
          {"Oportunitati gasite", R::Tree}}},
    };
    for (const auto& [language, stops] : expected) {
        Program program(folder_, SettingsFile());
        TForm_Main& main = *program.main;
        main.ApplyLanguage(language);
        ShowActive(main);
        std::vector<Stop> heard;
        for (QWidget* stop : TabRound(main)) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(stop);
            ASSERT_NE(accessible, nullptr);
            heard.push_back({Heard(stop), accessible->role()});
        }
        EXPECT_EQ(heard, stops);

        // The opportunity panel's boxes are named by their labels too.
        Find<PictureButton>(&main, "Button_Menu_Internet")->click();
        const QString keywords = language == Language::EN ? "Keywords" : "Cuvant";
        EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QLineEdit>(&main, "Edit_Internet_Company"))
                      ->text(QAccessible::Name),
                  keywords);
        std::vector<Stop> adStops;
        for (QWidget* stop : TabRound(main, "Edit_Internet_Company")) {
            adStops.push_back({Heard(stop), QAccessible::queryAccessibleInterface(stop)->role()});
        }
        adStops.resize(std::min<std::size_t>(adStops.size(), 7));
        EXPECT_EQ(adStops, expectedAds.at(language));
    }
}

TEST_F(KeyboardTest, NoTwoShortcutsOfTheVisibleWindowOrOfAPopupClash)
{
    for (const Language language : {Language::EN, Language::RO}) {
        Program program(folder_, SettingsFile());
        TForm_Main& main = *program.main;
        main.ApplyLanguage(language);
        ShowActive(main);
        // The company panel with and without its advanced criteria.
        for (const char* panel :
             {"Button_Menu_Companies", "Button_Menu_Internet", "Button_Menu_Mine", "Advanced"}) {
            if (std::string_view(panel) == "Advanced") {
                Find<PictureButton>(&main, "Button_Menu_Companies")->click();
                Find<QCheckBox>(&main, "CheckBox_Companies_Advanced")->setChecked(true);
            } else {
                Find<PictureButton>(&main, panel)->click();
            }
            std::multiset<QKeySequence> keys;
            for (const QShortcut* shortcut : main.findChildren<QShortcut*>()) {
                const auto* owner = qobject_cast<const QWidget*>(shortcut->parent());
                if (shortcut->isEnabled() && owner != nullptr && owner->isVisible()) {
                    keys.insert(shortcut->key());
                }
            }
            for (const QLabel* label : main.findChildren<QLabel*>()) {
                if (label->isVisible() && label->buddy() != nullptr) {
                    keys.insert(QKeySequence::mnemonic(label->text()));
                }
            }
            for (const QAbstractButton* button : main.findChildren<QAbstractButton*>()) {
                const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
                if (button->isVisible() && !mnemonic.isEmpty()) {
                    keys.insert(mnemonic);
                }
            }
            for (const QAction* action : main.actions()) {
                keys.insert(action->shortcut());
            }
            EXPECT_GE(keys.size(), 14u);
            for (const QKeySequence& key : keys) {
                EXPECT_EQ(keys.count(key), 1u) << key.toString().toStdString() << " in " << panel;
            }
        }
        // Every item of every popup has a mnemonic, of its own within its
        // menu unless the menu has more items than letters.
        for (const QMenu* menu : main.findChildren<QMenu*>()) {
            std::set<QChar> letters;
            std::size_t items = 0;
            for (const QAction* item : menu->actions()) {
                if (!item->isSeparator()) {
                    ++items;
                    const QChar letter = MnemonicOf(item->text());
                    EXPECT_FALSE(letter.isNull()) << item->text().toStdString();
                    letters.insert(letter);
                }
            }
            if (items <= 12) {
                EXPECT_EQ(letters.size(), items) << menu->objectName().toStdString();
            }
        }
    }
}

TEST_F(KeyboardTest, TheCommandsAnswerTheirKeys)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    main.ApplyLanguage(Language::RO);
    ShowActive(main);

    // F10 reaches the menu bar; Left and Right move along it, round the ends.
    QTest::keyClick(&main, Qt::Key_F10);
    EXPECT_EQ(QApplication::focusWidget(), Find<PictureButton>(&main, "Button_Menu_Companies"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), Find<PictureButton>(&main, "Button_Menu_Mine"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), Find<PictureButton>(&main, "Button_Menu_Companies_Down"));
    // Enter opens the popup with its first item active.
    QMenu* domains = Find<QMenu>(&main, "Popup_Companies_Down");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(domains->isVisible());
    EXPECT_EQ(domains->activeAction(), domains->actions().front());
    domains->hide();

    // Alt and the Romanian letter: G opens "Adauga"; O brings the ads with the keyboard in them.
    QTest::keyClick(&main, Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(Find<QMenu>(&main, "Popup_Insert")->isVisible());
    Find<QMenu>(&main, "Popup_Insert")->hide();
    QTest::keyClick(&main, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(main.PanelInFront(), Find<QWidget>(&main, "Panel_Internet"));
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(&main, "Edit_Internet_Company"));
    QTest::keyClick(&main, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(&main, "Edit_Companies_Company"));

    // Enter in a drop-down searches; the count goes with the list.
    QTreeWidget* list = Find<QTreeWidget>(&main, "ListView_Companies");
    QComboBox* type = Find<QComboBox>(&main, "ComboBox_Companies_Type");
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Return);
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_TRUE(list->accessibleDescription().contains(QLatin1String("4")))
        << list->accessibleDescription().toStdString();
    // A type cell reads its word, not its letter.
    EXPECT_NE(list->topLevelItem(0)->data(0, Qt::AccessibleTextRole).toString().size(), 1);

    // Ctrl+2 sorts by name, again in reverse; Ctrl+1 by type.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Alfa Asigurari"));
    QTest::keyClick(list, Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Gama Banci"));
    QTest::keyClick(list, Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(list->header()->sortIndicatorSection(), 0);
    EXPECT_FALSE(list->header()->toolTip().isEmpty());

    // The page zooms with Ctrl++ and Ctrl+-.
    HtmlView* view = Find<HtmlView>(&main, "Web_Companies");
    const double size = view->font().pointSizeF();
    QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(view->font().pointSizeF(), size);
    QTest::keyClick(view, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(view->font().pointSizeF(), size);
    EXPECT_TRUE(view->textInteractionFlags() & Qt::TextSelectableByKeyboard);

    // F1 opens the help.
    QTest::keyClick(&main, Qt::Key_F1);
    EXPECT_EQ(main.CurrentView(), 3);
}

TEST_F(KeyboardTest, TheFocusShowsAsAFrameOfTwoPixelsAtThreeToOne)
{
    Program program(folder_, SettingsFile());
    TForm_Main& main = *program.main;
    ShowActive(main);
    Find<PictureButton>(&main, "Button_Companies_Search")->click();
    for (QWidget* stop : TabRound(main)) {
        stop->setFocus(Qt::TabFocusReason);
        QWidget* host = FocusRing::HostOf(stop);
        const QImage focused = host->grab().toImage();
        stop->clearFocus();
        const QImage plain = host->grab().toImage();
        ASSERT_EQ(focused.size(), plain.size());
        const int w = focused.width();
        const int h = focused.height();
        // From the middle of each side inwards: at least two pixels change at 3:1.
        const QPoint starts[] = {{w / 2, 0}, {w / 2, h - 1}, {0, h / 2}, {w - 1, h / 2}};
        const QPoint steps[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
        for (int side = 0; side < 4; ++side) {
            int strong = 0;
            for (int depth = 0; depth < 4; ++depth) {
                const QPoint at = starts[side] + steps[side] * depth;
                strong += Contrast(focused.pixel(at), plain.pixel(at)) >= 3.0 ? 1 : 0;
            }
            EXPECT_GE(strong, 2) << stop->objectName().toStdString() << " side " << side;
        }
    }
}

TEST_F(KeyboardTest, AtTwentyPointsNothingIsCut)
{
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSizeF(20);
    QApplication::setFont(large);
    {
        Program program(folder_, SettingsFile());
        TForm_Main& main = *program.main;
        main.resize(1600, 1000);
        main.show();
        QApplication::processEvents();
        if (!qEnvironmentVariableIsEmpty("DORVANTA_SHOW_LARGE")) {
            main.grab().save(qEnvironmentVariable("DORVANTA_SHOW_LARGE"));
        }
        auto* box = Find<QLineEdit>(&main, "Edit_Companies_Company");
        const QFontMetrics metrics(box->font());
        EXPECT_GE(metrics.height(), 25); // the window's text did grow
        EXPECT_GE(box->height(), metrics.height());
        EXPECT_GE(box->width(), metrics.horizontalAdvance(box->text()) + 4);
        auto* header = Find<QLabel>(&main, "Panel_Companies_Search");
        EXPECT_GE(header->height(), header->fontMetrics().height());
        auto* list = Find<QTreeWidget>(&main, "ListView_Companies");
        EXPECT_GE(list->header()->sectionSize(0), list->header()->fontMetrics().horizontalAdvance("Type"));
        for (const char* name : {"Label_Companies_Company", "Label_Companies_SubDomain", "Label_Status"}) {
            auto* label = Find<QLabel>(&main, name);
            EXPECT_GE(label->height(), label->fontMetrics().height()) << name;
        }
        EXPECT_GE(main.minimumWidth(), 600);
        EXPECT_GT(Find<HtmlView>(&main, "Web_Companies")->font().pointSizeF(), 12.0);
    }
    QApplication::setFont(usual);
}

} // namespace
} // namespace dorvanta::test
