#include "framework/controls/menu/menu_xml.h"

#include <cstdio>
#include <memory>

namespace vorpex::menu {

namespace {

// The Unicode characters of code page 1252's bytes 0x80-0x9F; 0 where the code page has none.
constexpr unsigned kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool forbiddenControl(unsigned char c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

}  // namespace

std::string xmlText(const std::string& ansi) {
    std::string out;
    for (const unsigned char c : ansi) {
        if (forbiddenControl(c)) continue;
        switch (c) {
            case '&': out += "&amp;"; continue;
            case '<': out += "&lt;"; continue;
            case '>': out += "&gt;"; continue;
            default: break;
        }
        if (c >= 0x80 && c <= 0x9F) {
            const unsigned code = kCp1252High[c - 0x80];
            out += code ? "&#" + std::to_string(code) + ";" : std::string("?");
            continue;
        }
        out += static_cast<char>(c);
    }
    return out;
}

std::string xmlComment(const std::string& ansi) {
    std::string out;
    for (const unsigned char c : ansi) {
        if (forbiddenControl(c)) continue;
        if (c >= 0x80 && c <= 0x9F) {
            out += '?';
            continue;
        }
        if (c == '-' && !out.empty() && out.back() == '-') out += ' ';
        out += static_cast<char>(c);
    }
    if (!out.empty() && out.back() == '-') out += ' ';
    return out;
}

std::string menuXml(const std::vector<std::string>& captions, const XmlStamp& stamp) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n";
    xml += "<!--Vorpex menu-->\n";
    xml += "<!--" + xmlComment("Date: " + stamp.date + " Time: " + stamp.time) + "-->\n";
    xml += "<!--" + xmlComment("Last access: " + stamp.user) + "-->\n";
    if (captions.empty()) return xml;
    xml += "<menuitem>\n";
    for (const std::string& caption : captions)
        xml += "   <item>\n      <caption>" + xmlText(caption) + "</caption>\n   </item>\n";
    xml += "</menuitem>\n";
    return xml;
}

bool writeMenuXmlFile(const std::string& path, const std::vector<std::string>& captions, const XmlStamp& stamp) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) return false;
    const std::string xml = menuXml(captions, stamp);
    if (std::fwrite(xml.data(), 1, xml.size(), file.get()) != xml.size()) return false;
    return std::fclose(file.release()) == 0;
}

}  // namespace vorpex::menu
