#pragma once

#include "data/language.h"

#include <QObject>
#include <QPixmap>

#include <array>
#include <vector>

class QShortcut;
class QWidget;

namespace dorvanta {

class PictureButton;

// The nine buttons of the menu bar, left to right.
enum class MenuButton
{
    Companies,
    CompaniesDown,
    Internet,
    InternetDown,
    Update,
    Insert,
    Settings,
    Help,
    Mine
};

inline constexpr std::size_t kMenuButtonCount = 9;

// The blue menu bar under the title bar: its picture buttons, where they sit
// however wide the window, and how the keyboard reaches them. Every button is
// a Tab stop; F10 goes to the first; Left and Right move along the bar;
// Enter, Space and Down press a button (a face with an arrow beside it opens
// the arrow's popup on Down); each face has an Alt shortcut of its language.
class MenuBar : public QObject
{
    Q_OBJECT

public:
    explicit MenuBar(QWidget& window);

    QWidget* Widget() const { return Panel_Menu; }
    PictureButton* Button(MenuButton which) const { return buttons_[static_cast<std::size_t>(which)]; }
    const std::array<PictureButton*, kMenuButtonCount>& Buttons() const { return buttons_; }

    // The faces (Companies ... Help and My companies, seven pictures), names,
    // tooltips and Alt shortcuts of a language.
    void ApplyLanguage(Language language, const std::vector<QPixmap>& faces);
    // F10: the keyboard goes to the first button.
    void FocusFirst();
    // Whether the bar is wide enough for the six first faces at their usual
    // places (the popups then open at theirs); otherwise the faces narrow and
    // a popup opens below its button.
    bool Roomy() const;
    // The Alt letter of a face in a language (for the tooltips and the README's table).
    static QChar ShortcutLetter(MenuButton which, Language language);

signals:
    // A button was pressed; `byKeyboard` when the keyboard did it, so a popup
    // opens with its first item active.
    void pressed(MenuButton which, bool byKeyboard);
    // Alt and a face's letter: Companies, Opportunities and My companies bring
    // their panel to the front with the keyboard in it; the others open their popup.
    void shortcutUsed(MenuButton which);
    // Escape on the bar: the keyboard goes back to the panel in front.
    void left();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceButtons();
    bool ButtonKey(PictureButton* button, int key);

    QWidget& window_;
    QWidget* Panel_Menu = nullptr;
    std::array<PictureButton*, kMenuButtonCount> buttons_{};
    std::vector<QShortcut*> shortcuts_;
    bool keyboardPress_ = false;
};

} // namespace dorvanta
