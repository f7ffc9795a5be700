// The PipeWire filter-chain fragment, read back the way PipeWire's relaxed JSON reads
// it (no PipeWire runs here): if a node, a link or a coefficient is wrong, the user's
// phono stage is silent or filters with another curve.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "designs/riaa_record.h"
#include "designs_under_test.h"
#include "writers/pipewire_export.h"

namespace {

// A value of PipeWire's configuration syntax: bare words and quoted strings, numbers,
// [arrays] and {objects} of `key = value` pairs ('=' and ':' optional, ',' allowed
// between items, '#' comments to the end of the line).
struct Value {
    std::string word;  // a bare word, number or string (unquoted); empty for containers
    bool quoted = false;
    std::vector<Value> items;                            // an array
    std::vector<std::pair<std::string, Value>> members;  // an object, in order
    bool isArray = false;
    bool isObject = false;

    const Value& operator[](const std::string& key) const {
        for (const auto& [name, value] : members) {
            if (name == key) return value;
        }
        throw std::runtime_error("no member " + key);
    }
    bool Has(const std::string& key) const {
        for (const auto& member : members) {
            if (member.first == key) return true;
        }
        return false;
    }
};

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    // The whole text is the members of one object without braces, as in a .conf file.
    Value Document() {
        Value root;
        root.isObject = true;
        ReadMembers(root, '\0');
        return root;
    }

private:
    void Skip() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '#') {
                while (at_ < text_.size() && text_[at_] != '\n') ++at_;
            } else if (std::isspace(static_cast<unsigned char>(c)) || c == ',') {
                ++at_;
            } else {
                break;
            }
        }
    }

    std::string Word() {
        Skip();
        if (at_ < text_.size() && text_[at_] == '"') {
            ++at_;
            std::string word;
            while (at_ < text_.size() && text_[at_] != '"') {
                if (text_[at_] == '\\') ++at_;
                word += text_[at_++];
            }
            if (at_ == text_.size()) throw std::runtime_error("unterminated string");
            ++at_;
            lastQuoted_ = true;
            return word;
        }
        lastQuoted_ = false;
        std::string word;
        while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_])) &&
               std::string("[]{}=:,\"#").find(text_[at_]) == std::string::npos) {
            word += text_[at_++];
        }
        if (word.empty()) throw std::runtime_error("expected a word at " + std::to_string(at_));
        return word;
    }

    Value ReadValue() {
        Skip();
        Value value;
        if (at_ < text_.size() && text_[at_] == '[') {
            ++at_;
            value.isArray = true;
            for (Skip(); at_ < text_.size() && text_[at_] != ']'; Skip()) {
                value.items.push_back(ReadValue());
            }
            if (at_ == text_.size()) throw std::runtime_error("unterminated array");
            ++at_;
        } else if (at_ < text_.size() && text_[at_] == '{') {
            ++at_;
            value.isObject = true;
            ReadMembers(value, '}');
            ++at_;
        } else {
            value.word = Word();
            value.quoted = lastQuoted_;
        }
        return value;
    }

    void ReadMembers(Value& object, char end) {
        for (Skip(); at_ < text_.size() && text_[at_] != end; Skip()) {
            const std::string key = Word();
            Skip();
            if (at_ < text_.size() && (text_[at_] == '=' || text_[at_] == ':')) ++at_;
            object.members.emplace_back(key, ReadValue());
        }
        if (end != '\0' && at_ == text_.size()) throw std::runtime_error("unterminated object");
    }

    const std::string& text_;
    std::size_t at_ = 0;
    bool lastQuoted_ = false;
};

double Number(const Value& value) {
    char* end = nullptr;
    const double number = std::strtod(value.word.c_str(), &end);
    if (value.word.empty() || *end != '\0' || value.quoted) {
        throw std::runtime_error("not a number: " + value.word);
    }
    return number;
}

Cascade Design(double fs, int sections, bool inverse) {
    return RiaaDesign({.samplingFrequency = fs,
                       .recording = inverse,
                       .method = DesignMethod::Minimax,
                       .size = SectionCount{sections}})
        .cascade;
}

struct Case {
    const char* name;
    double fs;
    Cascade cascade;
};

