#include "base/json_writer.h"

#include <cmath>

#include "base/number_text.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendEscaped(std::string& text, std::string_view utf8) {
    text += '"';
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte < 0x20) {
            text += "\\u00";
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0xF];
        } else {
            text += c;
        }
    }
    text += '"';
}

}  // namespace

std::string JsonNumberText(double value) {
    if (std::isnan(value)) {
        return "\"NaN\"";
    }
    if (std::isinf(value)) {
        return value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    }
    // The shortest round trip gives JSON's grammar: "-0", "96000", "2.5e-06", "1e+300".
    return FormatShortest(value);
}

void JsonWriter::BeginObject() { Open('{'); }

void JsonWriter::EndObject() { Close('}'); }

void JsonWriter::BeginArray() { Open('['); }

void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Key(std::string_view key) {
    BeginValue();
    AppendEscaped(text_, key);
    text_ += ": ";
    afterKey_ = true;
}

void JsonWriter::Number(double value) {
    BeginValue();
    text_ += JsonNumberText(value);
}

void JsonWriter::Member(std::string_view key, double value) {
    Key(key);
    Number(value);
}

void JsonWriter::Member(std::string_view key, std::string_view utf8) {
    Key(key);
    String(utf8);
}

void JsonWriter::Integer(std::int64_t value) {
    BeginValue();
    AppendInteger(text_, value);
}

void JsonWriter::Boolean(bool value) {
    BeginValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::String(std::string_view utf8) {
    BeginValue();
    AppendEscaped(text_, utf8);
}

// A value after a key stays on the key's line; any other starts a line of its own,
// after a comma when it is not the first in its object or array.
void JsonWriter::BeginValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasValues_.empty()) {
        return;
    }
    if (hasValues_.back()) {
        text_ += ',';
    }
    hasValues_.back() = true;
    NewLine();
}

void JsonWriter::Open(char bracket) {
    BeginValue();
    text_ += bracket;
    hasValues_.push_back(false);
}

void JsonWriter::Close(char bracket) {
    const bool hadValues = hasValues_.back();
    hasValues_.pop_back();
    if (hadValues) {
        NewLine();
    }
    text_ += bracket;
    if (hasValues_.empty()) {
        text_ += '\n';
    }
}

void JsonWriter::NewLine() {
    text_ += '\n';
    text_.append(2 * hasValues_.size(), ' ');
}
