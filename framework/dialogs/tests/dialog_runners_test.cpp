// The further dialog runners: the find and replace dialogs' buffers and notifications natively; under Wine
// each dialog shown and answered by the tests' answerer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/dialogs/dialog_answerer.h"
#include "framework/dialogs/runners/choose_font.h"
#include "framework/dialogs/runners/file_operation.h"
#include "framework/dialogs/runners/find_replace.h"
#include "framework/dialogs/runners/shell_dialogs.h"
#include "runtime/core/block.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#endif

namespace vorpex::testing {
namespace {

using rt::Value;

TEST(FindDialogText, ALongerTextIsCutToTheBuffer) {
    const struct {
        std::string given;
        size_t kept;
    } cases[] = {{"", 0}, {"hola", 4}, {std::string(254, 'x'), 254}, {std::string(255, 'x'), 254},
                 {std::string(1000, 'x'), 254}, {std::string("ab\0cd", 5), 2}};
    for (const auto& c : cases) {
        const std::string fitted = fitFindText(c.given);
        EXPECT_EQ(fitted.size(), c.kept) << c.given.size();
        EXPECT_EQ(fitted, c.given.substr(0, c.kept));
    }
}

TEST(FindDialogNotice, TheFlagsNameTheButtonAndKeepTheChoices) {
    const struct {
        uint32_t flags;
        FindAction action;
        uint32_t choices;
    } cases[] = {{0x1, FindAction::None, 0x1},        {0x8 | 0x4, FindAction::FindNext, 0x4},
                 {0x10 | 0x1, FindAction::Replace, 0x1}, {0x20 | 0x2, FindAction::ReplaceAll, 0x2},
                 {0x40 | 0x5, FindAction::Close, 0x5},   {0x40 | 0x8, FindAction::Close, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(findActionOf(c.flags), c.action) << c.flags;
        EXPECT_EQ(findChoiceFlags(c.flags), c.choices) << c.flags;
    }
}

TEST(FontDialogRules, BoldAndWeightAgreeAndAFontListIsAlwaysNamed) {
    const struct {
        int64_t weight;
        bool bold;
        int64_t asked;
    } weights[] = {{0, false, 0}, {0, true, 700}, {400, true, 700}, {800, true, 800}, {700, false, 400},
                   {300, false, 300}};
    for (const auto& w : weights) EXPECT_EQ(fontWeightFor(w.weight, w.bold), w.asked) << w.weight << w.bold;
    EXPECT_TRUE(isBoldWeight(600));
    EXPECT_FALSE(isBoldWeight(500));
    const struct {
        uint32_t flags;
        int64_t min, max;
        uint32_t used;
    } flags[] = {{0, 0, 0, 0x1}, {0x2, 0, 0, 0x2}, {0x101, 8, 0, 0x2101}, {0x100, 0, 20, 0x2101}};
    for (const auto& f : flags) EXPECT_EQ(chooseFontFlags(f.flags, f.min, f.max), f.used) << f.flags;
}

TEST(FileOperationRules, NamesAreSplitAtNulsAndARequestNeedsWhatItsActionNeeds) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(fileNamesOf(std::string("a.txt\0b.txt\0\0", 14)), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(fileNamesOf("c:\\x.dbf"), (Names{"c:\\x.dbf"}));
    EXPECT_EQ(fileNamesOf(""), Names{});
    const struct {
        int64_t action;
        Names from, to;
        bool valid;
    } cases[] = {{FileCopy, {"a"}, {"d"}, true},  {FileMove, {"a"}, {"d"}, true}, {FileRename, {"a"}, {"b"}, true},
                 {FileDelete, {"a"}, {}, true},   {FileCopy, {"a"}, {}, false},   {FileCopy, {}, {"d"}, false},
                 {FileDelete, {}, {}, false},     {0, {"a"}, {"d"}, false},       {5, {"a"}, {"d"}, false}};
    for (const auto& c : cases) {
        FileOperation o;
        o.action = c.action;
        o.from = c.from;
        o.to = c.to;
        EXPECT_EQ(fileOperationValid(o), c.valid) << c.action << " " << c.from.size() << " " << c.to.size();
    }
}

TEST(FileOperationRules, ATakenTargetNameIsNumberedBeforeItsExtension) {
    const std::vector<std::string> onDisk = {"d\\a.txt", "d\\a (2).txt", "d\\.profile", "d\\notas"};
    const auto exists = [&onDisk](const std::string& p) { return std::find(onDisk.begin(), onDisk.end(), p) != onDisk.end(); };
    const auto isFolder = [](const std::string& p) { return p == "d" || p == "d\\"; };
    FileOperation o;
    o.action = FileCopy;
    o.flags = kRenameOnCollision;
    o.from = {"x\\a.txt", "x\\b.txt", "x\\.profile", "y\\notas", "y\\b.txt"};
    o.to = {"d"};
    const std::optional<CollisionPlan> plan = planCollisions(o, isFolder, exists);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->to, (std::vector<std::string>{"d\\a (3).txt", "d\\b.txt", "d\\.profile (2)", "d\\notas (2)",
                                                  "d\\b (2).txt"}));
    EXPECT_EQ(plan->renamed.size(), 4u);
    EXPECT_EQ(plan->renamed[0], std::make_pair(std::string("d\\a.txt"), std::string("d\\a (3).txt")));
    EXPECT_EQ(plan->renamed[3], std::make_pair(std::string("d\\b.txt"), std::string("d\\b (2).txt")))
        << "two files of one name in the same run";
    const struct {
        const char* why;
        int64_t action;
        uint32_t flags;
        std::vector<std::string> from, to;
    } left[] = {{"no renaming asked", FileCopy, 0, {"x\\a.txt"}, {"d"}},
                {"a delete", FileDelete, kRenameOnCollision, {"x\\a.txt"}, {}},
                {"one target per file", FileCopy, kRenameOnCollision | kMultipleTargets, {"x\\a.txt"}, {"d\\z.txt"}},
                {"wildcards", FileMove, kRenameOnCollision, {"x\\*.txt"}, {"d"}},
                {"no folder", FileCopy, kRenameOnCollision, {"x\\a.txt"}, {"e"}}};
    for (const auto& c : left) {
        o.action = c.action;
        o.flags = c.flags;
        o.from = c.from;
        o.to = c.to;
        EXPECT_FALSE(planCollisions(o, isFolder, exists)) << c.why;
    }
}

TEST(FileOperationDialog, AnInvalidRequestFailsBeforeTheShell) {
    Value dlg(TFileOperationDlg::classRecord().instantiate());
    rt::send(dlg, "_nAction", {9});
    rt::send(dlg, "_cFrom", {"a.txt"});
    rt::send(dlg, "_cTo", {"b.txt"});
    EXPECT_FALSE(rt::send(dlg, "Run").asLogical());
    EXPECT_EQ(rt::send(dlg, "nLastError").asInteger(), 87);
    EXPECT_EQ(rt::send(dlg, "aRenamed").asArray()->items.size(), 0u);
}

TEST(FormatDriveDialog, ATextNamingNoDriveFailsBeforeAnyDialog) {
    const struct {
        const char* text;
        int number;
    } cases[] = {{"A", 0}, {"c:", 2}, {"Z:\\", 25}, {"", -1}, {"1:", -1}, {"CD", -1}, {"c:\\x", -1}};
    for (const auto& c : cases) EXPECT_EQ(driveNumberOf(c.text), c.number) << c.text;
    int offered = 0;
    setDialogAnswerer([&offered](intptr_t) { ++offered; });
    Value dlg(TFormatDriveDlg::classRecord().instantiate());
    rt::send(dlg, "_cDrive", {"?:"});
    EXPECT_FALSE(rt::send(dlg, "Run").asLogical());
    EXPECT_EQ(rt::send(dlg, "nLastError").asInteger(), kFormatError);
    EXPECT_EQ(offered, 0);
    setDialogAnswerer(nullptr);
}

#ifdef _WIN32

// Records each event as "Event:text[:replace]:flags".
Value recorder(std::vector<std::string>& heard, const char* event, bool replace) {
    return Value(rt::makeBlock([&heard, event, replace](rt::Args a) {
        std::string line = std::string(event) + ":" + rt::arg(a, 1).asString();
        if (replace) line += ":" + rt::arg(a, 2).asString();
        line += ":" + std::to_string(rt::arg(a, replace ? 3 : 2).asInteger());
        heard.push_back(line);
        return Value();
    }));
}

// What the person does: type the texts (unless empty), tick Match case, press the buttons in turn.
struct FindScript {
    std::string find, replace;
    bool matchCase = false;
    std::vector<int> buttons;
};
const FindScript* script = nullptr;

// Runs from the dialog's loop once the dialog has set itself up.
void CALLBACK actOut(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    KillTimer(dialog, timer);
    if (!script->find.empty()) SetDlgItemTextA(dialog, edt1, script->find.c_str());
    if (!script->replace.empty()) SetDlgItemTextA(dialog, edt2, script->replace.c_str());
    if (script->matchCase) CheckDlgButton(dialog, chx2, BST_CHECKED);
    for (int button : script->buttons) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

void answerWith(const FindScript& s) {
    script = &s;
    setDialogAnswerer([](intptr_t window) { SetTimer(reinterpret_cast<HWND>(window), 1, 0, actOut); });
}

TEST(FindDialog, EachButtonFiresItsEventWithTheDialogsTextAndFlags) {
    const std::string longText(300, 'x');
    const struct {
        const char* name;
        std::string given;
        FindScript script;
        std::vector<std::string> heard;
        std::string textAfter;
    } cases[] = {
        {"find next, then close", "", {"hola", "", true, {IDOK, IDCANCEL}}, {"OnFind:hola:5", "OnClose:hola:5"}, "hola"},
        {"closed at once", "previa", {"", "", false, {IDCANCEL}}, {"OnClose:previa:1"}, "previa"},
        {"a long text is cut", longText, {"", "", false, {IDOK, IDCANCEL}},
         {"OnFind:" + longText.substr(0, 254) + ":1", "OnClose:" + longText.substr(0, 254) + ":1"},
         longText.substr(0, 254)},
    };
    for (const auto& c : cases) {
        answerWith(c.script);
        Value dlg(TFindDlg::classRecord().instantiate());
        rt::send(dlg, "_cText", {c.given});
        std::vector<std::string> heard;
        rt::send(dlg, "_OnFind", {recorder(heard, "OnFind", false)});
        rt::send(dlg, "_OnClose", {recorder(heard, "OnClose", false)});
        EXPECT_TRUE(rt::send(dlg, "Run").asLogical()) << c.name;
        EXPECT_EQ(heard, c.heard) << c.name;
        EXPECT_EQ(rt::send(dlg, "cText").asString(), c.textAfter) << c.name;
    }
    setDialogAnswerer(nullptr);
}

TEST(ReplaceDialog, ReplaceReplaceAllAndFindNextFireTheirEvents) {
    const FindScript s{"uno", "dos", false, {psh1, psh2, IDOK, IDCANCEL}};
    answerWith(s);
    Value dlg(TReplaceDlg::classRecord().instantiate());
    std::vector<std::string> heard;
    for (const char* event : {"OnFind", "OnReplace", "OnReplaceAll", "OnClose"})
        rt::send(dlg, std::string("_") + event, {recorder(heard, event, true)});
    EXPECT_TRUE(rt::send(dlg, "Run").asLogical());
    const std::vector<std::string> expected = {"OnReplace:uno:dos:1", "OnReplaceAll:uno:dos:1", "OnFind:uno:dos:1",
                                               "OnClose:uno:dos:1"};
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(rt::send(dlg, "cReplaceText").asString(), "dos");
    setDialogAnswerer(nullptr);
}


// Answers every dialog offered by pressing `button`, counting them.
int answerAll(WPARAM button) {
    static int offered;
    static WPARAM pressed;
    offered = 0;
    pressed = button;
    setDialogAnswerer([](intptr_t window) {
        ++offered;
        PostMessageA(reinterpret_cast<HWND>(window), WM_COMMAND, pressed, 0);
    });
    return 0;
}

// A scalable face the screen has: the last by name, so that a dialog that kept its first entry shows.
std::string lastTrueTypeFace() {
    std::string last;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(
        screen, &wanted,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM found) -> int {
            std::string& name = *reinterpret_cast<std::string*>(found);
            if ((type & TRUETYPE_FONTTYPE) && font->lfFaceName[0] != '@' && name < font->lfFaceName)
                name = font->lfFaceName;
            return 1;
        },
        reinterpret_cast<LPARAM>(&last), 0);
    ReleaseDC(nullptr, screen);
    return last;
}

TEST(ChooseFontDialog, OkGivesBackTheFontItWasGivenAndCancelLeavesIt) {
    const std::string face = lastTrueTypeFace();
    ASSERT_FALSE(face.empty());
    struct Case {
        WPARAM button;
        bool chosen;
    } cases[] = {{IDOK, true}, {IDCANCEL, false}};
    for (const Case& c : cases) {
        answerAll(c.button);
        Value dlg(TChooseFontDlg::classRecord().instantiate());
        rt::send(dlg, "_cName", {face});
        rt::send(dlg, "_nSize", {12});
        rt::send(dlg, "_lBold", {true});
        rt::send(dlg, "_nWeight", {123});  // a cancel leaves even a weight bold would change
        int events = 0;
        const Value count(rt::makeBlock([&events](rt::Args) { return Value(++events); }));
        rt::send(dlg, "_OnShow", {count});
        rt::send(dlg, "_OnClose", {count});
        EXPECT_EQ(rt::send(dlg, "Run").asLogical(), c.chosen);
        EXPECT_EQ(events, 2);
        EXPECT_EQ(rt::send(dlg, "nLastError").asInteger(), 0);
        EXPECT_EQ(rt::send(dlg, "cName").asString(), face);
        EXPECT_EQ(rt::send(dlg, "nSize").asInteger(), 12);
        EXPECT_TRUE(rt::send(dlg, "lBold").asLogical());
        EXPECT_EQ(rt::send(dlg, "nWeight").asInteger(), c.chosen ? 700 : 123);
        EXPECT_EQ(rt::send(dlg, "nHeight").asInteger() < 0, c.chosen) << "the chosen height is the cell's";
    }
    setDialogAnswerer(nullptr);
}

void writeFile(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

TEST(FileOperationDialog, CopiesRenamingOnACollisionThenDeletes) {
    rt::testing::TempFolder folder;
    const std::string target = folder.file("destino");
    std::filesystem::create_directory(target);
    writeFile(folder.file("a.txt"), "uno");
    writeFile(folder.file("b.txt"), "dos");
    writeFile(target + "\\a.txt", "antes");
    Value dlg(TFileOperationDlg::classRecord().instantiate());
    rt::send(dlg, "_nAction", {FileCopy});
    rt::send(dlg, "_nFlags", {0x4 | 0x8 | 0x10 | 0x400});  // silent, rename on collision, no confirmation, no error UI
    rt::send(dlg, "_cFrom", {folder.file("a.txt") + std::string(1, '\0') + folder.file("b.txt")});
    rt::send(dlg, "_cTo", {target});
    EXPECT_TRUE(rt::send(dlg, "Run").asLogical()) << rt::send(dlg, "nLastError").asInteger();
    EXPECT_FALSE(rt::send(dlg, "lAborted").asLogical());
    EXPECT_TRUE(std::filesystem::exists(target + "\\b.txt"));
    const rt::ArrayPtr renamed = rt::send(dlg, "aRenamed").asArray();
    ASSERT_EQ(renamed->items.size(), 1u);
    const rt::ArrayPtr pair = renamed->at1(1).asArray();
    EXPECT_EQ(pair->at1(1).asString(), target + "\\a.txt");
    EXPECT_EQ(pair->at1(2).asString(), target + "\\a (2).txt");
    std::string copied;
    std::ifstream(target + "\\a (2).txt") >> copied;
    EXPECT_EQ(copied, "uno");
    std::string kept;
    std::ifstream(target + "\\a.txt") >> kept;
    EXPECT_EQ(kept, "antes") << "the file already there is left as it was";

    rt::send(dlg, "_nAction", {FileDelete});
    rt::send(dlg, "_nFlags", {0x4 | 0x10 | 0x400});
    rt::send(dlg, "_cFrom", {Value::array({Value(target + "\\b.txt")})});
    rt::send(dlg, "_cTo", {""});
    EXPECT_TRUE(rt::send(dlg, "Run").asLogical());
    EXPECT_FALSE(std::filesystem::exists(target + "\\b.txt"));
    EXPECT_EQ(rt::send(dlg, "aRenamed").asArray()->items.size(), 0u);
}

// Wine's pick-icon dialog cannot be made (the routine answers .F. and leaves the properties), its run dialog is
// shown and cancelled, and its format dialog formats nothing.
TEST(ShellDialogs, EachIsShownAndCancelledOrFailsCleanly) {
    answerAll(IDCANCEL);
    Value pick(TPickIconDlg::classRecord().instantiate());
    rt::send(pick, "_cFileName", {"shell32.dll"});
    rt::send(pick, "_nIndex", {3});
    EXPECT_FALSE(rt::send(pick, "Run").asLogical());
    EXPECT_EQ(rt::send(pick, "cFileName").asString(), "shell32.dll");
    EXPECT_EQ(rt::send(pick, "nIndex").asInteger(), 3);

    Value run(TRunFileDlg::classRecord().instantiate());
    rt::send(run, "_cTitle", {"Ejecutar"});
    rt::send(run, "_cMessage", {"Escriba el programa"});
    int executed = 0;
    rt::send(run, "_OnExecute", {Value(rt::makeBlock([&executed](rt::Args) { return Value(++executed); }))});
    EXPECT_TRUE(rt::send(run, "Run").asLogical());
    EXPECT_EQ(executed, 0);

    Value format(TFormatDriveDlg::classRecord().instantiate());
    rt::send(format, "_cDrive", {"A:"});
    rt::send(format, "_cLabel", {"COPIAS"});
    EXPECT_FALSE(rt::send(format, "Run").asLogical());
    EXPECT_EQ(rt::send(format, "nLastError").asInteger(), -3) << "Wine's shell formats no drive";
    setDialogAnswerer(nullptr);
}

#endif

}  // namespace
}  // namespace vorpex::testing
