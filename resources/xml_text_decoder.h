#pragma once
// Turns the raw bytes of an XML file into the UTF-16 text the reader parses: byte-order marks,
// UTF-16 of either byte order, and 8-bit files in the encoding they declare (XML declaration or
// HTML meta charset), detect as UTF-8, or else the system ANSI code page. Never fails: bytes that
// cannot be converted become U+FFFD, and everything found is noted in diag.
#include <string>
#include <string_view>

#include "resources/xml_diagnostic.h"

namespace qx {

// Only this many leading bytes are searched for a declared encoding.
constexpr size_t kEncodingSniffBytes = 1024;

// The encoding name declared in the head of a document (the bytes, NULs already removed), or
// empty when none is declared.
std::string FindDeclaredEncoding(std::string_view head);

std::u16string DecodeXmlBytes(std::string_view bytes, XmlDiagnostic& diag);

}  // namespace qx
