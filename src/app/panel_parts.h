#pragma once

#include "data/language.h"

#include <QColor>
#include <QWidget>

#include <filesystem>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSplitter;
class QTreeWidget;
class QVBoxLayout;

namespace dorvanta {

class HtmlView;
class PictureButton;

// The window's colours. White text on the blue, the olive and the selected
// row reads at 4.5:1 at least.
inline const QColor kBlue(42, 92, 208);
inline const QColor kBackground(222, 223, 222);
inline const QColor kOlive(110, 110, 55);
inline const QColor kSelection(42, 114, 170);
// The keyboard's place: a frame this dark shows at 3:1 on every light
// surface of the window; on the blue pictures it is drawn white.
inline const QColor kFocusDark(10, 20, 48);
inline const QColor kBoxFill(201, 196, 186);
inline const QColor kGrey(112, 112, 112);

inline constexpr int kClientWidth = 800;
inline constexpr int kClientHeight = 578;

// How much larger than the 9 points the window was drawn for the desktop's
// font is; 1 at the usual size and below. Text heights, the page's font and
// the window's minimum size grow by it.
double FontScale();

// A solid strip used for the bars and lines that frame the lists and pages.
QWidget* Strip(QWidget* parent, const QColor& colour, int width, int height);

// The olive frame every criteria box sits in. A drop-down list is placed past
// the frame's inner area on every side, so its own sunken border is clipped
// away and only the one-pixel olive line shows; since that also clips away
// the style's focus frame, the frame itself shows where the keyboard is.
class BoxFrame : public QWidget
{
public:
    BoxFrame(QWidget* control, bool clipBorder, QWidget* parent);
    bool ShowsFocus() const { return focused_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* clip_;
    QWidget* control_;
    bool clipBorder_;
    bool focused_ = false;
};

QLineEdit* MakeEdit(const char* name, QWidget* parent);
QComboBox* MakeCombo(const char* name, QWidget* parent);
QLabel* MakeLabel(const char* name, QWidget* parent);
// The olive header above a panel's criteria.
QLabel* MakeHeader(const char* name, QWidget* parent);
QTreeWidget* MakeResultList(const char* name, QWidget* parent);
// A page view with the object name given.
HtmlView* MakeView(const char* name, QWidget* parent);

// Chooses a box's first item without running its change handler: only a
// choice by the user does that.
void ChooseFirst(QComboBox* box);
// The first entry of a drop-down list, "All" in the language; the window
// knows it by its position, never by its text.
void SetAllEntry(QComboBox* box, Language language);

// What both search panels are made of: a splitter holding the criteria column
// (header, labelled boxes, search button, result list) and the page view.
struct SearchPanelParts
{
    SearchPanelParts(QWidget* panel, const char* splitterName, const char* leftName);

    void AddRow(QLabel* label, QLineEdit* edit);
    void AddRow(QLabel* label, QComboBox* box);
    // A labelled row of the criteria, both made here with their names.
    QLineEdit* AddEditRow(const char* labelName, const char* editName, QLabel*& label);
    QComboBox* AddComboRow(const char* labelName, const char* comboName, QLabel*& label);
    PictureButton* AddSearchButton(const char* name);
    void Finish(QTreeWidget* list, HtmlView* view);

    QWidget* panel;
    QSplitter* splitter = nullptr;
    QWidget* left = nullptr;
    QLabel* header = nullptr;
    QWidget* criteria = nullptr;
    // Holds the criteria: with a large font they scroll rather than being cut.
    QScrollArea* criteriaArea = nullptr;
    QVBoxLayout* column = nullptr;
    QGridLayout* grid = nullptr;
    int rows = 0;
    // Controls the panel keeps above and below its page, if any.
    QWidget* pageAbove = nullptr;
    QWidget* pageBelow = nullptr;
};

} // namespace dorvanta
