#pragma once

#include "data/language.h"

namespace dorvanta {

// The words of the "My companies" panel in one language (Romanian without
// diacritics, as the rest of the window). A '&' marks a control's mnemonic;
// none clashes with the menu bar's Alt letters of its language.
struct MineTexts
{
    const char* header;
    const char* list;
    const char* filter;
    const char* newList;
    const char* deleteList;
    const char* exportList;
    const char* removeEntry;
    const char* columnCompany;
    const char* columnNote;
    const char* columnAdded;
    const char* gone;     // after the name of a company no longer in database.db
    const char* gonePage; // the page of such a company
    const char* note;     // "Note:" on that page and on the printed list
    const char* address;
    const char* phone;
    const char* entries;     // the list's accessible name
    const char* page;        // the page view's accessible name
    const char* listChooser; // the drop-down's accessible name
    const char* filterBox;   // the filter box's accessible name
    const char* askDelete;   // %1: the list
    const char* exportCaption;
    const char* exported;   // %1: count, %2: file
    const char* emptyList;  // the page of a list without entries
    const char* sortKeys;   // the header's tooltip
    const char* cannotRead; // database.db could not be read
};

inline constexpr MineTexts kEnglishMineTexts{
    "My companies",
    "&List",
    "&Filter",
    "&New list...",
    "&Delete list",
    "&Export list...",
    "Remove from the list",
    "Company",
    "Note",
    "Added",
    " (no longer in the directory)",
    "This company is no longer in the directory: an update removed or blanked it. It stays on your list "
    "with its note until you remove it.",
    "Note",
    "Address",
    "Phone",
    "Companies of the list",
    "Company profile",
    "List",
    "Filter by name or note",
    "Delete the list \"%1\" and its entries?",
    "Export the list",
    "%1 companies written to %2",
    "This list is empty. Add a company with the star of its page or the menu of a result row.",
    "Ctrl+1 sorts by company, Ctrl+2 by note, Ctrl+3 by date; again to reverse",
    "The companies could not be read: %1"};

inline constexpr MineTexts kRomanianMineTexts{
    "Firmele mele",
    "&Lista",
    "&Filtru",
    "Lista &noua...",
    "S&terge lista",
    "&Exporta lista...",
    "Scoate din lista",
    "Companie",
    "Nota",
    "Adaugata",
    " (nu mai este in director)",
    "Aceasta companie nu mai este in director: o actualizare a sters-o. Ramane in lista dumneavoastra "
    "cu nota ei pana o scoateti.",
    "Nota",
    "Adresa",
    "Telefon",
    "Companiile listei",
    "Profilul companiei",
    "Lista",
    "Filtru dupa nume sau nota",
    "Stergeti lista \"%1\" si companiile ei?",
    "Exporta lista",
    "%1 companii scrise in %2",
    "Lista este goala. Adaugati o companie cu steaua paginii ei sau cu meniul unui rand de rezultate.",
    "Ctrl+1 ordoneaza dupa companie, Ctrl+2 dupa nota, Ctrl+3 dupa data; din nou pentru ordine inversa",
    "Companiile nu au putut fi citite: %1"};

inline const MineTexts& MineTextsOf(Language language)
{
    return language == Language::RO ? kRomanianMineTexts : kEnglishMineTexts;
}

} // namespace dorvanta
