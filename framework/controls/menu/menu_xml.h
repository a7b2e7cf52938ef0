// The menu file: an XML document naming a menu's top-level captions, for other tools to read. The declared
// encoding is ISO-8859-1 while the program's texts are ANSI (code page 1252): the bytes where the two differ
// (0x80-0x9F) are written as character references, so that a reader sees the characters the program meant.
// Whatever the texts hold, the file is well-formed: control characters that XML forbids are dropped, and
// comments never hold "--" nor end in "-".
#pragma once

#include <string>
#include <vector>

namespace vorpex::menu {

// When and by whom the file was written, as its comments show.
struct XmlStamp {
    std::string date;  // in the current date format
    std::string time;  // "hh:mm:ss"
    std::string user;
};

// Element text: markup characters escaped, forbidden characters dropped, 0x80-0x9F as references.
std::string xmlText(const std::string& ansi);
// Comment text: as element text cannot be (no references in comments), so 0x80-0x9F become "?".
std::string xmlComment(const std::string& ansi);

// The document: the declaration, three comments and, when there are captions, a "menuitem" element holding an
// "item" per caption, each with a nested "caption" element; indented three spaces per level.
std::string menuXml(const std::vector<std::string>& captions, const XmlStamp& stamp);

// Writes the document to `path` (created or emptied); false when the file cannot be written.
bool writeMenuXmlFile(const std::string& path, const std::vector<std::string>& captions, const XmlStamp& stamp);

}  // namespace vorpex::menu
