// An independent reader walks our files: Perl's XBase::Index (Debian's libdbd-xbase-perl), through its
// documented prepare_select/fetch interface. It has no documented call for the key expression, which the
// layout test checks with its own page walker instead.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/rdd/ntx/ntx_builder.h"
#include "runtime/rdd/ntx/ntx_key.h"
#include "runtime/rdd/ntx/ntx_tree.h"
#include "tests/support/temp_folder.h"

namespace rt::ntx {
namespace {

using rt::testing::TempFolder;
using Entry = std::pair<std::string, uint32_t>;

constexpr const char* dumpScript = R"(use strict;
use XBase::Index;
my ($file, $type) = @ARGV;
my $index = new XBase::Index $file, 'type' => $type or die XBase::Index->errstr;
$index->prepare_select or die $index->errstr;
while (my @item = $index->fetch) { print length($item[0]), "\t", $item[1], "\t", $item[0], "\n"; }
)";

std::string run(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

bool haveXBase() { return run("perl -MXBase::Index -e 'print 1' 2>/dev/null") == "1"; }

struct Dump {
    std::vector<Entry> entries;
    bool lengthsMatch = true;
};

Dump dump(const TempFolder& dir, const std::string& index, const char* type, size_t keySize) {
    std::string script = dir.file("dump.pl");
    std::ofstream(script) << dumpScript;
    std::istringstream lines(run("perl '" + script + "' '" + index + "' " + type));
    Dump d;
    std::string line;
    while (std::getline(lines, line)) {
        size_t a = line.find('\t'), b = line.find('\t', a + 1);
        d.entries.emplace_back(line.substr(b + 1), static_cast<uint32_t>(std::stoul(line.substr(a + 1, b - a - 1))));
        if (std::stoul(line.substr(0, a)) != keySize) d.lengthsMatch = false;
    }
    return d;
}

std::vector<Entry> walk(NtxTree& t) {
    std::vector<Entry> out;
    NtxPosition pos;
    for (bool on = t.first(pos); on; on = t.next(pos)) out.emplace_back(pos.key, pos.recno);
    return out;
}

std::string punchKey(int badge, int day, int minute) {
    char b[64];
    std::snprintf(b, sizeof b, "%6d2010/03/%02d%02d:%02d:00", badge, day, 7 + minute / 60, minute % 60);
    return b;
}

TEST(NtxXBaseReader, ReadsCreatedAndMaintainedFilesInOurOrder) {
    if (!haveXBase()) GTEST_SKIP() << "perl XBase::Index (libdbd-xbase-perl) not installed";
    TempFolder dir;
    struct Case {
        const char* name;
        const char* type;
        uint16_t keySize;
        bool descending;
    };
    for (Case c : {Case{"punch", "char", 24, false}, Case{"numdesc", "num", 8, true}}) {
        SCOPED_TRACE(c.name);
        std::string path = dir.file(std::string(c.name) + ".ntx");
        std::mt19937 rng(3);
        auto keyOf = [&]() {
            if (c.keySize == 24)
                return punchKey(static_cast<int>(rng() % 300), static_cast<int>(rng() % 28 + 1),
                                static_cast<int>(rng() % 600));
            return encodeNumber(static_cast<double>(static_cast<int>(rng() % 20000) - 10000) / 100.0, 8, 2);
        };
        NtxBuilder b(NtxHeader::forKey(c.keySize, c.keySize == 8 ? 2 : 0,
                                       c.keySize == 24 ? "str(empleado,6)+fecha+hora" : "saldo", "", false,
                                       c.descending));
        std::vector<Entry> keys;
        for (uint32_t i = 1; i <= 3000; ++i) {
            keys.emplace_back(keyOf(), i);
            b.add(keys.back().first, i);
        }
        b.write(path);
        {
            // Maintained pages (splits, merges, released pages) must read back as well as built ones.
            auto t = NtxTree::open(path, {});
            for (uint32_t i = 3001; i <= 4000; ++i) ASSERT_TRUE(t->insert(keyOf(), i));
            for (uint32_t i = 1; i <= 1500; i += 2) ASSERT_TRUE(t->remove(keys[i - 1].first, i));
        }
        auto t = NtxTree::open(path, {});
        std::vector<Entry> ours = walk(*t);
        Dump theirs = dump(dir, path, c.type, c.keySize);
        EXPECT_EQ(ours.size(), 4000u - 750u);
        EXPECT_TRUE(theirs.lengthsMatch);
        EXPECT_EQ(theirs.entries, ours);
    }
}

}  // namespace
}  // namespace rt::ntx
