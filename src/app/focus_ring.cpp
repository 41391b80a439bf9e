#include "app/focus_ring.h"

#include "app/button_faces.h"
#include "app/panel_parts.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace dorvanta {

// The frame itself: a child of the host, above its other children, letting
// the mouse through.
class FocusRing::Frame : public QWidget
{
public:
    explicit Frame(QWidget* host) : QWidget(host)
    {
        setObjectName(QStringLiteral("FocusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

    void SetColour(const QColor& colour)
    {
        colour_ = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int w = width();
        const int h = height();
        constexpr int k = FocusRing::kWidth;
        painter.fillRect(0, 0, w, k, colour_);
        painter.fillRect(0, h - k, w, k, colour_);
        painter.fillRect(0, 0, k, h, colour_);
        painter.fillRect(w - k, 0, k, h, colour_);
    }

private:
    QColor colour_ = kFocusDark;
};

FocusRing::FocusRing(QObject* parent) : QObject(parent)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
}

FocusRing::~FocusRing()
{
    delete frame_.data();
}

QWidget* FocusRing::Host() const
{
    return frame_ != nullptr && frame_->isVisible() ? host_.data() : nullptr;
}

QWidget* FocusRing::HostOf(QWidget* focused)
{
    // A criteria box lies in a clipping widget inside its frame.
    QWidget* clip = focused->parentWidget();
    QWidget* frame = clip != nullptr ? clip->parentWidget() : nullptr;
    return dynamic_cast<BoxFrame*>(frame) != nullptr ? frame : focused;
}

void FocusRing::Follow(QWidget* focused)
{
    if (host_ != nullptr) {
        host_->removeEventFilter(this);
    }
    // Popups (menus, a drop-down's list) show their current item themselves.
    if (focused == nullptr || (focused->window()->windowType() == Qt::Popup)) {
        host_ = nullptr;
        if (frame_ != nullptr) {
            frame_->hide();
        }
        return;
    }
    host_ = HostOf(focused);
    if (frame_ == nullptr) {
        frame_ = new Frame(host_);
    } else {
        frame_->setParent(host_);
    }
    const bool onBlue = dynamic_cast<PictureButton*>(host_.data()) != nullptr;
    frame_->SetColour(onBlue ? QColor(Qt::white) : kFocusDark);
    frame_->setGeometry(host_->rect());
    frame_->raise();
    frame_->show();
    host_->installEventFilter(this);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == host_ && frame_ != nullptr) {
        if (event->type() == QEvent::Resize) {
            frame_->setGeometry(host_->rect());
        } else if (event->type() == QEvent::ChildAdded) {
            // A child the host made later would cover the frame.
            frame_->raise();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dorvanta
