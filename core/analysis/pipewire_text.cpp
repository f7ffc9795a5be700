#include "pipewire_text.h"

std::string PipeWireNodeName(const std::string& name, const std::string& fallback) {
    std::string safe;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        safe += plain ? c : '_';
    }
    return safe.empty() ? fallback : safe;
}

std::string PipeWireQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c == '\n' ? ' ' : c;
    }
    return quoted + "\"";
}

std::string PipeWireSourceProps(const std::string& base) {
    return "            capture.props = {\n"
           "                node.name    = \"capture." +
           base +
           "\"\n"
           "                node.passive = true\n"
           "            }\n"
           "            playback.props = {\n"
           "                node.name   = \"" +
           base +
           "\"\n"
           "                media.class = Audio/Source\n"
           "            }\n"
           "        }\n"
           "    }\n"
           "]\n";
}
