// Start-up of the window program, in the order the user sees it: the splash
// first and painted at once, then the main window built hidden behind it,
// then the hidden update dialog; the main window appears when the splash
// closes.
#include "app/font_substitutes.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/swallowed.h"
#include "app/update_form.h"
#include "app/update_session.h"
#include "data/settings_store.h"
#include "platform/program_folder.h"
#include "platform/qt_data_folder.h"
#include "platform/user_settings.h"
#include "update/folder_state.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QStyleFactory>
#include <QTreeWidget>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// Started while the program is loaded, before main() and before Qt is set up:
// the start-up figure counts from there (the libraries' own loading is not
// seen by any clock the program has on every system).
const QElapsedTimer& ProcessClock()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return clock;
}
[[maybe_unused]] const QElapsedTimer& kProcessClockStarted = ProcessClock();

double SecondsSinceProcessStart()
{
    return ProcessClock().nsecsElapsed() / 1e9;
}

// `dorvanta --timing`: how long the start-up takes until the main window is
// ready, and a company search until its rows are on screen; then it quits.
int PrintTimings(dorvanta::TForm_Main& mainWindow, double readySeconds)
{
    std::printf("start to main window ready: %.0f ms\n", readySeconds * 1e3);
    mainWindow.show();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    mainWindow.Button_Companies_SearchClick();
    mainWindow.repaint();
    const qint64 searchNs = timer.nsecsElapsed();
    const auto* list = mainWindow.findChild<QTreeWidget*>(QStringLiteral("ListView_Companies"));
    std::printf("company search to rows on screen: %.1f ms (%d rows)\n", searchNs / 1e6,
                list ? list->topLevelItemCount() : -1);
    return 0;
}

// The program's folder: `--dir`, DORVANTA_DIR, the executable's folder when
// it is writable, else the per-user folder filled from the installed files.
// A file that could not be copied is no reason to stop: the window then
// reports a missing file where it needs it.
dorvanta::PreparedProgramFolder ProgramFolder(const QCommandLineParser& parser,
                                              const QCommandLineOption& dirOption,
                                              dorvanta::SettingsStore& userSettings)
{
    const std::filesystem::path executable = dorvanta::ExecutableFolder();
    dorvanta::PreparedProgramFolder prepared = dorvanta::PrepareProgramFolder(
        {std::filesystem::path(parser.value(dirOption).toStdU16String()),
         dorvanta::EnvironmentPath("DORVANTA_DIR"), executable, dorvanta::InstalledCopyFolder(executable),
         dorvanta::QtPerUserDataFolder(), &userSettings});
    for (const std::string& problem : prepared.problems) {
        qWarning("%s", problem.c_str());
    }
    return prepared;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    dorvanta::SetApplicationNames();
    // Desktops match the window to dorvanta.desktop by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("dorvanta"));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("The program's folder, holding the databases, icon/, "
                                                      "Internet/ and Help/."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption timingOption(
        QStringLiteral("timing"), QStringLiteral("Print how long the start and a search take, then quit."));
    parser.addOption(dirOption);
    parser.addOption(timingOption);
    parser.process(application);
    const bool timing = parser.isSet(timingOption);
    // One look on every desktop: the window draws its own chrome and colours.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    dorvanta::InstallFontSubstitutes();

    // The splash speaks the language the window will.
    const std::unique_ptr<dorvanta::SettingsStore> userSettings = dorvanta::OpenUserSettings();
    dorvanta::Language language = dorvanta::Language::EN;
    try {
        language = dorvanta::NormaliseLanguage(
            userSettings->ReadString(dorvanta::kSettingsKey, dorvanta::kLanguageValue)
                .value_or(std::string{}));
    } catch (const dorvanta::SettingsError&) {
        // An unreadable store starts in English, as the window does.
        dorvanta::WarnSwallowed("reading the language for the splash");
    }
    dorvanta::TForm_Splash splash(nullptr, language);
    // Closing the splash must not end the program before the main window shows.
    splash.setAttribute(Qt::WA_QuitOnClose, false);
    splash.ShowAndPaint();

    // A first start copies the installed files behind the splash.
    const dorvanta::PreparedProgramFolder prepared = ProgramFolder(parser, dirOption, *userSettings);
    // Both stores are the program's: the user's settings (language, search
    // options) and the state of the folder's updates, handed to the window
    // and to the update session.
    dorvanta::MainWindowOptions options;
    options.programFolder = QString::fromStdU16String(prepared.folder.u16string());
    options.settings = userSettings.get();
    dorvanta::TForm_Main mainWindow(options);
    // The state of the updates belongs to the folder they change; the
    // per-user folder's is also written to the user's settings.
    dorvanta::FolderStateStore folderState(mainWindow.ProgramFolder(),
                                           prepared.perUser ? userSettings.get() : nullptr);
    // The update session belongs to the program, not to a window: it outlives
    // the update dialog, and stops a running update before the program ends.
    dorvanta::UpdateSession updateSession(mainWindow.ProgramFolder(), folderState);
    dorvanta::TForm_Update updateForm(updateSession);
    updateForm.setAttribute(Qt::WA_QuitOnClose, false);
    mainWindow.SetUpdateSession(&updateSession, &updateForm);
    if (timing) {
        splash.hide();
        return PrintTimings(mainWindow, SecondsSinceProcessStart());
    }

    QObject::connect(&splash, &dorvanta::TForm_Splash::closed, &mainWindow, [&mainWindow] {
        mainWindow.show();
        mainWindow.activateWindow();
    });
    return QApplication::exec();
}
