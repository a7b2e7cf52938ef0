// The clipboard under Wine: text, Unicode text, file lists and bitmaps placed and read back through
// TClipboard, with an owner window as the programs have.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/core/object/vp_class.h"
#include "framework/graphics/clipboard/clipboard.h"
#include "framework/graphics/clipboard/clipboard_functions.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {
namespace {

using namespace std::string_literals;
using rt::Value;

// An owner as a form presents itself to the clipboard: a window handle.
class FakeOwner : public TComponent {
public:
    using TComponent::TComponent;
    static inline HWND window = nullptr;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("ClipboardTestOwner", &TComponent::classRecord(), rt::factoryOf<FakeOwner>());
            b.addMethod("Handle", [](rt::Object&, const rt::Method&, rt::Args) {
                return Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(window)));
            });
            return b.create();
        }();
        return c;
    }
};

std::string strings(const Value& list) {
    std::string s;
    for (const Value& v : list.asArray()->items) s += v.asString() + "|";
    return s;
}

class WinClipboard : public ::testing::Test {
protected:
    void SetUp() override {
        FakeOwner::window = CreateWindowA("STATIC", "owner", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(FakeOwner::window, nullptr);
        owner = Value(FakeOwner::classRecord().instantiate());
        clipboard = rt::send(Value(TClipboard::classRecord().instantiate()), "Create", {owner});
        ASSERT_TRUE(rt::send(clipboard, "Empty").asLogical());
    }
    void TearDown() override {
        rt::send(clipboard, "End");
        DestroyWindow(FakeOwner::window);
    }
    Value send(const char* message, std::initializer_list<Value> args = {}) {
        return rt::send(clipboard, message, args);
    }
    // The raw block of a format, read straight from Win32.
    std::string rawBlock(UINT format) {
        if (!OpenClipboard(FakeOwner::window)) return "<closed>";
        std::string bytes;
        if (HANDLE h = GetClipboardData(format)) {
            const char* p = static_cast<const char*>(GlobalLock(h));
            bytes.assign(p, GlobalSize(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        return bytes;
    }
    Value owner, clipboard;
};

TEST_F(WinClipboard, TextRoundTrips) {
    std::string chunk;
    for (int row = 0; chunk.size() < 70000; ++row) chunk += std::to_string(row) + "\tN\xFA\xF1" "ez\t12,50\r\n";
    for (const std::string& text : {"hello"s, "A\xF1o"s, chunk}) {
        ASSERT_TRUE(send("Empty").asLogical());
        ASSERT_TRUE(send("SetText", {text}).asLogical());
        EXPECT_EQ(send("GetText").asString(), text);
    }
    // The system makes the Unicode text from ours.
    ASSERT_TRUE(send("Empty").asLogical());
    ASSERT_TRUE(send("SetText", {"A\xF1o"}).asLogical());
    EXPECT_EQ(send("GetData", {13}).asString(), "A\xF1o");
}

TEST_F(WinClipboard, UnicodeTextIsConvertedAndEndsInATwoByteZero) {
    const char* text = "A\xF1o \xF1u";  // code page 1252
    ASSERT_TRUE(send("SetData", {13, text}).asLogical());
    EXPECT_EQ(send("GetData", {13}).asString(), text);
    EXPECT_EQ(send("GetData", {1}).asString(), text);
    std::string raw = rawBlock(CF_UNICODETEXT);
    ASSERT_GE(raw.size(), 14u);
    EXPECT_EQ(raw.size() % 2, 0u);
    std::wstring wide(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / 2);
    EXPECT_EQ(wide.substr(0, wide.find(L'\0')), L"A\u00F1o \u00F1u");
    EXPECT_NE(wide.find(L'\0'), std::wstring::npos);
}

TEST_F(WinClipboard, FileListsRoundTripAndListsOfOtherProgramsAreRead) {
    ASSERT_TRUE(send("SetDropFiles", {Value::array({"a.txt", "b.txt"})}).asLogical());
    EXPECT_EQ(strings(send("GetDropFiles")), "a.txt|b.txt|");
    EXPECT_EQ(rawBlock(CF_HDROP).substr(20, 13), "a.txt\0b.txt\0\0"s);

    // Wide names, as the shell places them.
    const std::wstring names = L"C:\\datos\\a\u00F1o.txt\0C:\\datos\\b.txt\0\0"s;
    SIZE_T size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* record = static_cast<DROPFILES*>(GlobalLock(block));
    record->pFiles = sizeof(DROPFILES);
    record->fWide = TRUE;
    std::memcpy(record + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(FakeOwner::window));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_HDROP, block), nullptr);
    CloseClipboard();
    EXPECT_EQ(strings(send("GetDropFiles")), "C:\\datos\\a\xF1o.txt|C:\\datos\\b.txt|");
}

TEST_F(WinClipboard, BitmapsArePlacedAsCopies) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 4, 3};
    HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
    FillRect(dc, &all, red);
    SelectObject(dc, old);
    ASSERT_TRUE(send("SetData", {2, Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(bitmap)))}).asLogical());
    DeleteObject(bitmap);  // ours to delete: the clipboard holds a copy

    Value copy = send("GetData", {2});
    ASSERT_TRUE(copy.isNumber());
    auto* placed = reinterpret_cast<HBITMAP>(static_cast<intptr_t>(copy.asInteger()));
    BITMAP info{};
    ASSERT_NE(GetObjectA(placed, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 3);
    ASSERT_TRUE(OpenClipboard(FakeOwner::window));
    old = SelectObject(dc, GetClipboardData(CF_BITMAP));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(200, 0, 0));
    SelectObject(dc, old);
    CloseClipboard();
    DeleteDC(dc);
    DeleteObject(red);
    ReleaseDC(nullptr, screen);
}

