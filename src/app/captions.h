#pragma once

#include "data/language.h"

namespace dorvanta {

// The captions of the main window in one language.
struct Captions
{
    const char* companiesSearch;
    const char* internetSearch;
    const char* company;
    const char* county;
    const char* domain;
    const char* section;
    const char* type;
    const char* subject;
    const char* keywords;
    const char* newCompanies;
    const char* newBusinessAds;
    const char* yourCompany;
    const char* yourBusinessAd;
    const char* yourBanner;
    const char* content;
    const char* about;
    const char* saveAsPdf;
    const char* ignoreDiacritics;
    const char* searchAsYouType;
    const char* noPrinter;
    const char* stopUpdate;
    const char* cannotWrite; // %1: the file
    const char* importRegister;
    const char* chooseRegisterFolder;
    const char* all; // the first entry of every drop-down list
    const char* allCategories;
    const char* allCompanies;
    const char* language;
    const char* english;
    const char* print;
    const char* welcome;
    const char* downloadingCompanies;
    // What a screen reader says for controls that show no text of their own.
    const char* companiesFound;
    const char* opportunitiesFound;
    const char* companyPage;
    const char* adPage;
    const char* helpPage;
    const char* search;
    const char* minimize;
    const char* maximize;
    const char* restore;
    const char* close;
    const char* sortKeys; // the list header's tooltip
    // The ads' date column and filter.
    const char* date;
    const char* anyDate;
    const char* last7Days;
    const char* last30Days;
    const char* sortKeysWithDate;
};

inline constexpr Captions kEnglishCaptions{
    "Companies search",
    "Opportunities search",
    "Company",
    "County",
    "Domain",
    "Section",
    "Type",
    "Subject",
    "Keywords",
    "New companies",
    "New business ads",
    "Your company",
    "Your business ad",
    "Your banner",
    "Content",
    "About",
    "Save as PDF...",
    "Ignore diacritics",
    "Search as you type",
    "No printer is installed. Use \"Save as PDF...\" to keep the page.",
    "An update is running. Stop it and close the program?",
    "Could not write %1.",
    "Import from the trade register...",
    "Choose the folder of the trade register's files (OD_FIRME.CSV...)",
    "All",
    "All categories",
    "All companies",
    "Language",
    "English",
    "Print",
    "Welcome to Dorvanta",
    "Downloading the companies...",
    "Companies found",
    "Opportunities found",
    "Company profile",
    "Business ad",
    "Help",
    "Search",
    "Minimize",
    "Maximize",
    "Restore",
    "Close",
    "Ctrl+1 sorts by the first column, Ctrl+2 by the second; again to reverse",
    "Date",
    "Any date",
    "Last 7 days",
    "Last 30 days",
    "Ctrl+1 sorts by the first column, Ctrl+2 by the second, Ctrl+3 by the date (newest first); again to "
    "reverse"};
inline constexpr Captions kRomanianCaptions{
    "Cautare companii",
    "Cautare oportunitati",
    "Companie",
    "Judet",
    "Domeniu",
    "Sectiune",
    "Tip",
    "Subiect",
    "Cuvant",
    "Noi companii",
    "Noi oportunitati",
    "Compania ta",
    "Anuntul tau",
    "Adauga banner",
    "Continut",
    "Despre",
    "Salveaza ca PDF...",
    "Ignora diacriticele",
    "Cauta in timp ce scrii",
    "Nu este instalata nicio imprimanta. Folositi \"Salveaza ca PDF...\" pentru a pastra pagina.",
    "Actualizarea este in curs. O opriti si inchideti programul?",
    "Fisierul %1 nu a putut fi scris.",
    "Importa din registrul comertului...",
    "Alegeti dosarul cu fisierele registrului comertului (OD_FIRME.CSV...)",
    "Toate",
    "Toate categoriile",
    "Toate companiile",
    "Limba",
    "Engleza",
    "Tipareste",
    "Bun venit la Dorvanta",
    "Se descarca companiile...",
    "Companii gasite",
    "Oportunitati gasite",
    "Profilul companiei",
    "Anuntul",
    "Ajutor",
    "Cauta",
    "Minimizeaza",
    "Maximizeaza",
    "Restaureaza",
    "Inchide",
    "Ctrl+1 ordoneaza dupa prima coloana, Ctrl+2 dupa a doua; din nou pentru ordine inversa",
    "Data",
    "Oricand",
    "Ultimele 7 zile",
    "Ultimele 30 de zile",
    "Ctrl+1 ordoneaza dupa prima coloana, Ctrl+2 dupa a doua, Ctrl+3 dupa data (cele mai noi intai); din "
    "nou pentru ordine inversa"};

inline const Captions& CaptionsOf(Language language)
{
    return language == Language::RO ? kRomanianCaptions : kEnglishCaptions;
}

} // namespace dorvanta
