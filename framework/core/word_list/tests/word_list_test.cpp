// The word list through its callable functions: case folding, whole-word matching, first number kept, how
// VP_WLCREATE numbers the rows, handles that are not live lists, and freeing a list with branching words.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "framework/core/word_list/word_list.h"
#include "tests/support/function_call.h"

namespace vorpex {
namespace {

using rt::Value;
using rt::testing::call;

Value words(std::vector<Value> items) { return Value::array(std::move(items)); }

class WordListTest : public ::testing::Test {
protected:
    void SetUp() override { registerWordListFunctions(); }
    void TearDown() override {
        for (const Value& h : handles_) call("VP_WLFREE", {h});
    }
    // A list freed at the end of the test.
    Value create(std::vector<Value> args = {}) {
        Value h = call("VP_WLCREATE", std::move(args));
        handles_.push_back(h);
        return h;
    }
    static bool add(const Value& h, const char* word, int64_t n) {
        return call("VP_WLADD", {h, word, Value(n)}).asLogical();
    }
    static int64_t search(const Value& h, const Value& word) { return call("VP_WLSEARCH", {h, word}).asInteger(); }

private:
    std::vector<Value> handles_;
};

TEST(WordListFold, SevenBitsThenCapitals) {
    struct Case {
        unsigned char in, out;
    } cases[] = {
        {'a', 'A'}, {'z', 'Z'}, {'A', 'A'}, {'_', '_'},   {'`', '@'},  {'{', '['}, {'~', '^'},
        {127, 95},  {' ', ' '}, {31, 31},   {0xE1, 'A'},  {0xC1, 'A'}, {0x80, 0},  {0xFF, 95},
    };
    for (const Case& c : cases) EXPECT_EQ(WordList::fold(c.in), c.out) << int(c.in);
}

TEST_F(WordListTest, WholeWordsWithoutRegardToCase) {
    const Value h = create();
    EXPECT_TRUE(add(h, "NUMERO", 1));
    EXPECT_TRUE(add(h, "NOMBRE", 2));
    EXPECT_TRUE(add(h, "NUM", 3));  // a prefix of a stored word is an entry of its own
    EXPECT_TRUE(add(h, "X", 4));
    EXPECT_TRUE(add(h, "BAJA_", 5));
    struct Case {
        const char* word;
        int64_t number;
    } cases[] = {
        {"nombre", 2}, {"Nombre", 2}, {"NOMBRE", 2}, {"NOMBR", 0},      {"NOMBRES", 0}, {"NOMBREX", 0},
        {"numero", 1}, {"num", 3},    {"NU", 0},     {"NUMEROS", 0},    {"NUME", 0},    {"x", 4},
        {"XY", 0},     {"Z", 0},      {"", 0},       {"\xCEUM", 3},     {"baja\x7F", 5}, {"NUMERO ", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(search(h, c.word), c.number) << c.word;
    EXPECT_EQ(search(h, Value(7)), 0);  // not text: no word
}

TEST_F(WordListTest, FirstNumberStays) {
    const Value h = create();
    EXPECT_TRUE(add(h, "NUMERO", 1));
    EXPECT_TRUE(add(h, "NUM", 2));
    EXPECT_FALSE(add(h, "numero", 9));
    EXPECT_FALSE(add(h, "Num", 9));
    EXPECT_FALSE(add(h, "", 9));
    EXPECT_EQ(search(h, "NUMERO"), 1);
    EXPECT_EQ(search(h, "NUM"), 2);
}

// Control characters and bytes that fold to 0 are characters like any other; in particular a word ending in
// one is not the word without it.
TEST_F(WordListTest, EveryByteIsACharacter) {
    const Value h = create();
    EXPECT_TRUE(add(h, "AB", 1));
    EXPECT_TRUE(call("VP_WLADD", {h, std::string("AB\x80", 3), 2}).asLogical());
    EXPECT_FALSE(call("VP_WLADD", {h, std::string("ab\0", 3), 9}).asLogical());
    EXPECT_TRUE(add(h, "\x01X", 3));
    EXPECT_EQ(search(h, "AB"), 1);
    EXPECT_EQ(search(h, std::string("AB\0", 3)), 2);
    EXPECT_EQ(search(h, std::string("AB\0C", 4)), 0);
    EXPECT_EQ(search(h, "\x81x"), 3);
    EXPECT_EQ(search(h, "X"), 0);
}

TEST_F(WordListTest, CreateNumbersTheRowsFromStart) {
    const Value three = words({"Uno", "Dos", "Tres"});
    const Value dup = words({"A", "b", "a", "", "B", 5, "C"});
    const Value table = words({words({"x", "ID"}), words({"y", "NAME"}), "ROW", words({"z"})});
    struct Case {
        std::vector<Value> args;
        std::map<std::string, int64_t> expect;
    } cases[] = {
        {{three, 2}, {{"uno", 0}, {"dos", 1}, {"tres", 2}}},
        {{three}, {{"uno", 1}, {"dos", 2}, {"tres", 3}}},
        {{three, 0}, {{"uno", 1}, {"tres", 3}}},
        {{three, -4}, {{"uno", 1}, {"tres", 3}}},
        {{three, 2, 1}, {{"dos", 1}, {"tres", 0}}},
        {{three, 2, 9}, {{"dos", 1}, {"tres", 2}}},
        {{three, 1, 0}, {{"uno", 0}, {"dos", 0}}},
        {{three, 1, -1}, {{"uno", 0}}},
        {{three, 4}, {{"uno", 0}, {"tres", 0}}},
        {{three, Value(), Value(), 0}, {{"uno", 1}}},
        {{dup}, {{"a", 1}, {"b", 2}, {"c", 7}}},  // duplicates keep the first number; "" and 5 use theirs up
        {{table, 1, Value(), 2}, {{"id", 1}, {"name", 2}, {"row", 0}, {"x", 0}}},
        {{table, 1, Value(), -1}, {{"id", 0}, {"x", 0}}},
        {{"NOMBRE"}, {{"nombre", 0}}},
        {{}, {{"a", 0}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Value h = create(cases[i].args);
        EXPECT_NE(h.asInteger(), 0) << i;
        for (const auto& [word, number] : cases[i].expect) EXPECT_EQ(search(h, word), number) << i << " " << word;
    }
}

TEST_F(WordListTest, HandlesThatAreNoLiveList) {
    const Value live = create();
    ASSERT_TRUE(add(live, "NOMBRE", 2));
    const Value freed = call("VP_WLCREATE");
    ASSERT_TRUE(add(freed, "NOMBRE", 2));
    call("VP_WLFREE", {freed});

    const double fraction = static_cast<double>(live.asInteger()) + 0.5;
    const Value bad[] = {freed, 0, Value(), "1", -1, Value(int64_t{1} << 40), fraction, true};
    for (const Value& h : bad) {
        EXPECT_FALSE(add(h, "NOMBRE", 3)) << h.typeCode();
        EXPECT_EQ(search(h, "NOMBRE"), 0) << h.typeCode();
        call("VP_WLFREE", {h});
    }
    EXPECT_EQ(search(live, "NOMBRE"), 2);
    EXPECT_EQ(search(static_cast<double>(live.asInteger()), "nombre"), 2);  // a whole number is a handle
    EXPECT_NE(call("VP_WLCREATE").asInteger(), freed.asInteger()) << "a freed handle is never handed out again";
}

TEST_F(WordListTest, FreeReleasesEveryChainOnce) {
    const size_t before = WordList::liveChains();
    const Value h = call("VP_WLCREATE", {words({"NUMERO", "NUM", "NOMBRE", "N", "NUMB", "NUMEROS", "BAJA"})});
    const char* more[] = {"NU", "NUMERAL", "NOMBRADO", "N1", "NUMBER", "BAJO", "B"};
    for (const char* w : more) ASSERT_TRUE(add(h, w, 9)) << w;
    EXPECT_EQ(WordList::liveChains(), before + 14);  // one chain per word entered
    call("VP_WLFREE", {h});
    EXPECT_EQ(WordList::liveChains(), before);
    call("VP_WLFREE", {h});  // a second free finds nothing to release
    EXPECT_EQ(WordList::liveChains(), before);
}

// Against a plain map of folded words: many short words over a small alphabet, so that prefixes, shared
// beginnings and alternatives at every position, the end included, all occur.
TEST_F(WordListTest, AgreesWithAMapOfFoldedWords) {
    std::mt19937 random(12345);
    const std::string alphabet = "aAbB\xE1_";
    auto randomWord = [&] {
        std::string w(random() % 5 + 1, ' ');
        for (char& c : w) c = alphabet[random() % alphabet.size()];
        return w;
    };
    auto folded = [](std::string w) {
        for (char& c : w) c = static_cast<char>(WordList::fold(static_cast<unsigned char>(c)));
        return w;
    };
    const Value h = create();
    std::map<std::string, int64_t> model;
    for (int64_t n = 1; n <= 400; ++n) {
        const std::string w = randomWord();
        const bool isNew = model.emplace(folded(w), n).second;
        ASSERT_EQ(call("VP_WLADD", {h, w, Value(n)}).asLogical(), isNew) << w;
    }
    for (int i = 0; i < 2000; ++i) {
        const std::string w = randomWord();
        const auto it = model.find(folded(w));
        ASSERT_EQ(search(h, w), it == model.end() ? 0 : it->second) << w;
    }
}

}  // namespace
}  // namespace vorpex
