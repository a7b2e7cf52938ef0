#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/core/settings.h"

namespace rt::rdd::test {

void EngineTest::SetUp() {
    namespace fs = std::filesystem;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path base = fs::temp_directory_path() / "vorpex-rdd-tests";
    dir_ = (base / (std::string(info->test_suite_name()) + "-" + info->name())).string();
    for (char& c : dir_)
        if (c == '\\') c = '/';
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    settings() = Settings{};
}

void EngineTest::TearDown() {
    WorkAreas::instance().closeAll();
    WorkAreas::instance().setNetErr(false);
    settings() = Settings{};
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string EngineTest::readFile(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void EngineTest::writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void EngineTest::create(const std::string& name, std::vector<Field> f, MemoKind memo) {
    CreateOptions o;
    o.memoKind = memo;
    Table::create(path(name), std::move(f), o);
}

WorkArea* EngineTest::open(const std::string& name, bool shared, const std::string& alias) {
    UseOptions o;
    o.newArea = true;
    o.shared = shared;
    o.alias = alias;
    if (!areas().use(path(name), o)) return nullptr;
    return areas().current();
}

std::vector<Field> fields(std::initializer_list<Field> list) { return std::vector<Field>(list); }

}  // namespace rt::rdd::test
