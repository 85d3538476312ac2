#include "model/UPCEExpansion.h"

#include <algorithm>

std::string UPCEExpansion(const std::string& text) {
    bool digits =
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if ((text.size() != 7 && text.size() != 8) || !digits || (text[0] != '0' && text[0] != '1')) {
        return text;
    }
    const std::string d = text;
    std::string middle;
    switch (d[6]) {
        case '0':
        case '1':
        case '2':
            middle = d.substr(1, 2) + d[6] + "0000" + d.substr(3, 3);
            break;
        case '3':
            middle = d.substr(1, 3) + "00000" + d.substr(4, 2);
            break;
        case '4':
            middle = d.substr(1, 4) + "00000" + d[5];
            break;
        default:
            middle = d.substr(1, 5) + "0000" + d[6];
            break;
    }
    std::string result = d[0] + middle;
    if (d.size() == 8) {
        result += d[7];
    }
    return result;
}
