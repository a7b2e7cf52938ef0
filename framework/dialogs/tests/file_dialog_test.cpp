// The file dialogs: the filter pair a name selects, the buffers the system dialog takes and the files read
// back from its answer (tables of cases), the classes' flags and defaults, and, under Wine, real dialogs
// answered by the tests' answerer: a chosen file, a multi-selection of two and of one, a cancel, the image
// dialog's preview pane beside the file list.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "framework/dialogs/dialog_answerer.h"
#include "framework/dialogs/dialogs.h"
#include "framework/dialogs/file_dialogs/file_dialog.h"
#include "framework/dialogs/file_dialogs/file_dialog_rules.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "tests/support/function_call.h"
#include "tests/support/temp_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vorpex {
namespace {

using rt::send;
using rt::Value;
using namespace std::string_literals;

std::string z(const char* text, size_t n) { return std::string(text, n); }

TEST(FileDialogRules, TheFilterPairOfAName) {
    const struct {
        const char *name, *filter;
        int64_t current, expected;
    } cases[] = {{"x.JPG", "Image files|*.bmp;*.jpg|All files|*.*", 5, 1},
                 {"a.txt", "All files (*.*)|*.*", 1, 1},
                 {"a.txt", "All files (*.*)|*.*", 3, 3},
                 {"a.txt", "All|*.*|Text|*.txt", 1, 2},
                 {"A.TXT", "All|*.*|Text|*.txt", 1, 2},
                 {"a", "Text|*.txt", 4, 4},
                 {"a.doc", "All|*.*|Text|*.txt", 2, 2},
                 {"C:\\dir.v2\\a", "Text|*.txt|V2|*.v2", 1, 1},
                 {"b.txt", "TXT files", 3, 1}};
    for (const auto& c : cases) EXPECT_EQ(filterIndexFor(c.name, c.filter, c.current), c.expected) << c.name << " " << c.filter;
}

TEST(FileDialogRules, BuffersTheDialogTakes) {
    EXPECT_EQ(filterBuffer("Text|*.txt|All|*.*"), "Text\0*.txt\0All\0*.*\0\0"s);
    EXPECT_EQ(filterBuffer("Only a description"), "Only a description\0\0"s);
    const std::string small = nameBuffer("a.txt");
    EXPECT_EQ(small.size(), kFileNameBufferSize + 1);
    EXPECT_EQ(small.substr(0, 6), z("a.txt\0", 6));
    const std::string huge = nameBuffer(std::string(70000, 'x'));
    EXPECT_EQ(huge.size(), kFileNameBufferSize + 1) << "a long name is cut, never written past the buffer";
    EXPECT_EQ(huge.find('\0'), kFileNameBufferSize - 1);
}

TEST(FileDialogRules, ChosenFilesFromTheAnswer) {
    const struct {
        std::string buffer;
        bool multi;
        std::string folder;
        std::vector<std::string> names;
    } cases[] = {{z("C:\\data\\a.txt\0\0", 16), false, "C:\\data\\", {"a.txt"}},
                 {z("C:\\data\0a.txt\0b.txt\0\0", 22), true, "C:\\data\\", {"a.txt", "b.txt"}},
                 {z("C:\\data\\a.txt\0\0", 16), true, "C:\\data\\", {"a.txt"}},
                 {z("C:\\\0a.txt\0b.txt\0\0", 18), true, "C:\\", {"a.txt", "b.txt"}},
                 {z("\0\0", 2), true, "", {}}};
    for (const auto& c : cases) {
        const ChosenFiles chosen = chosenFiles(c.buffer, c.multi);
        EXPECT_EQ(chosen.folder, c.folder);
        EXPECT_EQ(chosen.names, c.names);
    }
}

TEST(FileDialogRules, TheNameAloneOnlyInTheInitialFolder) {
    const ChosenFiles chosen{"C:\\data\\", {"a.txt", "b.txt"}};
    const struct {
        const char* initial;
        std::vector<std::string> fileNames;
    } cases[] = {{"C:\\data", {"a.txt", "b.txt"}},
                 {"C:\\data\\", {"a.txt", "b.txt"}},
                 {"C:\\Data", {"C:\\data\\a.txt", "C:\\data\\b.txt"}},
                 {"C:\\", {"C:\\data\\a.txt", "C:\\data\\b.txt"}}};
    for (const auto& c : cases) {
        const FileResult r = fileResult(chosen, c.initial);
        EXPECT_EQ(r.filePath, "C:\\data\\");
        EXPECT_EQ(r.fullNames, (std::vector<std::string>{"C:\\data\\a.txt", "C:\\data\\b.txt"}));
        EXPECT_EQ(r.namesOnly, (std::vector<std::string>{"a.txt", "b.txt"}));
        EXPECT_EQ(r.fileNames, c.fileNames) << c.initial;
    }
}

struct FileDialogTest : ::testing::Test {
    void SetUp() override { registerDialogServices(); }
    void TearDown() override { setDialogAnswerer(nullptr); }
    static Value make(const rt::Class& cls) { return send(Value(cls.instantiate()), "New"); }
    static int64_t flags(const Value& dialog) { return dialog.asObject() ? static_cast<XFileOpenDlg&>(*dialog.asObject()).nFlags() : -1; }
};

TEST_F(FileDialogTest, DefaultsAndOptionBits) {
    const Value open = make(TFileOpenDlg::classRecord());
    EXPECT_EQ(flags(open), 33554432 + 4096 + 4 + 8 + 2048 + 8388608 + 524288);
    EXPECT_EQ(send(open, "cTitle").asString(), "Open file");
    EXPECT_EQ(send(open, "cFilter").asString(), "All files (*.*)|*.*");
    send(open, "_lAllowMultiSelect", {true});
    send(open, "_lFileMustExist", {false});
    EXPECT_EQ(flags(open), 33554432 + 4 + 8 + 2048 + 8388608 + 524288 + 512);
    EXPECT_TRUE(send(open, "lAllowMultiSelect").asLogical());

    const Value save = make(TFileSaveDlg::classRecord());
    EXPECT_EQ(flags(save), 33554432 + 4 + 8 + 2 + 2048 + 524288 + 8388608);
    EXPECT_EQ(send(save, "cTitle").asString(), "Save file");
    send(save, "_lOverwritePrompt", {false});
    EXPECT_EQ(flags(save), 33554432 + 4 + 8 + 2048 + 524288 + 8388608);

    const Value image = make(TFileOpenImageDlg::classRecord());
    EXPECT_EQ(send(image, "cTitle").asString(), "Open image");
    EXPECT_TRUE(send(image, "lShowImageInfo").asLogical());
    send(image, "_cFileName", {"foto.JPG"});
    EXPECT_EQ(send(image, "nFilterIndex").asInteger(), 1) << "*.jpg is one of several patterns of the pair";
    const Value saveImage = make(TFileSaveImageDlg::classRecord());
    EXPECT_EQ(send(saveImage, "cTitle").asString(), "Save image");
    EXPECT_EQ(flags(saveImage), flags(make(TFileSaveDlg::classRecord())));
}

TEST_F(FileDialogTest, ACancelAnswersFalseAndKeepsTheResults) {
#ifdef _WIN32
    setDialogAnswerer([](intptr_t window) { PostMessageA(reinterpret_cast<HWND>(window), WM_COMMAND, IDCANCEL, 0); });
#endif
    const Value open = make(TFileOpenDlg::classRecord());
    send(open, "_cFileName", {"antes.txt"});
    EXPECT_FALSE(send(open, "Run").asLogical());
    EXPECT_EQ(send(open, "cFileName").asString(), "antes.txt");
    EXPECT_EQ(send(open, "cFullFileName").asString(), "");
    EXPECT_EQ(rt::testing::call("FILESAVEDLG", {Value(), Value("Guardar")}).asString(), "");
    EXPECT_EQ(rt::testing::call("FILEOPENIMAGEDLG", {Value(), Value("Abrir")}).asString(), "");
}

#ifdef _WIN32
TEST_F(FileDialogTest, TheChosenFilesComeBackAsTheUserLeftThem) {
    rt::testing::TempFolder folder;
    for (const char* name : {"a.txt", "b.txt"}) std::ofstream(folder.file(name)) << name;
    const std::string dir = folder.path().string();
    setDialogAnswerer([](intptr_t window) { PostMessageA(reinterpret_cast<HWND>(window), WM_COMMAND, IDOK, 0); });
    const struct {
        const char* typed;
        bool multi;
        std::vector<std::string> names;
    } cases[] = {{"a.txt", false, {"a.txt"}}, {"\"a.txt\" \"b.txt\"", true, {"a.txt", "b.txt"}}, {"b.txt", true, {"b.txt"}}};
    for (const auto& c : cases) {
        const Value open = make(TFileOpenDlg::classRecord());
        send(open, "_cInitialDir", {dir});
        send(open, "_cFilter", {"All|*.*|Text|*.txt"});
        send(open, "_cFileName", {c.typed});
        send(open, "_lAllowMultiSelect", {c.multi});
        send(open, "_nFilterIndex", {2});
        ASSERT_TRUE(send(open, "Run").asLogical()) << c.typed;
        EXPECT_EQ(send(open, "cFilePath").asString(), dir + "\\");
        EXPECT_EQ(send(open, "nFilterIndex").asInteger(), 2);
        if (!c.multi) {
            EXPECT_EQ(send(open, "cFullFileName").asString(), dir + "\\a.txt");
            EXPECT_EQ(send(open, "cFileNameOnly").asString(), "a.txt");
            EXPECT_EQ(send(open, "cFileName").asString(), "a.txt") << "in the initial folder: the name alone";
            continue;
        }
        const rt::ArrayPtr full = send(open, "cFullFileName").asArray();
        const rt::ArrayPtr only = send(open, "cFileNameOnly").asArray();
        ASSERT_TRUE(full && only) << c.typed;
        ASSERT_EQ(only->items.size(), c.names.size()) << c.typed;
        for (size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(only->items[i].asString(), c.names[i]);
            EXPECT_EQ(full->items[i].asString(), dir + "\\" + c.names[i]);
        }
    }
}

struct PreviewSeen {
    bool found = false;
    RECT pane{}, list{};
    HWND dialog = nullptr;
};
PreviewSeen g_seen;

void CALLBACK lookAtPreview(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND pane = FindWindowExA(g_seen.dialog, nullptr, "VPFileOpenImagePreview", nullptr);
    g_seen.found = pane != nullptr;
    if (pane) GetWindowRect(pane, &g_seen.pane);
    if (HWND list = GetDlgItem(g_seen.dialog, 1120)) GetWindowRect(list, &g_seen.list);
    PostMessageA(g_seen.dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(FileDialogTest, TheImageDialogShowsItsPreviewBesideTheFileList) {
    g_seen = {};
    setDialogAnswerer([](intptr_t window) {
        g_seen.dialog = reinterpret_cast<HWND>(window);
        SetTimer(nullptr, 0, 10, lookAtPreview);
    });
    const Value image = make(TFileOpenImageDlg::classRecord());
    EXPECT_FALSE(send(image, "Run").asLogical());
    ASSERT_TRUE(g_seen.found);
    EXPECT_EQ(g_seen.pane.right - g_seen.pane.left, 156);
    if (g_seen.list.right > 0) {
        EXPECT_EQ(g_seen.pane.left, g_seen.list.right + 10);
        EXPECT_EQ(g_seen.pane.top, g_seen.list.top);
    }
}
#endif

}  // namespace
}  // namespace vorpex
