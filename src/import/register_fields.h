#pragma once

#include <string>
#include <string_view>

// The fields of a company line that the register writes in its own way.
namespace dorvanta {

struct RegisterCompany;

struct RegisterWeb
{
    std::string web;   // the first web address, as written
    std::string email; // the first e-mail address
};

// The web and e-mail addresses in the register's WEB field (Windows-1250,
// cleaned): people write either there, several of them, or words such as
// "nu are"; anything that is neither address is dropped.
RegisterWeb RegisterWebOf(std::string_view web1250);

// The register's date (day/month/year, perhaps with a time) as dd.mm.yyyy;
// an ISO date (yyyy-mm-dd) is turned round; any other text comes back as is.
std::string RegisterDate(std::string_view date1250);

// The register's identity of the company in Romanian, Windows-1250, cut to 200:
// "CUI 12345678, J40/1000/2020, înregistrată 01.01.2020, SRL, funcțiune",
// the states' names in the order of their codes; empty parts left out.
std::string RegisterDescription(const RegisterCompany& company);

} // namespace dorvanta
