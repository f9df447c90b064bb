#include "NameMask.h"

#include <algorithm>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithLower(std::string_view name, std::string_view lowerSuffix) {
    if (name.size() < lowerSuffix.size())
        return false;
    const std::string_view tail = name.substr(name.size() - lowerSuffix.size());
    return std::equal(tail.begin(), tail.end(), lowerSuffix.begin(),
                      [](char a, char b) { return Lower(a) == b; });
}

// Glob matching with one backtrack point: the last "*" seen.
bool GlobMatches(std::string_view mask, std::string_view name) {
    size_t m = 0, n = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || mask[m] == Lower(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

} // namespace

TNameMask::TNameMask(std::string mask) : m_mask(std::move(mask)) {
    std::transform(m_mask.begin(), m_mask.end(), m_mask.begin(), Lower);
    if (m_mask.empty())
        m_mask = "*";
    m_suffixOnly = m_mask[0] == '*' && m_mask.find_first_of("*?", 1) == std::string::npos;
    if (m_suffixOnly)
        m_suffix.assign(m_mask.begin() + 1, m_mask.end());
}

bool TNameMask::Matches(std::string_view name) const {
    return m_suffixOnly ? EndsWithLower(name, m_suffix) : GlobMatches(m_mask, name);
}
