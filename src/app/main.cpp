// Start-up of the window program, in the order the user sees it: the splash
// first and painted at once, then the main window built hidden behind it,
// then the hidden update dialog; the main window appears when the splash
// closes.
#include "app/font_substitutes.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/update_form.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dorvanta"));
    QApplication::setOrganizationName(QStringLiteral("Dorvanta"));
    // One look on every desktop: the window draws its own chrome and colours.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    dorvanta::InstallFontSubstitutes();

    dorvanta::TForm_Splash splash;
    // Closing the splash must not end the program before the main window shows.
    splash.setAttribute(Qt::WA_QuitOnClose, false);
    splash.ShowAndPaint();

    dorvanta::TForm_Main mainWindow;
    dorvanta::TForm_Update updateForm(mainWindow);
    updateForm.setAttribute(Qt::WA_QuitOnClose, false);
    mainWindow.SetUpdateForm(&updateForm);

    QObject::connect(&splash, &dorvanta::TForm_Splash::closed, &mainWindow, [&mainWindow] {
        mainWindow.show();
        mainWindow.activateWindow();
    });
    return QApplication::exec();
}
