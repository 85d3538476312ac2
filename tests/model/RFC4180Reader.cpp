#include "tests/model/RFC4180Reader.h"

std::optional<CSVRecords> readRFC4180(std::string_view text) {
    CSVRecords records;
    if (text.empty()) {
        return records;
    }
    std::vector<std::string> record;
    std::size_t i = 0;
    while (true) {
        std::string field;
        if (i < text.size() && text[i] == '"') {
            ++i;
            while (true) {
                if (i >= text.size()) {
                    return std::nullopt;  // unterminated quoted field
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\r') {
                if (text[i] == '"' || text[i] == '\n') {
                    return std::nullopt;
                }
                field += text[i++];
            }
        }
        record.push_back(std::move(field));
        if (i >= text.size()) {
            records.push_back(std::move(record));
            return records;
        }
        if (text[i] == ',') {
            ++i;
            continue;
        }
        if (text.substr(i, 2) != "\r\n") {
            return std::nullopt;  // stray character after a field
        }
        i += 2;
        records.push_back(std::move(record));
        record.clear();
        if (i >= text.size()) {
            return records;
        }
    }
}
