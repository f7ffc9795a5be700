#include "base/json_writer.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string_view>
#include <vector>

namespace {

// JSON's number grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumber(std::string_view text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
        }
        return i - start;
    };
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    if (i < text.size() && text[i] == '0') {
        ++i;
    } else if (digits() == 0) {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (digits() == 0) {
            return false;
        }
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return i == text.size();
}

TEST(JsonNumber, ShortestTextReadsBackToTheSameDouble) {
    std::mt19937_64 random(2026);
    std::vector<double> values = {0.0,    -0.0,    1.0,     0.1,      96000,
                                  2.2e-6, DBL_MAX, DBL_MIN, 4.9e-324, -1e300};
    for (int i = 0; i < 5000; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            values.push_back(value);
        }
    }
    for (double value : values) {
        const std::string text = JsonNumberText(value);
        ASSERT_TRUE(IsJsonNumber(text)) << text;
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << text;
    }
    EXPECT_EQ(JsonNumberText(0.1), "0.1");
    EXPECT_EQ(JsonNumberText(96000), "96000");
    EXPECT_FALSE(IsJsonNumber("01"));
    EXPECT_FALSE(IsJsonNumber("1."));
    EXPECT_FALSE(IsJsonNumber("inf"));
}

TEST(JsonNumber, NonFiniteValuesBecomeStrings) {
    EXPECT_EQ(JsonNumberText(HUGE_VAL), "\"Infinity\"");
    EXPECT_EQ(JsonNumberText(-HUGE_VAL), "\"-Infinity\"");
    EXPECT_EQ(JsonNumberText(NAN), "\"NaN\"");
    EXPECT_EQ(JsonNumberText(-NAN), "\"NaN\"");
}

TEST(JsonWriter, WritesAnIndentedDocument) {
    JsonWriter json;
    json.BeginObject();
    json.Key("name \"quoted\"\\");
    json.String("tab\there\x01 \xC2\xB5");
    json.Key("values");
    json.BeginArray();
    json.Number(1.5);
    json.Integer(-3);
    json.Boolean(false);
    json.EndArray();
    json.Key("empty");
    json.BeginObject();
    json.EndObject();
    json.EndObject();
    EXPECT_EQ(json.Text(),
              "{\n"
              "  \"name \\\"quoted\\\"\\\\\": \"tab\\u0009here\\u0001 \xC2\xB5\",\n"
              "  \"values\": [\n"
              "    1.5,\n"
              "    -3,\n"
              "    false\n"
              "  ],\n"
              "  \"empty\": {}\n"
              "}\n");
}

}  // namespace
