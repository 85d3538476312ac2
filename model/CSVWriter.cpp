#include "model/CSVWriter.h"

#include <stdexcept>

#include "platform/foundation/StringUtilities.h"

CSVWriter::CSVWriter(std::uint64_t columnCount) : ncols_(columnCount) {
    rows_.reserve(16);
}

std::string CSVWriter::CSVForRowWithColumns(const std::vector<std::string>& columns) {
    if (ncols_ == 0) {
        ncols_ = columns.size();
    }
    std::string row;
    std::uint64_t written = 0;
    for (const auto& field : columns) {
        if (written++ > 0) {
            row += ',';
        }
        if (!field.empty()) {
            row += '"';
            row += foundation::replaceAll(field, "\"", "\"\"");
            row += '"';
        }
    }
    for (; written < ncols_; ++written) {
        if (written > 0) {
            row += ',';
        }
    }
    return row;
}

void CSVWriter::writeRowWithColumns(const std::vector<std::string>& columns) {
    rows_.push_back(CSVForRowWithColumns(columns));
    cached_ = false;
}

void CSVWriter::setHeaderColumns(const std::vector<std::string>& columns) {
    std::string row = CSVForRowWithColumns(columns);
    if (headerColumns_) {
        rows_.front() = std::move(row);
    } else {
        rows_.insert(rows_.begin(), std::move(row));
    }
    headerColumns_ = columns;
    cached_ = false;
}

void CSVWriter::setCharset(const std::string& charset) {
    if (!foundation::isKnownCharset(charset)) {
        throw std::invalid_argument("unknown encoding: " + charset);
    }
    charset_ = charset;
    cached_ = false;
}

std::string CSVWriter::MIMEType() const {
    std::string type = std::string("text/csv; header=") + (headerColumns_ ? "present" : "absent");
    if (!charset_.empty()) {
        type += "; charset=" + charset_;
    }
    return type;
}

const std::optional<foundation::Data>& CSVWriter::data() {
    if (!cached_) {
        const std::string text = foundation::join(rows_, "\r\n");
        // The text is UTF-8 already: taken as it is, one odd byte in a code
        // cannot cost the whole attachment.
        if (foundation::equalsIgnoringCase(charset_, "utf-8")) {
            data_ = foundation::Data(text.begin(), text.end());
        } else {
            data_ = foundation::dataFromString(text, charset_);
        }
        cached_ = true;
    }
    return data_;
}
