#include <gtest/gtest.h>

#include "framework/core/native/geometry.h"
#include "framework/core/native/windows_version.h"
#include "call.h"

namespace vorpex {
namespace {

using testing::byRef;
using testing::call;

const Rect kRect{1, 2, 30, 40};

std::vector<int64_t> items(const rt::Value& v) {
    std::vector<int64_t> out;
    if (auto a = v.asArray())
        for (const auto& item : a->items) out.push_back(item.asInteger());
    return out;
}

TEST(Geometry, RectFromShortOrMixedArrays) {
    EXPECT_EQ(rectFrom(rt::Value::array({1, 2, 3, 4})), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(rectFrom(rt::Value::array({1, 2})), (Rect{1, 2, 0, 0}));  // missing items read as 0
    EXPECT_EQ(rectFrom(rt::Value::array({"a", 2, rt::Value(), 4})), (Rect{0, 2, 0, 4}));
    EXPECT_EQ(rectFrom(rt::Value::array({})), (Rect{}));
    EXPECT_FALSE(rectFrom(rt::Value("1,2,3,4")).has_value());
}

TEST(Geometry, AnswerRectPlainForm) {
    std::vector<rt::Value> args{7};
    EXPECT_EQ(items(answerRect(args, 1, kRect)), (std::vector<int64_t>{1, 2, 30, 40}));
}

TEST(Geometry, AnswerRectFillsTheGivenArray) {
    const rt::Value given = rt::Value::array({9});  // shorter than four: grown
    std::vector<rt::Value> args{7, given};
    const rt::Value r = answerRect(args, 1, kRect);
    EXPECT_TRUE(r.sameAs(given));
    EXPECT_EQ(items(given), (std::vector<int64_t>{1, 2, 30, 40}));
}

TEST(Geometry, AnswerRectSetsFourReferences) {
    rt::RefCell l, t, r, b;
    std::vector<rt::Value> args{7, byRef(l), byRef(t), byRef(r), byRef(b)};
    EXPECT_EQ(items(answerRect(args, 1, kRect)), (std::vector<int64_t>{1, 2, 30, 40}));
    EXPECT_EQ(l->asInteger(), 1);
    EXPECT_EQ(t->asInteger(), 2);
    EXPECT_EQ(r->asInteger(), 30);
    EXPECT_EQ(b->asInteger(), 40);
}

TEST(Geometry, PointFormsWriteBack) {
    const rt::Value given = rt::Value::array({3, 4});
    std::vector<rt::Value> arrayArgs{7, given};
    ASSERT_EQ(pointFrom(arrayArgs, 1), (Point{3, 4}));
    answerPoint(arrayArgs, 1, {10, 20});
    EXPECT_EQ(items(given), (std::vector<int64_t>{10, 20}));

    rt::RefCell x, y;
    std::vector<rt::Value> refArgs{7, byRef(x, 5), byRef(y, 6)};
    ASSERT_EQ(pointFrom(refArgs, 1), (Point{5, 6}));
    EXPECT_EQ(items(answerPoint(refArgs, 1, {11, 22})), (std::vector<int64_t>{11, 22}));
    EXPECT_EQ(x->asInteger(), 11);
    EXPECT_EQ(y->asInteger(), 22);

    std::vector<rt::Value> none{7, "x"};
    EXPECT_FALSE(pointFrom(none, 1).has_value());
}

TEST(Geometry, CentringArithmetic) {
    EXPECT_EQ(centredOn({0, 0, 1280, 1024}, 300, 200), (Point{490, 412}));
    EXPECT_EQ(centredOn({100, 50, 401, 251}, 100, 100), (Point{200, 100}));  // (100+401-100)>>1
    EXPECT_EQ(centredOn({0, 0, 100, 100}, 301, 301), (Point{-101, -101}));  // arithmetic shift rounds down
    EXPECT_EQ(centredInClient(400, 300, 101, 100), (Point{149, 100}));
    EXPECT_EQ(centredInClient(100, 100, 301, 301), (Point{-100, -100}));    // division truncates
}

TEST(WindowsVersion, TestsFollowTheInjectedVersion) {
    struct Case {
        WindowsVersion version;
        bool win9x, winNT, vista;
    } cases[] = {
        {{4, 10, 2222, 1, 0, "A"}, true, false, false},   // Windows 98
        {{5, 1, 2600, 2, 1, "SP3"}, false, true, false},  // XP
        {{6, 0, 6002, 2, 1, ""}, false, true, true},      // Vista
        {{6, 2, 9200, 2, 1, ""}, false, true, true},      // 8
        {{10, 0, 19045, 2, 1, ""}, false, true, true},    // 10: still "Vista or later"
        {{6, 1, 7601, 2, 3, ""}, false, true, true},      // Server 2008 R2
    };
    for (const auto& c : cases) {
        auto previous = setWindowsVersionSource([&] { return c.version; });
        EXPECT_EQ(call("VP_ISWIN9X").asLogical(), c.win9x);
        EXPECT_EQ(call("VP_ISWINNT").asLogical(), c.winNT);
        EXPECT_EQ(call("VP_ISWINVISTA").asLogical(), c.vista);
        EXPECT_EQ(call("GETWINPLATFORM").asInteger(), c.version.platformId);
        setWindowsVersionSource(previous);
    }
}

TEST(WindowsVersion, VersionArray) {
    auto previous = setWindowsVersionSource([] { return WindowsVersion{6, 1, 0x11DB1, 2, 1, "Service Pack 1"}; });
    const rt::Value v = call("GETVERSIONEX");
    setWindowsVersionSource(previous);
    auto a = v.asArray();
    ASSERT_TRUE(a);
    ASSERT_EQ(a->size(), 4u);
    EXPECT_DOUBLE_EQ(a->at1(1).asDouble(), 6.01);
    EXPECT_EQ(a->at1(2).asInteger(), 0x1DB1);
    EXPECT_EQ(a->at1(3).asInteger(), 2);
    EXPECT_EQ(a->at1(4).asString(), "Service Pack 1");
}

}  // namespace
}  // namespace vorpex
