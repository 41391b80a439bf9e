#pragma once

#include <QApplication>
#include <QString>
#include <QtGlobal>

#include <ostream>

namespace dorvanta::test {

// The one QApplication of the window tests, made on first use (GoogleTest's own
// main() runs the tests). Without a display named, the tests draw off screen.
inline QApplication& EnsureApplication()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at the end of the process Qt's own statics are gone
    // before a static QApplication would be, and its destructor then crashes.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

} // namespace dorvanta::test

// GoogleTest prints a QString in a failure message as its text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
