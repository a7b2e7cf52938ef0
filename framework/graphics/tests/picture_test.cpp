// The picture over a record-keeping port: which source a name selects, the order of the fall-backs (a page
// through the image library, OLE for the formats it reads, the image library, then an icon; a bitmap
// resource, an icon, then the custom types), that every owned object is released exactly once, and the .bmp
// file header made for a bitmap resource.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "framework/graphics/graphics.h"
#include "framework/graphics/picture/picture.h"
#include "framework/graphics/picture/picture_port.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {
namespace {

using rt::Value;

// Bytes starting "PIC" are a picture (the rest is its width); the image library reads bytes starting "LIB"
// (the rest is the file's page count) and the pages of the files listed; resources and icons exist only when
// listed.
class FakePicturePort final : public gfx::PicturePort {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::string> resources;  // "type/name" -> bytes
    std::vector<std::string> icons;
    std::map<std::string, int64_t> libraryFiles;  // file -> pages
    std::vector<intptr_t> released;
    intptr_t next = 100;

    FakePicturePort() { gfx::setPicturePort(this); }
    ~FakePicturePort() override { gfx::setPicturePort(nullptr); }

    gfx::PictureFacts made(int64_t type, int64_t width) {
        next += 10;
        return {.image = next, .memory = next + 1, .picture = next + 2, .rendered = next + 3, .width = width,
                .height = width, .type = type};
    }
    std::optional<gfx::PictureFacts> fromBytes(const std::string& bytes) override {
        calls.push_back("bytes " + bytes.substr(0, 16));
        if (bytes.rfind("PIC", 0) != 0) return std::nullopt;
        return made(gfx::kPictureBitmap, std::stoll("0" + bytes.substr(3)));
    }
    gfx::LibraryPicture libraryBytes(const std::string& bytes) override {
        calls.push_back("library " + bytes.substr(0, 16));
        if (bytes.rfind("LIB", 0) != 0) return {};
        const int64_t pages = std::stoll("0" + bytes.substr(3));
        return {made(gfx::kPictureBitmap, 1), pages};
    }
    gfx::LibraryPicture libraryPage(const std::string& file, int64_t page) override {
        calls.push_back("page " + std::to_string(page));
        auto it = libraryFiles.find(file);
        if (it == libraryFiles.end()) return {};
        if (page > it->second) return {std::nullopt, it->second};
        return {made(gfx::kPictureBitmap, page), it->second};
    }
    std::optional<gfx::PictureFacts> fromHandle(int64_t type, intptr_t handle, int64_t, int64_t) override {
        calls.push_back("handle " + std::to_string(type) + " " + std::to_string(handle));
        return made(type, 8);
    }
    std::optional<gfx::PictureFacts> icon(const std::string& kind, const std::string& name) {
        calls.push_back(kind + " " + name);
        if (std::find(icons.begin(), icons.end(), name) == icons.end()) return std::nullopt;
        return made(gfx::kPictureIcon, 32);
    }
    std::optional<gfx::PictureFacts> iconFile(const std::string& file) override { return icon("icon file", file); }
    std::optional<gfx::PictureFacts> iconResource(const std::string& name) override {
        return icon("icon resource", name);
    }
    std::optional<std::string> resource(const std::string& name, const std::string& type) override {
        calls.push_back("resource " + type + "/" + name);
        auto it = resources.find(type + "/" + name);
        if (it == resources.end()) return std::nullopt;
        return it->second;
    }
    void release(const gfx::PictureFacts& f) override { released.push_back(f.image); }
    std::optional<std::string> save(const gfx::PictureFacts& f) override { return "saved " + std::to_string(f.image); }
    bool paint(const gfx::PictureFacts&, const gfx::PicturePaint& at) override {
        calls.push_back("paint " + std::to_string(at.right - at.left));
        return true;
    }
};

// A packed bitmap resource: a 40-byte info header with the bit count, compression and colours used.
std::string packedBitmap(uint16_t bits, uint32_t compression, uint32_t used, size_t extra) {
    std::string s(40 + extra, '\0');
    auto put = [&s](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(0, 40, 4);
    put(4, 2, 4);
    put(8, 2, 4);
    put(12, 1, 2);
    put(14, bits, 2);
    put(16, compression, 4);
    put(32, used, 4);
    return s;
}

uint32_t u32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(s[at + i])) << (8 * i);
    return v;
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override { registerGraphics(); }
    Value newPicture(std::vector<Value> args = {}) {
        return rt::send((*rt::findFunction("TPICTURE"))({}), rt::Symbol::intern("Create"), args);
    }
    static int64_t num(const Value& p, const char* what) { return rt::send(p, what).asInteger(); }
    std::string tempFile(const std::string& name, const std::string& bytes) {
        const auto path = std::filesystem::temp_directory_path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        files.push_back(path);
        return path.string();
    }
    void TearDown() override {
        for (const auto& f : files) std::filesystem::remove(f);
    }

