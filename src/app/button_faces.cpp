#include "app/button_faces.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>

namespace dorvanta {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent)
{
    // Every picture button is a Tab stop: a command the mouse reaches the
    // keyboard reaches too.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    // Enter presses it as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
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
        // Only the plain edges may go: a face much wider than its button (nine
        // on the bar of the smallest window) is drawn smaller instead, so its
        // words stay whole.
        constexpr int kPlainEdges = 10;
        QSizeF size = picture_.deviceIndependentSize();
        if (size.width() > width() + kPlainEdges) {
            size *= (width() + kPlainEdges) / size.width();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
        }
        const QRectF target(
            QPointF((width() - size.width()) / 2 + shift, (height() - size.height()) / 2 + shift), size);
        painter.drawPixmap(target, picture_, QRectF(picture_.rect()));
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
    // On a screen at 150 % or more the picture drawn at twice the size, where
    // there is one, so faces and captions stay sharp.
    if (qApp != nullptr && qApp->devicePixelRatio() > 1.25) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        QPixmap sharp(QStringLiteral(":/pictures/") + name.left(dot) + QStringLiteral("@2x") + name.mid(dot));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    QPixmap picture(QStringLiteral(":/pictures/") + name);
    if (picture.isNull() && fallbackSize.isValid()) {
        picture = QPixmap(fallbackSize);
        picture.fill(Qt::transparent);
    }
    return picture;
}

QIcon MenuIcon(int number)
{
    return QIcon(ResourcePicture(QStringLiteral("menu_%1.png").arg(number, 2, 10, QLatin1Char('0'))));
}

} // namespace dorvanta
