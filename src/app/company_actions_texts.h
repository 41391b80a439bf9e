#pragma once

// The words of the result list's menu and exports, in each language.

#include "data/language.h"

namespace dorvanta {

struct ActionTexts
{
    const char* addFavourite;
    const char* removeFavourite;
    const char* lists;
    const char* copyCard;
    const char* saveVCard;
    const char* exportResults;
    const char* exportFilters;
    const char* vCardFilter;
    const char* exportName; // the file an export is first offered as, without extension
    const char* noResults;
    const char* noXlsx;
    const char* unknownKind;   // %1: the file
    const char* exported;      // %1: how many, %2: the file
    const char* exportedFirst; // %1: how many, %2: the file, %3: the rows shown
    const char* saved;         // %1: the file
    const char* copied;
    const char* unreadable; // %1: why
    // The card's labels.
    const char* company;
    const char* address;
    const char* mobile;
    const char* phone;
    const char* fax;
    const char* email;
    const char* web;
    const char* representative;
};

inline const ActionTexts& ActionTextsOf(Language language)
{
    static const ActionTexts english{
        "Add to &Favourites",
        "Remove from &Favourites",
        "&Lists",
        "&Copy contact card\tCtrl+Shift+C",
        "Save as &vCard...",
        "&Export results...\tCtrl+E",
        "CSV (*.csv);;Excel workbook (*.xlsx);;vCard contacts (*.vcf)",
        "vCard contacts (*.vcf)",
        "Companies",
        "There are no results to export.",
        "This version of the program cannot write Excel workbooks (.xlsx). Choose CSV or vCard instead.",
        "Cannot tell what to write from the name %1: use .csv, .xlsx or .vcf.",
        "Exported %1 companies to %2.",
        "Exported the first %1 companies of %3 to %2.",
        "Saved %1.",
        "The contact card is on the clipboard.",
        "The companies could not be read: %1",
        "Company",
        "Postal address",
        "Mobile phone",
        "Phone",
        "Fax",
        "Email",
        "Web page",
        "Representative",
    };
    static const ActionTexts romanian{
        "Adauga la &Favorite",
        "Scoate din &Favorite",
        "&Liste",
        "&Copiaza fisa de contact\tCtrl+Shift+C",
        "Salveaza ca &vCard...",
        "&Exporta rezultatele...\tCtrl+E",
        "CSV (*.csv);;Registru Excel (*.xlsx);;Contacte vCard (*.vcf)",
        "Contacte vCard (*.vcf)",
        "Companii",
        "Nu exista rezultate de exportat.",
        "Aceasta versiune a programului nu poate scrie registre Excel (.xlsx). Alegeti CSV sau vCard.",
        "Din numele %1 nu reiese ce sa fie scris: folositi .csv, .xlsx sau .vcf.",
        "Au fost exportate %1 companii in %2.",
        "Au fost exportate primele %1 companii din %3 in %2.",
        "A fost salvat %1.",
        "Fisa de contact este in clipboard.",
        "Companiile nu au putut fi citite: %1",
        "Companie",
        "Adresa postala",
        "Telefon mobil",
        "Telefon",
        "Fax",
        "Email",
        "Pagina web",
        "Reprezentant",
    };
    return language == Language::RO ? romanian : english;
}

} // namespace dorvanta
