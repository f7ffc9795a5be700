#pragma once
// A small writer of indented JSON documents, for the tools' machine-readable output.
//
//   JsonWriter json;
//   json.BeginObject();
//   json.Key("gain");
//   json.Number(1.0);
//   json.EndObject();
//   std::string text = json.Text();   // "{\n  \"gain\": 1\n}\n"
//
// Numbers are written as the shortest text that reads back to the same double. JSON
// has no infinities and no NaN: those are written as the strings "Infinity",
// "-Infinity" and "NaN", which JavaScript's Number() and Python's float() read back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();

    // The key of the next value in the current object; UTF-8.
    void Key(std::string_view key);

    void Number(double value);
    void Integer(std::int64_t value);
    void Boolean(bool value);
    void String(std::string_view utf8);  // escapes quotes, backslashes and controls

    // A key and its value in one call. Integers and booleans take Key() and Integer() or
    // Boolean(), so that neither is written as a number by accident.
    void Member(std::string_view key, double value);
    void Member(std::string_view key, std::string_view utf8);
    void Member(std::string_view key, const char* utf8) { Member(key, std::string_view(utf8)); }
    void Member(std::string_view key, bool value) = delete;

    // The document, ending in a line break once the outermost value is closed.
    const std::string& Text() const { return text_; }

private:
    void BeginValue();
    void Open(char bracket);
    void Close(char bracket);
    void NewLine();

    std::string text_;
    // One entry per open object or array: whether it holds a value yet.
    std::vector<bool> hasValues_;
    bool afterKey_ = false;
};

// The shortest text that reads back to the same double, as a JSON value.
std::string JsonNumberText(double value);