std::vector<Case> Cases() {
    return {
        {"one matched section", 44100.0,
         CascadeFromCoefficients(RiaaRecord(44100.0, 1.0, 0.0, 0))},
        {"two sections at 48k", 48000.0, Design(48000.0, 2, false)},
        {"four recording sections at 96k", 96000.0, Design(96000.0, 4, true)},
    };
}

TEST(PipeWireExport, ReadsBackAsAFilterChainModuleWithEveryCoefficient) {
    for (const Case& k : Cases()) {
        SCOPED_TRACE(k.name);
        const std::string text =
            FormatPipeWireFilterChain(k.cascade, k.fs, "riaa_playback", "RIAA \"playback\"");
        const Value root = Reader(text).Document();

        const Value& modules = root["context.modules"];
        ASSERT_TRUE(modules.isArray);
        ASSERT_EQ(modules.items.size(), 1u);
        const Value& module = modules.items[0];
        EXPECT_EQ(module["name"].word, "libpipewire-module-filter-chain");
        // A chain PipeWire cannot load (bq_raw is not in 0.3.65) must not stop the daemon.
        ASSERT_TRUE(module["flags"].isArray);
        ASSERT_EQ(module["flags"].items.size(), 1u);
        EXPECT_EQ(module["flags"].items[0].word, "nofail");
        const Value& args = module["args"];
        EXPECT_EQ(args["node.description"].word, "RIAA \"playback\"");
        EXPECT_EQ(Number(args["audio.rate"]), k.fs);
        EXPECT_EQ(Number(args["audio.channels"]), 2.0);
        const Value& graph = args["filter.graph"];

        // Every node a builtin bq_raw with the documented keys and one set of
        // coefficients for the designed rate.
        std::map<std::string, const Value*> nodes;
        for (const Value& node : graph["nodes"].items) {
            for (const auto& [key, value] : node.members) {
                EXPECT_TRUE(key == "type" || key == "name" || key == "label" || key == "config")
                    << key;
            }
            EXPECT_EQ(node["type"].word, "builtin");
            EXPECT_EQ(node["label"].word, "bq_raw");
            nodes[node["name"].word] = &node;
        }
        ASSERT_EQ(nodes.size(), 2 * k.cascade.sections.size());

        // Links go from a node's "Out" to another's "In"; following them from each
        // graph input must pass the sections in order and end at a graph output.
        std::map<std::string, std::string> next;
        for (const Value& link : graph["links"].items) {
            ASSERT_EQ(link.members.size(), 2u);
            const std::string output = link["output"].word;
            const std::string input = link["input"].word;
            ASSERT_EQ(output.substr(output.size() - 4), ":Out") << output;
            ASSERT_EQ(input.substr(input.size() - 3), ":In") << input;
            next[output.substr(0, output.size() - 4)] = input.substr(0, input.size() - 3);
        }
        const auto& inputs = graph["inputs"].items;
        const auto& outputs = graph["outputs"].items;
        ASSERT_EQ(inputs.size(), 2u);
        ASSERT_EQ(outputs.size(), 2u);
        for (std::size_t channel = 0; channel < 2; ++channel) {
            std::string node = inputs[channel].word;
            ASSERT_EQ(node.substr(node.size() - 3), ":In") << node;
            node = node.substr(0, node.size() - 3);
            for (std::size_t s = 0; s < k.cascade.sections.size(); ++s) {
                ASSERT_EQ(nodes.count(node), 1u) << node;
                const Value& coefficients = (*nodes[node])["config"]["coefficients"];
                ASSERT_EQ(coefficients.items.size(), 1u);
                const Value& set = coefficients.items[0];
                const BiquadSection& section = k.cascade.sections[s];
                EXPECT_EQ(Number(set["rate"]), k.fs);
                EXPECT_EQ(Number(set["b0"]), section.b0);
                EXPECT_EQ(Number(set["b1"]), section.b1);
                EXPECT_EQ(Number(set["b2"]), section.b2);
                EXPECT_EQ(Number(set["a0"]), 1.0);
                EXPECT_EQ(Number(set["a1"]), section.a1);
                EXPECT_EQ(Number(set["a2"]), section.a2);
                if (s + 1 < k.cascade.sections.size()) {
                    ASSERT_EQ(next.count(node), 1u) << node;
                    node = next[node];
                }
            }
            EXPECT_EQ(outputs[channel].word, node + ":Out");
            EXPECT_EQ(next.count(node), 0u);
        }

        // The streams: a passive capture and a source the user picks.
        EXPECT_EQ(args["capture.props"]["node.passive"].word, "true");
        EXPECT_EQ(args["playback.props"]["media.class"].word, "Audio/Source");
    }
}

