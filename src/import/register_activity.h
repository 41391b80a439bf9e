#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dorvanta {

// The CAEN classes (the national activity classification) mapped to the
// categories of the category table. Each line of the table's text is
// "edition,key,category code[,type letter]": edition 2 (CAEN Rev.2, NACE
// Rev.2) or 3 (CAEN Rev.3, NACE Rev.2.1); the key a division (2 digits), group
// (3) or class (4); the category "-" where none fits; without a type letter the
// division gives it (01-39 producer, 45-47 trader, 94 organisation, the rest
// services); "#" starts a comment line. A class takes its most specific key.
class RegisterActivityTable
{
public:
    struct Target
    {
        std::string category; // as in the category table; empty for "-"
        char type = 's';
        std::string entry; // the activity entry, empty for "-"
    };

    RegisterActivityTable() = default;
    explicit RegisterActivityTable(std::string_view text);

    // The table compiled into the program (resource "CAEN_CATEGORIES").
    static const RegisterActivityTable& Builtin();

    // The activity entry of a 4-digit class of an edition: the category code in
    // lower case, "*" and the type letter ("a.c.21*s"); empty when the class maps
    // to nothing. A class of three digits lost its leading zero ("111" is 0111).
    std::string EntryOf(int edition, std::string_view classCode) const;

    // Every key of an edition, for the tests.
    const std::unordered_map<std::string, Target>& Keys(int edition) const;

private:
    std::unordered_map<std::string, Target> rev2_, rev3_;
    // The target of every class 0000-9999 of each edition, resolved once:
    // twenty million activity rows are looked up.
    std::vector<const Target*> classes2_, classes3_;
};

} // namespace dorvanta