    FakePicturePort port;
    std::vector<std::filesystem::path> files;
};

TEST_F(PictureTest, ANameSelectsResourceOrFileAndSettingItReloads) {
    const std::string file = tempFile("vp_picture_a.bmp", "PIC7");
    port.icons = {"LOGO"};
    const struct {
        Value name;
        std::string firstCall;
        int64_t type;
    } cases[] = {
        {Value(file), "bytes PIC7", gfx::kPictureBitmap},
        {Value("LOGO"), "resource #2/LOGO", gfx::kPictureIcon},
        {Value(int64_t{0x10005}), "resource #2/#5", 0},  // numeric identifiers keep their low 16 bits
        {Value(""), "", 0},
    };
    for (const auto& c : cases) {
        port.calls.clear();
        Value p = newPicture({c.name});
        EXPECT_EQ(port.calls.empty() ? "" : port.calls.front(), c.firstCall);
        EXPECT_EQ(num(p, "nType"), c.type);
        EXPECT_EQ(rt::send(p, "IsPicture").asLogical(), c.type != 0);
        EXPECT_EQ(num(p, "nImageCount"), c.type ? 1 : 0);
    }
    Value p = newPicture();
    rt::send(p, "_cName", {Value(file)});
    EXPECT_EQ(num(p, "nWidth"), 7);
    EXPECT_NE(num(p, "Handle"), 0);
}

TEST_F(PictureTest, FileFallsBackToAnIconAndAMissingFileStaysEmpty) {
    const std::string ico = tempFile("vp_picture_b.ico", "not a picture");
    port.icons = {ico};
    Value p = newPicture({Value(ico)});
    EXPECT_EQ(port.calls,
              (std::vector<std::string>{"bytes not a picture", "library not a picture", "icon file " + ico}));
    EXPECT_TRUE(rt::send(p, "IsIcon").asLogical());
    EXPECT_EQ(num(p, "GetIcon"), num(p, "GetPictureHandle"));
    EXPECT_EQ(num(p, "GetMetafile"), 0);

    port.calls.clear();
    rt::send(p, "LoadFromFile", {Value("no_such_dir/none.gif")});
    EXPECT_EQ(port.calls, (std::vector<std::string>{"icon file no_such_dir/none.gif"}));
    for (const char* field : {"Image", "Ptr", "Picture", "Handle", "nWidth", "nType", "nImageCount"})
        EXPECT_EQ(num(p, field), 0) << field;
    EXPECT_FALSE(rt::send(p, "Paint", {Value(int64_t{1}), 0, 0, 10, 10}).asLogical());
    EXPECT_FALSE(rt::send(p, "Save", {Value("x.gif")}).asLogical());
    EXPECT_EQ(rt::send(p, "SaveToStream").asString(), "");
}

