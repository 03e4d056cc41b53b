// Names of parameterised test cases, made from their labels.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace vorlan::test {

// The label with every character but letters and digits as "_".
inline std::string CaseName(std::string_view label) {
    std::string name;
    for (const char c : label) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

}  // namespace vorlan::test
