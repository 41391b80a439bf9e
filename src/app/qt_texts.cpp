#include "app/qt_texts.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstring>
#include <memory>

namespace dorvanta {

namespace {

struct QtText
{
    const char* context; // nullptr: any context
    const char* source;
    const char* romanian;
};

// The mnemonics of one menu never clash: Anuleaza, Refa, Taie, Copiaza,
// Lipeste, Sterge, Selecteaza tot.
constexpr QtText kTexts[] = {
    {nullptr, "&Undo", "&Anuleaza"},
    {nullptr, "&Redo", "&Refa"},
    {nullptr, "Cu&t", "&Taie"},
    {nullptr, "&Copy", "&Copiaza"},
    {nullptr, "&Paste", "&Lipeste"},
    {nullptr, "Delete", "Sterge"},
    {nullptr, "Select All", "Selecteaza t&ot"},
    {"QWidgetTextControl", "Copy &Link Location", "Copiaza adresa &legaturii"},
    // The buttons of message boxes (QPlatformTheme) and of the file dialog.
    {nullptr, "Cancel", "Renunta"},
    {nullptr, "&Yes", "&Da"},
    {nullptr, "&No", "&Nu"},
    {nullptr, "Save", "Salveaza"},
    {nullptr, "&Save", "&Salveaza"},
    {nullptr, "Open", "Deschide"},
    {nullptr, "&Open", "&Deschide"},
    {nullptr, "&Choose", "&Alege"},
    {"QFileDialog", "Look in:", "Cauta in:"},
    {"QFileDialog", "File &name:", "&Nume fisier:"},
    {"QFileDialog", "Files of type:", "Fisiere de tipul:"},
    {"QFileDialog", "Back", "Inapoi"},
    {"QFileDialog", "Forward", "Inainte"},
    {"QFileDialog", "Parent Directory", "Dosarul parinte"},
    {"QFileDialog", "Create New Folder", "Dosar nou"},
    {"QFileDialog", "List View", "Lista"},
    {"QFileDialog", "Detail View", "Detalii"},
    {"QFileDialog", "New Folder", "Dosar nou"},
    {"QFileDialog", "&New Folder", "Dosar &nou"},
    {"QFileDialog", "&Delete", "&Sterge"},
    {"QFileDialog", "&Rename", "&Redenumeste"},
    {"QFileDialog", "Show &hidden files", "Arata fisierele &ascunse"},
    {"QFileDialog", "My Computer", "Calculatorul meu"},
    {"QFileDialog", "Computer", "Calculator"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?",
     "%1 exista deja.\nDoriti sa il inlocuiti?"},
    {"QFileSystemModel", "Name", "Nume"},
    {"QFileSystemModel", "Size", "Marime"},
    {"QFileSystemModel", "Type", "Tip"},
    {"QFileSystemModel", "Date Modified", "Data modificarii"},
};

class RomanianTranslator final : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        return RomanianQtText(context, source);
    }
};

std::unique_ptr<RomanianTranslator>& Installed()
{
    static std::unique_ptr<RomanianTranslator> translator;
    return translator;
}

} // namespace

QString RomanianQtText(const char* context, const char* source)
{
    if (source == nullptr) {
        return {};
    }
    for (const QtText& text : kTexts) {
        const bool contextMatches =
            text.context == nullptr || (context != nullptr && std::strcmp(text.context, context) == 0);
        if (contextMatches && std::strcmp(text.source, source) == 0) {
            return QString::fromLatin1(text.romanian);
        }
    }
    return {};
}

void UseQtTextsOf(Language language)
{
    std::unique_ptr<RomanianTranslator>& installed = Installed();
    if (language == Language::RO && !installed) {
        installed = std::make_unique<RomanianTranslator>();
        QCoreApplication::installTranslator(installed.get());
    } else if (language != Language::RO && installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
}

} // namespace dorvanta