TEST_F(PictureTest, ResourceOrderIsBitmapThenIconThenTheCustomTypes) {
    port.resources["GIF/ANIM"] = "PIC3";
    port.resources["PNG/ANIM"] = "PIC4";
    Value p = newPicture({Value("ANIM")});
    EXPECT_EQ(port.calls, (std::vector<std::string>{"resource #2/ANIM", "icon resource ANIM", "resource JPG/ANIM",
                                                    "resource JPEG/ANIM", "resource GIF/ANIM", "bytes PIC3"}));
    EXPECT_EQ(num(p, "nWidth"), 3);

    // SetTypes answers the previous list; the first type found is the one loaded.
    const Value old = rt::send(p, "SetTypes", {Value::array({Value("PNG"), Value("GIF")})});
    EXPECT_EQ(old.asArray()->items.size(), 3u);
    rt::send(p, "Load");
    EXPECT_EQ(num(p, "nWidth"), 4);

    // With a type, only that type is looked for.
    port.calls.clear();
    rt::send(p, "LoadFromResource", {Value("ANIM"), Value("JPG")});
    EXPECT_EQ(port.calls, (std::vector<std::string>{"resource JPG/ANIM"}));
    EXPECT_FALSE(rt::send(p, "IsPicture").asLogical());
}

TEST_F(PictureTest, ABitmapResourceIsLoadedAsABmpFile) {
    port.resources["#2/OK"] = packedBitmap(8, 0, 0, 1024 + 8);
    newPicture({Value("OK")});
    ASSERT_GE(port.calls.size(), 2u);
    EXPECT_EQ(port.calls[1].substr(0, 8), "bytes BM");
}

TEST_F(PictureTest, EveryLoadReleasesThePreviousPictureOnce) {
    const std::string file = tempFile("vp_picture_c.bmp", "PIC2");
    std::vector<intptr_t> images;
    {
        Value p = newPicture({Value(file)});
        images.push_back(num(p, "Image"));
        rt::send(p, "LoadFromStream", {Value("PIC5")});
        images.push_back(num(p, "Image"));
        EXPECT_EQ(num(p, "nWidth"), 5);
        rt::send(p, "CreateIndirect", {Value(int64_t{1}), Value(int64_t{4242})});
        EXPECT_EQ(port.calls.back(), "handle 1 4242");
        images.push_back(num(p, "Image"));
        rt::send(p, "CreateIndirect", {Value("1"), Value(int64_t{4242})});  // not a type: only empties
        EXPECT_EQ(port.calls.back(), "handle 1 4242");
        rt::send(p, "Destroy");
        rt::send(p, "Destroy");
        images.push_back(0);
        rt::send(p, "LoadFromStream", {Value("PIC6")});
        images.back() = num(p, "Image");
    }
    // The last one goes with the object itself.
    EXPECT_EQ(port.released, images);
}

TEST_F(PictureTest, SaveAndPaintGoThroughTheLoadedPicture) {
    Value p = newPicture();
    rt::send(p, "LoadFromStream", {Value("PIC9")});
    EXPECT_EQ(rt::send(p, "SaveToStream").asString(), "saved " + std::to_string(num(p, "Image")));
    const auto out = std::filesystem::temp_directory_path() / "vp_picture_saved.bin";
    files.push_back(out);
    ASSERT_TRUE(rt::send(p, "Save", {Value(out.string())}).asLogical());
    std::ifstream in(out, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), rt::send(p, "SaveToStream").asString());
    EXPECT_FALSE(rt::send(p, "Save").asLogical());
    EXPECT_TRUE(rt::send(p, "Paint", {Value(int64_t{7}), 2, 2, 11, 11}).asLogical());
    EXPECT_EQ(port.calls.back(), "paint 9");
    Value copy = rt::send(p, "Clone");
    EXPECT_EQ(rt::send(copy, "cName").asString(), "");
}

TEST_F(PictureTest, TheImageLibraryReadsWhatOleDoesNotAndGivesThePageCount) {
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + "rest", tiff("II*\0tiff", 8);
    const struct {
        std::string bytes;
        std::vector<std::string> calls;
        int64_t imageCount;
    } cases[] = {
        {"PIC4", {"bytes PIC4"}, 1},                      // OLE reads it: the library is not asked
        {"LIB3", {"bytes LIB3", "library LIB3"}, 3},      // OLE fails, the library reads a three-page file
        {"LIB0", {"bytes LIB0", "library LIB0"}, 1},      // a single picture
        {png, {"library " + png.substr(0, 16)}, 0},       // PNG never reaches OLE
        {tiff, {"library " + tiff}, 0},                   // nor does TIFF
    };
    for (const auto& c : cases) {
        port.calls.clear();
        Value p = newPicture();
        rt::send(p, "LoadFromStream", {Value(c.bytes)});
        EXPECT_EQ(port.calls, c.calls) << c.bytes;
        EXPECT_EQ(num(p, "nImageCount"), c.imageCount) << c.bytes;
    }
}

