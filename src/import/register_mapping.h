#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One company of the trade register's open data turned into the company line
// of an update answer, which the record import then applies.
namespace dorvanta {

// One authorised activity: the edition digit of VER_CAEN_AUTORIZAT and the
// 4-digit class as text.
struct RegisterActivity
{
    int version = 0;
    std::string code;
};

// One state of the company; the name from N_STARE_FIRMA (UTF-8), may be empty.
struct RegisterState
{
    int code = 0;
    std::string name;
};

// One company's rows, fields as UTF-8 text exactly as read (header-named columns of OD_FIRME).
struct RegisterCompany
{
    std::string name, cui, registration, registrationDate, legalForm, country, county, locality, street,
        number, block, staircase, floor, flat, postalCode, sector, web;
    std::vector<RegisterActivity> activities;
    std::vector<RegisterState> states;
};

struct RegisterMappingCounts
{
    std::size_t unknownCounty = 0;
    // Classes that map to no category, each counted once per company (a row
    // given twice is one class), and how often each (edition, class) did; the
    // class is written with four digits ("111" is 0111).
    std::size_t unmappedClasses = 0;
    std::map<std::pair<int, std::string>, std::size_t> unmappedByClass;
};

// The 14 fields of the company line in the order of company_layout::Field
// (Windows-1250 bytes, already cut to their widths: Company 80, County 2,
// Address 90, Representative 59, Mobile 55, Phone 60, Fax 56, Email 65, Web 53,
// Activity1..4 8, Description 200).
using RegisterLineFields = std::array<std::string, 14>;

RegisterLineFields MapRegisterCompany(const RegisterCompany& company, RegisterMappingCounts& counts);

// "!" + fields each followed by a backtick (and "@" for a blanking line with
// the name only and 13 empty fields).
std::string CompanyLineOf(const RegisterLineFields& fields, bool blank = false);

// Whether a state name (UTF-8, any case, with or without diacritics) ends a
// company: the stems radiat, dizolv, lichid, faliment.
// Without N_STARE_FIRMA the caller uses the codes 1049 1052 1070 1084.
bool StateEndsCompany(std::string_view stateName);

} // namespace dorvanta
