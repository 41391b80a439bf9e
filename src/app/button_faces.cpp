#include "app/button_faces.h"

#include <QEnterEvent>
#include <QPainter>

namespace dorvanta {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void PictureButton::SetPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

QSize PictureButton::sizeHint() const
{
    return picture_.isNull() ? QSize(17, 17) : picture_.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int shift = isDown() ? 1 : 0;
    if (!picture_.isNull()) {
        // Centred, so a face a pixel or two larger than its button loses its
        // edges evenly instead of on one side.
        const QSize size = picture_.deviceIndependentSize().toSize();
        const QPoint origin((width() - size.width()) / 2 + shift, (height() - size.height()) / 2 + shift);
        painter.drawPixmap(origin, picture_);
    }
    if (!isEnabled()) {
        painter.fillRect(rect(), QColor(222, 223, 222, 140));
    } else if (hovered_ || isDown()) {
        painter.fillRect(rect(), QColor(255, 255, 255, isDown() ? 70 : 45));
    }
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

QPixmap ResourcePicture(const QString& name, QSize fallbackSize)
{
    QPixmap picture(QStringLiteral(":/pictures/") + name);
    if (picture.isNull() && fallbackSize.isValid()) {
        picture = QPixmap(fallbackSize);
        picture.fill(Qt::transparent);
    }
    return picture;
}

} // namespace dorvanta
