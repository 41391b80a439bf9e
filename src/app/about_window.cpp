#include "app/about_window.h"

#include "app/button_faces.h"
#include "app/external_open.h"
#include "app/font_substitutes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include <algorithm>
#include <span>

namespace dorvanta {

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 282;
constexpr int kTextPixels = 11;

struct TextLine
{
    const char* name;
    int x;
    int y;
    const char* text;
};

// The ownership notice, bold.
constexpr TextLine kOwnership[] = {
    {"Label2", 192, 71, "Dorvanta Romania"},
    {"Label3", 180, 88, "Copyright (c) 2026"},
    {"Label4", 209, 105, "Dorvanta SRL"},
};

// The copying warning, one label per line, top to bottom.
constexpr TextLine kWarningRomanian[] = {
    {"Label7", 127, 193, "Atentie: acest program si bazele sale"},
    {"Label8", 127, 205, "de date sunt protejate de legea dreptului"},
    {"Label9", 127, 217, "de autor. Copierea, vanzarea sau"},
    {"Label11", 127, 229, "distribuirea lor, integrala sau partiala,"},
    {"Label12", 127, 241, "fara acordul scris al Dorvanta SRL este"},
    {"Label10", 127, 253, "interzisa si se pedepseste conform legii."},
};
constexpr TextLine kWarning[] = {
    {"Label7", 127, 193, "Warning: this program and its databases"},
    {"Label8", 127, 205, "are protected by copyright law. Copying,"},
    {"Label9", 127, 217, "selling or distributing them, in whole or"},
    {"Label11", 127, 229, "in part, without the written consent of"},
    {"Label12", 127, 241, "Dorvanta SRL is forbidden and will be"},
    {"Label10", 127, 253, "prosecuted to the full extent of the law."},
};

} // namespace

TForm_About::TForm_About(QWidget* parent, Language language)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    const bool romanian = language == Language::RO;
    InstallFontSubstitutes();
    setObjectName(QStringLiteral("Form_About"));
    setWindowTitle(romanian ? QStringLiteral("Despre Dorvanta") : QStringLiteral("About Dorvanta"));
    setFixedSize(kWidth, kHeight);

    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(kTextPixels);
    setFont(font);

    imageLogo_ = new QLabel(this);
    imageLogo_->setObjectName(QStringLiteral("Image_Logo"));
    // Larger than the window on purpose: the window shows its top-left part.
    imageLogo_->setGeometry(-1, 0, 509, 356);
    imageLogo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imageLogo_->setPixmap(ResourcePicture(QStringLiteral("logo.jpg")));
    imageLogo_->installEventFilter(this);

    closingLabels_.push_back(AddLabel("Label1", 170, 43,
                                      romanian ? QStringLiteral("Pentru Linux si Windows")
                                               : QStringLiteral("For Linux and Windows"),
                                      13, false));
    for (const TextLine& line : kOwnership) {
        closingLabels_.push_back(
            AddLabel(line.name, line.x, line.y, QString::fromLatin1(line.text), kTextPixels, true));
    }

    label5_ = AddLabel("Label5", 165, 137, QStringLiteral("www.dorvanta.ro"), kTextPixels, true);
    QFont underlined = label5_->font();
    underlined.setUnderline(true);
    label5_->setFont(underlined);
    label5_->adjustSize();
    label6_ = AddLabel("Label6", 182, 155, QStringLiteral("office@dorvanta.ro"), kTextPixels, true);
    for (QLabel* address : {label5_, label6_}) {
        address->setCursor(Qt::PointingHandCursor);
        // The addresses are links the keyboard reaches too: Tab, then Enter or Space.
        address->setFocusPolicy(Qt::StrongFocus);
        address->setAccessibleName(address->text());
        address->setAccessibleDescription(romanian ? QStringLiteral("Legatura") : QStringLiteral("Link"));
    }

    for (const TextLine& line : romanian ? std::span(kWarningRomanian) : std::span(kWarning)) {
        closingLabels_.push_back(
            AddLabel(line.name, line.x, line.y, QString::fromLatin1(line.text), kTextPixels, false));
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    }
}

QLabel* TForm_About::AddLabel(const char* name, int x, int y, const QString& text, int pixelSize, bool bold)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    // Transparent over the logo: no background of its own.
    label->setAutoFillBackground(false);
    QFont font = this->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->move(x, y);
    label->adjustSize();
    label->installEventFilter(this);
    return label;
}

void TForm_About::Image_LogoClick()
{
    accept();
}

void TForm_About::Label5Click()
{
    OpenExternally(QUrl(QString::fromLatin1(kWebAddress)));
}

void TForm_About::Label6Click()
{
    OpenExternally(QUrl(QString::fromLatin1(kMailAddress)));
}

bool TForm_About::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == label5_ || watched == label6_)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            watched == label5_ ? Label5Click() : Label6Click();
            return true;
        }
    }
    if (event->type() != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return QDialog::eventFilter(watched, event);
    }
    if (watched == label5_) {
        Label5Click();
        return true;
    }
    if (watched == label6_) {
        Label6Click();
        return true;
    }
    if (watched == imageLogo_ ||
        std::find(closingLabels_.begin(), closingLabels_.end(), watched) != closingLabels_.end()) {
        Image_LogoClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dorvanta