TEST_F(PictureTest, APageComesFromTheImageLibraryElseTheWholeFileLoads) {
    const std::string tif = tempFile("vp_picture_pages.tif", "LIB3");
    port.libraryFiles[tif] = 3;
    Value p = newPicture();
    rt::send(p, "LoadFromFile", {Value(tif), Value(2)});
    EXPECT_EQ(port.calls, (std::vector<std::string>{"page 2"}));
    EXPECT_EQ(num(p, "nWidth"), 2) << "page 2";
    EXPECT_EQ(num(p, "nImageCount"), 3);

    // No page asked (NIL, 0, a negative number), or none such: the file loads whole.
    const std::vector<std::string> whole = {"bytes LIB3", "library LIB3"}, pastTheEnd = {"page 4", whole[0], whole[1]};
    const std::pair<Value, std::vector<std::string>> cases[] = {
        {Value(), whole}, {Value(int64_t{0}), whole}, {Value(int64_t{-1}), whole}, {Value(int64_t{4}), pastTheEnd}};
    for (const auto& [page, calls] : cases) {
        port.calls.clear();
        rt::send(p, "LoadFromFile", {Value(tif), page});
        EXPECT_EQ(port.calls, calls);
        EXPECT_EQ(num(p, "nWidth"), 1);
        EXPECT_EQ(num(p, "nImageCount"), 3);
    }

    // A page of a file the library does not read, and the file does not load otherwise: empty.
    const std::string other = tempFile("vp_picture_none.tif", "nothing");
    rt::send(p, "LoadFromFile", {Value(other), Value(3)});
    EXPECT_FALSE(rt::send(p, "IsPicture").asLogical());
    EXPECT_EQ(num(p, "nImageCount"), 0);
}

TEST(OleReadsFormat, PngAndTiffAreLeftToTheImageLibrary) {
    const struct {
        std::string head;
        bool ole;
    } cases[] = {
        {std::string("\x89PNG\r\n\x1a\n", 8), false}, {std::string("II*\0", 4), false},
        {std::string("MM\0*", 4), false},              {"BM", true},
        {"GIF89a", true},                              {std::string("\xFF\xD8\xFF", 3), true},
        {std::string("\x89PNG", 4), true},             {"", true},
    };
    for (const auto& c : cases) EXPECT_EQ(gfx::oleReadsFormat(c.head), c.ole) << c.head;
}

TEST(BitmapFileFromResource, HeaderOffsetsFollowTheColourTable) {
    const struct {
        uint16_t bits;
        uint32_t compression, used;
        uint32_t table;
    } cases[] = {
        {1, 0, 0, 8}, {4, 0, 0, 64}, {8, 0, 0, 1024}, {8, 0, 16, 64}, {24, 0, 0, 0},
        {16, 3, 0, 12},  // bit-field masks follow a 40-byte header
    };
    for (const auto& c : cases) {
        const std::string res = packedBitmap(c.bits, c.compression, c.used, c.table + 16);
        const auto file = gfx::bitmapFileFromResource(res);
        ASSERT_TRUE(file) << c.bits;
        EXPECT_EQ(file->substr(0, 2), "BM");
        EXPECT_EQ(u32(*file, 2), (res.size() + 14 + 3) / 4 * 4);
        EXPECT_EQ(u32(*file, 10), 54 + c.table) << c.bits << " " << c.used;
        EXPECT_EQ(file->substr(14), res);
    }
    // Too short for its header, a header larger than the data, or a colour table past the end.
    EXPECT_FALSE(gfx::bitmapFileFromResource(std::string(20, '\0')));
    std::string big = packedBitmap(24, 0, 0, 0);
    big[0] = 120;
    EXPECT_FALSE(gfx::bitmapFileFromResource(big));
    EXPECT_FALSE(gfx::bitmapFileFromResource(packedBitmap(8, 0, 0, 100)));
}

}  // namespace
}  // namespace vorpex::testing