TEST_F(WinClipboard, RegisteredFormatsAndFormatLists) {
    Value n = send("RegisterFormat", {"VP test"});
    EXPECT_GE(n.asInteger(), 0xC000);
    EXPECT_EQ(send("RegisterFormat", {"VP test"}).asInteger(), n.asInteger());
    EXPECT_TRUE(send("IsPrivateFormat", {n}).asLogical());
    EXPECT_EQ(send("GetFormatName", {n}).asString(), "VP test");
    EXPECT_EQ(send("GetFormatName", {1}).asString(), "TEXT");

    ASSERT_TRUE(send("SetText", {"x"}).asLogical());
    Value formats = send("EnumFormats"), names = send("EnumFormatsName");
    ASSERT_EQ(formats.asArray()->size(), names.asArray()->size());
    ASSERT_GE(formats.asArray()->size(), 1u);
    EXPECT_EQ(formats.asArray()->items[0].asInteger(), 1);
    EXPECT_EQ(names.asArray()->items[0].asString(), "TEXT");
    EXPECT_FALSE(send("IsEmpty").asLogical());
    EXPECT_TRUE(send("HasData", {1}).asLogical());
}

TEST_F(WinClipboard, CallableFunctionsConvertAndHandBackTheBlock) {
    registerClipboardFunctions();
    auto call = [](const char* name, std::initializer_list<Value> args) {
        return (*rt::findFunction(name))(rt::Args(args.begin(), args.size()));
    };
    ASSERT_TRUE(call("OPENCLIPBOARD", {Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(FakeOwner::window)))})
                    .asLogical());
    call("EMPTYCLIPBOARD", {});
    EXPECT_TRUE(call("SETCLIPBOARDDATA", {15, Value::array({"x.txt"})}).asLogical());
    EXPECT_FALSE(call("SETCLIPBOARDDATA", {4, "sylk"}).asLogical());  // not exchanged
    auto cell = std::make_shared<Value>();
    EXPECT_EQ(call("GETCLIPBOARDDATA", {15, Value::reference(cell)}).asString(), "x.txt\0\0"s);
    EXPECT_NE(cell->asInteger(), 0);
    EXPECT_TRUE(call("GETCLIPBOARDDATA", {4, {}}).isNil());
    EXPECT_TRUE(call("CLOSECLIPBOARD", {}).asLogical());
}

}  // namespace
}  // namespace vorpex