// PipeWire's own documentation of the filter-chain module and of its property keys, as
// Debian's pipewire-doc installs it, as plain text.
std::string DocumentationText(const std::string& page) {
    std::ifstream in("/usr/share/doc/pipewire/html/" + page);
    std::ostringstream html;
    html << in.rdbuf();
    std::string text;
    bool inTag = false;
    for (char c : html.str()) {
        if (c == '<') inTag = true;
        if (!inTag) text += c;
        if (c == '>') inTag = false;
    }
    for (const auto& [entity, plain] : {std::pair<std::string, std::string>{"&quot;", "\""},
                                        {"&lt;", "<"},
                                        {"&gt;", ">"},
                                        {"&#160;", " "},
                                        {"&nbsp;", " "},
                                        {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + plain.size())) {
            text.replace(at, entity.size(), plain);
        }
    }
    return text;
}

// Every key of an object and of the objects and arrays below it, except below `stop`.
void CollectKeys(const Value& value, const std::string& stop, std::set<std::string>& keys) {
    for (const auto& [key, member] : value.members) {
        keys.insert(key);
        if (key != stop) CollectKeys(member, stop, keys);
    }
    for (const Value& item : value.items) CollectKeys(item, stop, keys);
}

TEST(PipeWireExport, UsesOnlyKeysPipeWiresDocumentationNames) {
    const std::string module = DocumentationText("page_module_filter_chain.html");
    ASSERT_NE(module.find("libpipewire-module-filter-chain"), std::string::npos)
        << "pipewire-doc is missing: scripts/install-deps.sh --test installs it";
    const std::string keys = DocumentationText("group__pw__keys.html");
    // A module's flags are documented with the daemon's configuration.
    const std::string daemon = DocumentationText("page_daemon.html");

    // The documentation's own example reads with the reader the other tests trust.
    const std::size_t begin = module.find("context.modules", module.find("virtual source\n"));
    const std::size_t end = module.find("Example configuration of a Dolby");
    ASSERT_NE(begin, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    const Value example = Reader(module.substr(begin, end - begin)).Document();
    const Value& exampleArgs = example["context.modules"].items.at(0)["args"];
    EXPECT_EQ(exampleArgs["playback.props"]["media.class"].word, "Audio/Source");

    // Every key the export writes is one the module's page or the key list names; the
    // contents of bq_raw's config are newer than this documentation (0.3.65) and are
    // checked number by number above.
    const std::string text =
        FormatPipeWireFilterChain(Design(48000.0, 2, false), 48000.0, "riaa", "RIAA");
    std::set<std::string> used;
    CollectKeys(Reader(text).Document(), "config", used);
    for (const std::string& key : used) {
        const bool documented = module.find(key + " ") != std::string::npos ||
                                module.find(key + ":") != std::string::npos ||
                                keys.find("\"" + key + "\"") != std::string::npos ||
                                daemon.find(key + " = [ ifexists nofail ]") != std::string::npos;
        EXPECT_TRUE(documented) << key;
    }
    // Biquads are documented with an input port "In" and an output port "Out".
    EXPECT_NE(module.find("input port \"In\" and an output port \"Out\""), std::string::npos);
}

TEST(PipeWireExport, RefusesRatesPipeWireCannotRunAndEmptyCascades) {
    const Cascade one = Cases()[0].cascade;
    for (double fs : {44100.5, 0.0, -48000.0, 2e7, std::nan("")}) {
        EXPECT_THROW(FormatPipeWireFilterChain(one, fs, "riaa", "RIAA"), std::invalid_argument)
            << fs;
    }
    EXPECT_THROW(FormatPipeWireFilterChain(Cascade{}, 48000.0, "riaa", "RIAA"),
                 std::invalid_argument);
    // A name that would break the syntax is made safe rather than written as it is.
    const std::string text = FormatPipeWireFilterChain(one, 48000.0, "my riaa\"}", "RIAA");
    EXPECT_NE(text.find("node.name   = \"my_riaa__\""), std::string::npos) << text;
    EXPECT_NO_THROW(Reader(text).Document());
}

}  // namespace
