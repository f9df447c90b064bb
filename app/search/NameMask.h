// A file-name mask such as "*.img", matched without regard to letter case
// (ASCII), as the file systems of the other platform do.
#pragma once

#include <string>
#include <string_view>

class TNameMask {
  public:
    // "*" matches any run of characters, "?" any one; everything else is
    // literal. An empty mask matches every name.
    explicit TNameMask(std::string mask = "*");

    bool Matches(std::string_view name) const;

  private:
    std::string m_mask;   // lower-cased
    std::string m_suffix; // for masks of the form "*literal": the literal
    bool m_suffixOnly = false;
};
