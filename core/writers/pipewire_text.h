#pragma once
// The pieces both PipeWire filter-chain files share: node names, quoted strings, and the
// props that make the chain a virtual source fed by the default input.

#include <string>

// `name` with anything but letters, digits, '_' and '-' replaced by '_'; `fallback` when
// nothing is left.
std::string PipeWireNodeName(const std::string& name, const std::string& fallback);

// A quoted string; a line break, which would end the line, becomes a space.
std::string PipeWireQuoted(const std::string& text);

// The start of the file after its comment: the filter-chain module, loaded with nofail
// (a PipeWire that cannot load it starts without it), and the names users see.
std::string PipeWireModuleHead(const std::string& description);

// The end of a filter-chain's args: the capture and playback props of the source named
// `base`, and the brackets that close the module and the list.
std::string PipeWireSourceProps(const std::string& base);
