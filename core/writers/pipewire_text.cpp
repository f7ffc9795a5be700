#include "writers/pipewire_text.h"

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

std::string PipeWireModuleHead(const std::string& description) {
    return "context.modules = [\n"
           "    {   name = libpipewire-module-filter-chain\n"
           "        flags = [ nofail ]\n"
           "        args = {\n"
           "            node.description = " +
           PipeWireQuoted(description) +
           "\n"
           "            media.name       = " +
           PipeWireQuoted(description) + "\n";
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
