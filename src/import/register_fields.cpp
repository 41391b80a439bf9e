#include "import/register_fields.h"

#include "data/letter_case.h"
#include "data/record_layout.h"
#include "import/register_mapping.h"
#include "import/register_text.h"

#include <algorithm>
#include <vector>

namespace dorvanta {

namespace {

bool IsAsciiAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// A host name: labels of letters, digits and hyphens, at least two of them,
// the last one of two or more letters.
bool IsHost(std::string_view host)
{
    if (host.empty() || host.size() > 253) {
        return false;
    }
    std::size_t labels = 0;
    std::size_t start = 0;
    while (start <= host.size()) {
        std::size_t dot = host.find('.', start);
        if (dot == std::string_view::npos) {
            dot = host.size();
        }
        const std::string_view label = host.substr(start, dot - start);
        if (label.empty() || label.front() == '-' || label.back() == '-') {
            return false;
        }
        for (const char c : label) {
            if (!IsAsciiAlnum(c) && c != '-') {
                return false;
            }
        }
        ++labels;
        if (dot == host.size()) {
            const bool letters = label.size() >= 2 && std::all_of(label.begin(), label.end(), [](char c) {
                                     return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                                 });
            return labels >= 2 && letters;
        }
        start = dot + 1;
    }
    return false;
}

bool IsEmail(std::string_view text)
{
    const std::size_t at = text.find('@');
    if (at == 0 || at == std::string_view::npos || text.find('@', at + 1) != std::string_view::npos) {
        return false;
    }
    for (const char c : text.substr(0, at)) {
        if (!IsAsciiAlnum(c) && std::string_view("._%+-").find(c) == std::string_view::npos) {
            return false;
        }
    }
    return IsHost(text.substr(at + 1));
}

bool IsWebAddress(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        c = ToLower(c);
    }
    std::string_view rest = lower;
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (rest.substr(0, scheme.size()) == scheme) {
            rest.remove_prefix(scheme.size());
            break;
        }
    }
    const std::size_t pathStart = rest.find_first_of("/?#");
    const std::string_view host = rest.substr(0, pathStart);
    for (const char c : rest.substr(host.size())) {
        if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F) {
            return false;
        }
    }
    return IsHost(host.substr(0, host.rfind(':') == std::string_view::npos ? host.size() : host.rfind(':')));
}

} // namespace

RegisterWeb RegisterWebOf(std::string_view web1250)
{
    RegisterWeb found;
    std::size_t pos = 0;
    while (pos < web1250.size()) {
        const std::size_t end = std::min(web1250.find_first_of(" ,;", pos), web1250.size());
        std::string_view token = web1250.substr(pos, end - pos);
        pos = end + 1;
        while (!token.empty() && (token.back() == '.' || token.back() == ')')) {
            token.remove_suffix(1);
        }
        while (!token.empty() && token.front() == '(') {
            token.remove_prefix(1);
        }
        if (token.substr(0, 7) == "mailto:") {
            token.remove_prefix(7);
        }
        if (token.find('@') != std::string_view::npos) {
            if (found.email.empty() && IsEmail(token)) {
                found.email = std::string(token);
            }
        } else if (found.web.empty() && IsWebAddress(token)) {
            found.web = std::string(token);
        }
    }
    return found;
}

std::string RegisterDate(std::string_view date1250)
{
    const std::string_view date = date1250.substr(0, date1250.find(' '));
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (parts.size() < 4) {
        const std::size_t end = date.find_first_of("/.-", start);
        parts.push_back(date.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    const auto digits = [](std::string_view part, std::size_t min, std::size_t max) {
        return part.size() >= min && part.size() <= max &&
               std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (parts.size() != 3) {
        return std::string(date1250);
    }
    std::string_view day = parts[0], month = parts[1], year = parts[2];
    if (digits(parts[0], 4, 4)) {
        day = parts[2];
        year = parts[0];
    }
    if (!digits(day, 1, 2) || !digits(month, 1, 2) || !digits(year, 4, 4)) {
        return std::string(date1250);
    }
    std::string text;
    text += day.size() == 1 ? "0" : "";
    text += day;
    text += '.';
    text += month.size() == 1 ? "0" : "";
    text += month;
    text += '.';
    text += year;
    return text;
}

std::string RegisterDescription(const RegisterCompany& company)
{
    std::string description;
    const auto add = [&description](std::string_view prefix, const std::string& text) {
        if (text.empty()) {
            return;
        }
        if (!description.empty()) {
            description += ", ";
        }
        description += prefix;
        description += text;
    };
    add("CUI ", RegisterTextTo1250(company.cui));
    add("", RegisterTextTo1250(company.registration));
    add("\xEEnregistrat\xE3 ", RegisterDate(RegisterTextTo1250(company.registrationDate)));
    add("", RegisterTextTo1250(company.legalForm));

    std::vector<const RegisterState*> states;
    for (const RegisterState& state : company.states) {
        states.push_back(&state);
    }
    std::stable_sort(states.begin(), states.end(),
                     [](const RegisterState* a, const RegisterState* b) { return a->code < b->code; });
    std::string previous;
    for (std::size_t i = 0; i < states.size(); ++i) {
        // A code given twice, or two codes of one name, is written once.
        if (i > 0 && states[i]->code == states[i - 1]->code) {
            continue;
        }
        std::string name = RegisterTextTo1250(states[i]->name);
        if (name != previous) {
            add("", name);
            previous = std::move(name);
        }
    }
    return CutAtWord(description, company_layout::kFields[company_layout::Description].maxLength);
}

} // namespace dorvanta
