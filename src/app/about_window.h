#pragma once

#include "data/language.h"

#include <QDialog>

#include <vector>

class QLabel;

namespace dorvanta {

// The about window: the logo, the platform line, the ownership lines, the
// publisher's web and mail addresses (which open in the user's programs) and
// the copying warning. A click anywhere else closes it. The main window creates
// one per request, shows it with exec() and destroys it after.
class TForm_About : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kWebAddress = "http://www.dorvanta.ro";
    static constexpr const char* kMailAddress = "mailto:office@dorvanta.ro";

    explicit TForm_About(QWidget* parent = nullptr, Language language = Language::EN);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* AddLabel(const char* name, int x, int y, const QString& text, int pixelSize, bool bold);
    void Image_LogoClick();
    void Label5Click();
    void Label6Click();

    QLabel* imageLogo_ = nullptr;
    QLabel* label5_ = nullptr;
    QLabel* label6_ = nullptr;
    std::vector<QLabel*> closingLabels_;
};

} // namespace dorvanta
