#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace dorvanta {

// Shows where the keyboard is, in every window of the program: a frame two
// pixels wide just inside the edge of the control that has the focus (of the
// olive frame a criteria box sits in), dark on the light surfaces and white on
// the blue picture buttons, so it reads at 3:1 against what it covers. Styles
// draw focus faintly or not at all, and the boxes clip their own away.
class FocusRing : public QObject
{
    Q_OBJECT

public:
    static constexpr int kWidth = 2;

    explicit FocusRing(QObject* parent = nullptr);
    ~FocusRing() override;

    // The widget the frame is drawn on (the focused control, or the frame it
    // sits in); null while nothing of ours has the focus.
    QWidget* Host() const;

    // The focused control's host: the box frame around a criteria box, else the control.
    static QWidget* HostOf(QWidget* focused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow(QWidget* focused);

    class Frame;
    QPointer<Frame> frame_;
    QPointer<QWidget> host_;
};

} // namespace dorvanta
