#include "app/menu_bar.h"

#include "app/button_faces.h"
#include "app/panel_parts.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QWidget>

#include <algorithm>

namespace dorvanta {

namespace {

constexpr const char* kObjectNames[kMenuButtonCount] = {
    "Button_Menu_Companies", "Button_Menu_Companies_Down", "Button_Menu_Internet",
    "SpeedButton5",          "Button_Menu_Update",         "Button_Menu_Insert",
    "Button_Menu_Settings",  "Button_Menu_Help",           "Button_Menu_Mine"};

struct ButtonTexts
{
    const char* english;
    const char* romanian;
    char englishKey; // the Alt letter; 0 for the arrows
    char romanianKey;
};

// What a screen reader says for each button, the faces' own words; the
// letters do not clash with each other or with the criteria labels.
constexpr ButtonTexts kTexts[kMenuButtonCount] = {
    {"Companies", "Companii", 'C', 'C'},
    {"Company domains", "Domeniile companiilor", 0, 0},
    {"Opportunities", "Oportunitati", 'O', 'O'},
    {"Opportunity domains", "Domeniile oportunitatilor", 0, 0},
    {"Update", "Actualizare", 'U', 'U'},
    {"Insert", "Adauga", 'I', 'G'},
    {"Settings", "Setari", 'S', 'S'},
    {"Help", "Ajutor", 'H', 'R'},
    {"My companies", "Firmele mele", 'M', 'M'},
};

// The narrowest bar that holds the seven faces at full width: Help ends at
// 695, "My companies" follows with a gap of at least 4.
constexpr int kRoomyWidth = 800;

bool IsArrow(MenuButton which)
{
    return which == MenuButton::CompaniesDown || which == MenuButton::InternetDown;
}

} // namespace

MenuBar::MenuBar(QWidget& window) : QObject(&window), window_(window)
{
    Panel_Menu = new QWidget(&window);
    Panel_Menu->setObjectName(QStringLiteral("Panel_Menu"));
    Panel_Menu->setFixedHeight(30);
    Panel_Menu->setAutoFillBackground(true);
    QPalette palette = Panel_Menu->palette();
    palette.setColor(QPalette::Window, kBlue);
    Panel_Menu->setPalette(palette);
    Panel_Menu->installEventFilter(this);

    auto* picture = new QLabel(Panel_Menu);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(ResourcePicture(QStringLiteral("menu_bar.jpg")));
    picture->setGeometry(0, 0, 2000, 30);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const QPixmap arrow = ResourcePicture(QStringLiteral("arrow_down.png"), QSize(17, 27));
    for (std::size_t i = 0; i < kMenuButtonCount; ++i) {
        auto* button = new PictureButton(Panel_Menu);
        button->setObjectName(QString::fromLatin1(kObjectNames[i]));
        button->setCursor(Qt::PointingHandCursor);
        button->installEventFilter(this);
        const auto which = static_cast<MenuButton>(i);
        if (IsArrow(which)) {
            button->SetPicture(arrow);
        }
        connect(button, &QAbstractButton::clicked, this,
                [this, which] { emit pressed(which, keyboardPress_); });
        buttons_[i] = button;
    }
    PlaceButtons();
}

QChar MenuBar::ShortcutLetter(MenuButton which, Language language)
{
    const ButtonTexts& texts = kTexts[static_cast<std::size_t>(which)];
    const char letter = language == Language::RO ? texts.romanianKey : texts.englishKey;
    return letter == 0 ? QChar() : QChar::fromLatin1(letter);
}

void MenuBar::ApplyLanguage(Language language, const std::vector<QPixmap>& faces)
{
    for (QShortcut* shortcut : shortcuts_) {
        delete shortcut;
    }
    shortcuts_.clear();
    std::size_t face = 0;
    for (std::size_t i = 0; i < kMenuButtonCount; ++i) {
        const auto which = static_cast<MenuButton>(i);
        PictureButton* button = buttons_[i];
        const ButtonTexts& texts = kTexts[i];
        const QString name = QString::fromLatin1(language == Language::RO ? texts.romanian : texts.english);
        button->setAccessibleName(name);
        const QChar letter = ShortcutLetter(which, language);
        if (letter.isNull()) {
            button->setToolTip(name);
            continue;
        }
        if (face < faces.size()) {
            button->SetPicture(faces[face++]);
        }
        const QKeySequence keys(QStringLiteral("Alt+") + letter);
        button->setToolTip(name + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
                           QLatin1Char(')'));
        auto* shortcut = new QShortcut(keys, &window_);
        shortcut->setObjectName(QStringLiteral("Shortcut_") + button->objectName());
        connect(shortcut, &QShortcut::activated, this, [this, which] { emit shortcutUsed(which); });
        shortcuts_.push_back(shortcut);
    }
}

void MenuBar::FocusFirst()
{
    buttons_.front()->setFocus(Qt::ShortcutFocusReason);
}

bool MenuBar::Roomy() const
{
    return Panel_Menu->width() >= kRoomyWidth;
}

void MenuBar::PlaceButtons()
{
    // Faces 99 pixels wide at 10, 137, 266, 376, 486 and 596, each arrow just
    // right of its face, and "My companies" after Help as far as the bar
    // allows. A window too narrow for that takes the gaps in and narrows the
    // faces (they lose their plain edges first), so every command stays on
    // screen down to the smallest window.
    constexpr int kFaces = 7;
    constexpr int kArrow = 17;
    const int width = Panel_Menu->width();
    const bool roomy = Roomy();
    const int face = roomy ? 99 : std::clamp((width - 10 - 2 * kArrow - 2 - 6 * 3 - 5) / kFaces, 40, 99);
    const int gapAfterArrow[] = {10, 12};
    const int gap = roomy ? 11 : 3;
    int x = 10;
    int arrows = 0;
    for (std::size_t i = 0; i < kMenuButtonCount; ++i) {
        const auto which = static_cast<MenuButton>(i);
        const bool arrow = IsArrow(which);
        if (which == MenuButton::Mine && roomy) {
            x = std::min(x, width - face - 2);
        }
        buttons_[i]->setGeometry(x, 2, arrow ? kArrow : face, 27);
        if (arrow) {
            x += kArrow + (roomy ? gapAfterArrow[arrows++] : gap);
        } else {
            const bool arrowFollows = which == MenuButton::Companies || which == MenuButton::Internet;
            x += face + (arrowFollows ? 1 : gap);
        }
    }
}

bool MenuBar::ButtonKey(PictureButton* button, int key)
{
    const auto at = std::find(buttons_.begin(), buttons_.end(), button);
    const auto index = static_cast<std::size_t>(at - buttons_.begin());
    const std::size_t count = kMenuButtonCount;
    switch (key) {
    case Qt::Key_Left:
        buttons_[(index + count - 1) % count]->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Right:
        buttons_[(index + 1) % count]->setFocus(Qt::TabFocusReason);
        return true;
    case Qt::Key_Escape:
        emit left();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        // Down on a face with an arrow beside it opens the arrow's popup.
        const auto which = static_cast<MenuButton>(index);
        PictureButton* target = button;
        if (key == Qt::Key_Down && which == MenuButton::Companies) {
            target = Button(MenuButton::CompaniesDown);
        } else if (key == Qt::Key_Down && which == MenuButton::Internet) {
            target = Button(MenuButton::InternetDown);
        }
        keyboardPress_ = true;
        target->click();
        keyboardPress_ = false;
        return true;
    }
    default:
        return false;
    }
}

bool MenuBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel_Menu) {
        if (event->type() == QEvent::Resize) {
            PlaceButtons();
        }
        return false;
    }
    auto* button = qobject_cast<PictureButton*>(watched);
    if (button == nullptr) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            return ButtonKey(button, key->key());
        }
    } else if (event->type() == QEvent::KeyRelease) {
        // The press did it all; the button must not click again on release.
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Space;
    }
    return false;
}

} // namespace dorvanta
