#pragma once

#include <QAbstractButton>
#include <QIcon>
#include <QPixmap>

namespace dorvanta {

// A flat button that shows nothing but its picture, like the speed buttons of
// the menu bar: no frame of its own, a light highlight under the mouse and a
// one-pixel shift while pressed, so a click is still visible on a picture face.
class PictureButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PictureButton(QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap picture_;
    bool hovered_ = false;
};

// A picture of the program's resources, ":/pictures/<name>"; an empty picture
// of the given size when the resource is missing, so layouts keep their shape.
QPixmap ResourcePicture(const QString& name, QSize fallbackSize = {});

// The icon of a menu item, ":/pictures/menu_NN.png".
QIcon MenuIcon(int number);

} // namespace dorvanta
