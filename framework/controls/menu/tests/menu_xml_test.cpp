// The menu file: the exact document for a fixed menu, and well-formed XML whatever the texts hold, read back
// by an independent parser.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fake_menu_port.h"
#include "framework/controls/menu/menu.h"
#include "framework/controls/menu/menu_xml.h"
#include "framework/core/object/vp_class.h"
#include "framework/graphics/graphics.h"
#include "runtime/core/send.h"
#include "tests/support/temp_folder.h"

namespace vorpex::testing {
namespace {

using rt::Value;

TEST(MenuXml, AFixedMenuGivesTheDocumentWithNestedCaptions) {
    const menu::XmlStamp stamp{"03/25/10", "08:15:00", "maria"};
    EXPECT_EQ(menu::menuXml({"&Archivo", "Ver\tF5"}, stamp),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
              "<!--Vorpex menu-->\n"
              "<!--Date: 03/25/10 Time: 08:15:00-->\n"
              "<!--Last access: maria-->\n"
              "<menuitem>\n"
              "   <item>\n      <caption>&amp;Archivo</caption>\n   </item>\n"
              "   <item>\n      <caption>Ver\tF5</caption>\n   </item>\n"
              "</menuitem>\n");
    // Without items: the declaration and the comments only.
    EXPECT_EQ(menu::menuXml({}, stamp).find("<menuitem>"), std::string::npos);
}

TEST(MenuXml, TextsAndCommentsAreMadeSafe) {
    struct Case {
        std::string in, text, comment;
    };
    const std::vector<Case> cases = {
        {"a<b>&c", "a&lt;b&gt;&amp;c", "a<b>&c"},
        {"\x80uro \x93q\x94", "&#8364;uro &#8220;q&#8221;", "?uro ?q?"},
        {"bell\x07 tab\t", "bell tab\t", "bell tab\t"},
        {"undefined \x81", "undefined ?", "undefined ?"},
        {"se\xf1or", "se\xf1or", "se\xf1or"},
        {"a--b---", "a--b---", "a- -b- - - "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(menu::xmlText(c.in), c.text);
        EXPECT_EQ(menu::xmlComment(c.in), c.comment);
    }
}

#ifndef _WIN32
// Python's parser reads the file as a reader of menu files would: the captions must come back as the program
// meant them, whatever the user name and texts hold.
TEST(MenuXml, SaveXmlWritesAFileAnIndependentParserReadsBack) {
    registerGraphics();
    registerMenus();
    FakeMenuPort port;
    rt::testing::TempFolder folder;
    Value menu = rt::send(classCall(TMenu::classRecord()), "Create");
    for (const char* text : {"&Archivo", "Caf\xe9 \x80 <b> & \x01--", "Ver\tF5"})
        rt::send(menu, "AddItem", {Value(text)});
    setenv("USERNAME", "ana--", 1);
    const std::string file = folder.file("menu.xml");
    ASSERT_TRUE(rt::send(menu, "SaveXML", {Value(file)}).asLogical());
    const std::string out = folder.file("captions.txt");
    const std::string script =
        "import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); "
        "open(sys.argv[2], 'w', encoding='utf-8').write('|'.join(i.find('caption').text for i in r.findall('item')))";
    ASSERT_EQ(std::system(("python3 -c \"" + script + "\" " + file + " " + out).c_str()), 0);
    std::ifstream in(out);
    std::stringstream captions;
    captions << in.rdbuf();
    EXPECT_EQ(captions.str(), "&Archivo|Caf\xc3\xa9 \xe2\x82\xac <b> & --|Ver\tF5");

    EXPECT_FALSE(rt::send(menu, "SaveXML", {Value(folder.file("no/such/folder/menu.xml"))}).asLogical());
    rt::send(menu, "End");
}
#endif

}  // namespace
}  // namespace vorpex::testing
