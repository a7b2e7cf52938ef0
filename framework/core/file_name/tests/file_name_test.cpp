// File names by text rules, TFileName over them, and FILEUNIQUE against real files: a free name, a leftover
// it may reuse, and one another handle holds open.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/file_name/file_name_functions.h"
#include "framework/core/file_name/file_unique.h"
#include "framework/core/native/native_functions.h"
#include "runtime/core/send.h"
#include "runtime/rdd/file.h"
#include "tests/support/function_call.h"
#include "tests/support/temp_folder.h"

namespace vorpex::dialogs {
namespace {

using rt::testing::call;

class FileNames : public ::testing::Test {
protected:
    void SetUp() override { registerFileNameFunctions(); }
};

TEST_F(FileNames, TakingNamesApart) {
    const struct {
        const char* file;
        const char* shortName;
        const char* fullName;
        const char* path;
        const char* extension;
        const char* drive;
    } cases[] = {
        {"C:\\data\\empleado.dbf", "empleado", "empleado.dbf", "C:\\data", "dbf", "C"},
        {"D:\\dir.old\\readme", "readme", "readme", "D:\\dir.old", "", "D"},  // the dot is the folder's
        {"\\readme.txt", "readme", "readme.txt", "", "txt", ""},             // backslash only in front
        {"archive.tar.gz", "archive.tar", "archive.tar.gz", "", "gz", ""},   // the last dot counts
        {"D:\\x", "x", "x", "D:", "", "D"},
        {"\\\\server\\share\\a.b", "a", "a.b", "\\\\server\\share", "b", ""},
        {"name.", "name", "name.", "", "", ""},
        {":odd", ":odd", ":odd", "", "", ""},  // nothing before the colon: no drive letter
        {"", "", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(call("FILESHORTNAME", {c.file}).asString(), c.shortName);
        EXPECT_EQ(call("FILEFULLNAME", {c.file}).asString(), c.fullName);
        EXPECT_EQ(call("FILEPATH", {c.file}).asString(), c.path);
        EXPECT_EQ(call("FILEEXTENSION", {c.file}).asString(), c.extension);
        EXPECT_EQ(call("FILEDRIVE", {c.file}).asString(), c.drive);
        EXPECT_EQ(call("FILEHASEXTENSION", {c.file}).asLogical(), *c.extension != 0);
        EXPECT_EQ(call("FILEHASPATH", {c.file}).asLogical(), std::string(c.file).find('\\') != std::string::npos);
        EXPECT_EQ(call("FILEHASDRIVE", {c.file}).asLogical(), std::string(c.file).find(':') != std::string::npos);
    }
}

TEST_F(FileNames, PuttingNamesTogether) {
    const struct {
        const char* function;
        const char* file;
        const char* part;
        const char* expected;
    } cases[] = {
        {"FILESETPATH", "C:\\old\\a.txt", "D:\\new", "D:\\new\\a.txt"},
        {"FILESETPATH", "a.txt", "D:\\new\\", "D:\\new\\a.txt"},  // no second backslash
        {"FILESETPATH", "C:\\old\\a.txt", "", "a.txt"},           // no folder: the bare name, not "\a.txt"
        {"FILESETNAME", "C:\\dir\\a.prn", "b", "C:\\dir\\b.prn"},
        {"FILESETNAME", "C:\\dir\\a", "b", "C:\\dir\\b."},  // without an extension the dot stays
        {"FILESETNAME", "\\a.prn", "b", "\\b.prn"},         // rooted stays rooted
        {"FILESETNAME", "a.prn", "b", "b.prn"},             // no folder gains none
        {"FILESETEXTENSION", "a.prn", "pdf", "a.pdf"},
        {"FILESETEXTENSION", "a.prn", ".pdf", "a.pdf"},
        {"FILESETEXTENSION", "a.prn", "", "a"},
        {"FILESETEXTENSION", "D:\\dir.old\\readme", "txt", "D:\\dir.old\\readme.txt"},
        {"FILESETEXTENSION", "a", "tar.gz", "a.tar.gz"},
        {"FILESETEXTENSION", "b.", "pdf", "b.pdf"},  // what FILESETNAME left without an extension
    };
    for (const auto& c : cases)
        EXPECT_EQ(call(c.function, {c.file, c.part}).asString(), c.expected) << c.function << " " << c.file;
}

TEST_F(FileNames, NonTextArgumentsCountAsEmpty) {
    EXPECT_EQ(call("FILEFULLNAME", {}).asString(), "");
    EXPECT_EQ(call("FILESETEXTENSION", {"a.prn", rt::Value()}).asString(), "a");
    EXPECT_FALSE(call("FILEHASPATH", {42}).asLogical());
}

TEST_F(FileNames, TFileNameAppliesTheRulesToItsName) {
    rt::Value f = call("TFILENAME", {"C:\\data\\a.prn"});  // the class function sends New
    ASSERT_TRUE(f.isObject());
    EXPECT_EQ(rt::send(f, "ClassName").asString(), "TFileName");
    EXPECT_EQ(rt::send(f, "cFileName").asString(), "C:\\data\\a.prn");
    EXPECT_EQ(rt::send(f, "ShortName").asString(), "a");
    EXPECT_EQ(rt::send(f, "Path").asString(), "C:\\data");
    EXPECT_EQ(rt::send(f, "Drive").asString(), "C");
    EXPECT_TRUE(rt::send(f, "HasExtension").asLogical());

    EXPECT_EQ(rt::send(f, "WithExtension", {"pdf"}).asString(), "C:\\data\\a.pdf");
    EXPECT_EQ(rt::send(f, "cFileName").asString(), "C:\\data\\a.prn");  // With... never stores
    EXPECT_EQ(rt::send(f, "SetExtension", {"pdf", false}).asString(), "C:\\data\\a.pdf");
    EXPECT_EQ(rt::send(f, "cFileName").asString(), "C:\\data\\a.prn");  // .F.: computed, not stored
    EXPECT_EQ(rt::send(f, "SetName", {"b"}).asString(), "C:\\data\\b.prn");
    EXPECT_EQ(rt::send(f, "SetPath", {"D:\\out"}).asString(), "D:\\out\\b.prn");
    EXPECT_EQ(rt::send(f, "cFileName").asString(), "D:\\out\\b.prn");

    EXPECT_TRUE(rt::send(f, "Create").sameAs(f));
    EXPECT_EQ(rt::send(f, "cFileName").asString(), "");  // an omitted name is ""
}

// FILEUNIQUE in a scratch folder, with the program's defaults replaced by a test host.
class UniqueNames : public FileNames {
protected:
    void SetUp() override {
        FileNames::SetUp();
        previous_ = setUniqueNameHost({[this] { return folder(); }, [] { return std::string("Q:\\app"); }});
    }
    void TearDown() override { setUniqueNameHost(previous_); }

    // With its final separator, in the form the platform's own calls give.
    std::string folder() const { return (temp_.path() / "").string(); }
    void touch(const std::string& name) const { std::ofstream(folder() + name) << "left over"; }

    rt::testing::TempFolder temp_;
    UniqueNameHost previous_;
};

TEST_F(UniqueNames, FirstNumberWhoseFileDoesNotExist) {
    EXPECT_EQ(call("FILEUNIQUE").asString(), folder() + "VP_1.tmp");  // free

    touch("VP_1.tmp");  // an existing file is passed over and kept, whoever's it is
    touch("VP_2.tmp");
    EXPECT_EQ(call("FILEUNIQUE").asString(), folder() + "VP_3.tmp");
    EXPECT_TRUE(rt::rdd::fileExists(folder() + "VP_1.tmp"));
    EXPECT_TRUE(rt::rdd::fileExists(folder() + "VP_2.tmp"));
}

TEST_F(UniqueNames, FolderExtensionAndPrefixAsGiven) {
    EXPECT_EQ(call("FILEUNIQUE", {folder(), "pdf", "RPT"}).asString(), folder() + "RPT1.pdf");
    EXPECT_EQ(call("FILEUNIQUE", {"", "pdf"}).asString(), folder() + "VP_1.pdf");  // "" is the default folder

    rt::Value f = call("TFILENAME", {folder() + "report.prn"});
    EXPECT_EQ(rt::send(f, "Unique", {"pdf"}).asString(), folder() + "VP_1.pdf");
}

TEST_F(UniqueNames, RootedFolderTakesTheProgramsDrive) {
    // Folders where no file exists: nothing is created or erased there.
    const struct {
        const char* folder;
        const char* programFolder;
        const char* expected;
    } cases[] = {
        {"\\vorpex-none", "Q:\\app", "Q:\\vorpex-none\\VP_1.tmp"},
        {"\\\\vorpex-none\\share\\", "Q:\\app", "\\\\vorpex-none\\share\\VP_1.tmp"},  // a share keeps its name
        {"\\vorpex-none\\", "\\\\server\\app", "\\vorpex-none\\VP_1.tmp"},           // no drive to give
    };
    for (const auto& c : cases) {
        std::string program = c.programFolder;
        setUniqueNameHost({[this] { return folder(); }, [program] { return program; }});
        EXPECT_EQ(call("FILEUNIQUE", {c.folder}).asString(), c.expected) << c.folder;
    }
}

TEST_F(FileNames, WithoutAHostTheTemporaryFolderIsTheSystems) {
    registerNativeFunctions();  // GETTEMPDIRECTORY on Windows
    UniqueNameHost previous = setUniqueNameHost({});
    std::string expected;
    if (rt::findFunction("GETTEMPDIRECTORY"))
        expected = call("GETTEMPDIRECTORY").asString();
    else
        expected = (std::filesystem::temp_directory_path() / "").string();
    const std::string name = call("FILEUNIQUE", {rt::Value(), "vorpex-none"}).asString();
    setUniqueNameHost(previous);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(name, expected + "VP_1.vorpex-none");
}

}  // namespace
}  // namespace vorpex::dialogs
