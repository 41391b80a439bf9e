#pragma once

#include "data/language.h"

#include <QWidget>

class QLabel;
class QTimer;

namespace dorvanta {

// The picture window that covers the start-up. It closes (hides) itself one
// second after its creation, or at once on a click on the picture, and then
// emits closed(): the start-up shows the main window on that signal.
class TForm_Splash : public QWidget
{
    Q_OBJECT

public:
    // The picture's words are in `language`.
    explicit TForm_Splash(QWidget* parent = nullptr, Language language = Language::EN);

    // Shows the window and paints it at once, before the main window is built
    // and before the event loop runs.
    void ShowAndPaint();

    QLabel* Image_About() const { return imageAbout_; }
    QTimer* Timer1() const { return timer1_; }

signals:
    // Emitted once, the first time the window closes.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Timer1Timer();
    void Image_AboutClick();

    QLabel* imageAbout_ = nullptr;
    QTimer* timer1_ = nullptr;
    bool closedOnce_ = false;
};

} // namespace dorvanta
