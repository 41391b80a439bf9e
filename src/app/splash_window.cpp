#include "app/splash_window.h"

#include "app/button_faces.h"
#include "app/font_substitutes.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>

namespace dorvanta {

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 200;
constexpr int kTickMilliseconds = 1000;

} // namespace

TForm_Splash::TForm_Splash(QWidget* parent, Language language)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    InstallFontSubstitutes();
    setObjectName(QStringLiteral("Form_Splash"));
    setFixedSize(kWidth, kHeight);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(222, 223, 222));
    setPalette(colours);
    setAutoFillBackground(true);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(13);
    setFont(font);

    imageAbout_ = new QLabel(this);
    imageAbout_->setObjectName(QStringLiteral("Image_About"));
    imageAbout_->setGeometry(0, 0, kWidth, kHeight);
    imageAbout_->setScaledContents(true);
    imageAbout_->setPixmap(ResourcePicture(language == Language::RO ? QStringLiteral("splash_RO.jpg")
                                                                    : QStringLiteral("splash.jpg")));
    imageAbout_->installEventFilter(this);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    }

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kTickMilliseconds);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, &TForm_Splash::Timer1Timer);
    timer1_->start();
}

void TForm_Splash::ShowAndPaint()
{
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TForm_Splash::Timer1Timer()
{
    close();
}

void TForm_Splash::Image_AboutClick()
{
    close();
}

bool TForm_Splash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imageAbout_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Image_AboutClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm_Splash::closeEvent(QCloseEvent* event)
{
    timer1_->stop();
    QWidget::closeEvent(event);
    if (!closedOnce_) {
        closedOnce_ = true;
        emit closed();
    }
}

} // namespace dorvanta
