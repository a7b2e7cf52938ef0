// One listing per by-name member. A class lists its by-name methods once, inside the class; the listing
// declares each C++ member function and registers it under the name the function has (case-insensitive, as
// every message), so a member is that one entry plus its definition:
//
//     class XThing : public TComponent {
//     public:
//         VP_CONSTRUCTORS(Create)        // rt::Value Create(rt::Args) override; Exported | Constructor
//         VP_METHODS(Reset, Count)       // rt::Value Reset(rt::Args); ...       Exported
//         VP_QUERIES(Len)                // rt::Value Len();                     Exported
//         VP_VIRTUALS(WMPaint)           // virtual rt::Value WMPaint(rt::Args); Exported
//         VP_OVERRIDES(WMKeyDown)        // rt::Value WMKeyDown(rt::Args) override; Exported
//         VP_PROTECTED(DefStyle)         // rt::Value DefStyle(rt::Args); Protected (VP_HIDDEN: Hidden)
//         ...
//     };
//
// and its class function calls addMembers<XThing>(b) where the members belong among its other declarations.
// A listing opens a public section. An alias (a second name for a member), a constructor at the root of a
// hierarchy and a lambda body are still added with b.addMethod.
#pragma once

#include <span>
#include <stdexcept>
#include <string_view>
#include <type_traits>

#include "runtime/core/class_builder.h"

// VP_FOR_EACH(m, a, b, ...) expands to m(a) m(b) ...: a bounded re-scan (up to 256 entries) in place of
// recursion, which the preprocessor lacks.
#define VP_PARENS_ ()
#define VP_EXPAND_(...) VP_EXPAND4_(VP_EXPAND4_(VP_EXPAND4_(VP_EXPAND4_(__VA_ARGS__))))
#define VP_EXPAND4_(...) VP_EXPAND3_(VP_EXPAND3_(VP_EXPAND3_(VP_EXPAND3_(__VA_ARGS__))))
#define VP_EXPAND3_(...) VP_EXPAND2_(VP_EXPAND2_(VP_EXPAND2_(VP_EXPAND2_(__VA_ARGS__))))
#define VP_EXPAND2_(...) VP_EXPAND1_(VP_EXPAND1_(VP_EXPAND1_(VP_EXPAND1_(__VA_ARGS__))))
#define VP_EXPAND1_(...) __VA_ARGS__
#define VP_FOR_EACH(macro, ...) __VA_OPT__(VP_EXPAND_(VP_FOR_EACH_STEP_(macro, __VA_ARGS__)))
#define VP_FOR_EACH_STEP_(macro, first, ...) macro(first) __VA_OPT__(VP_FOR_EACH_AGAIN_ VP_PARENS_(macro, __VA_ARGS__))
#define VP_FOR_EACH_AGAIN_() VP_FOR_EACH_STEP_

#define VP_DECLARE_PLAIN_(name) rt::Value name(rt::Args);
#define VP_DECLARE_QUERY_(name) rt::Value name();
#define VP_DECLARE_VIRTUAL_(name) virtual rt::Value name(rt::Args);
#define VP_DECLARE_OVERRIDE_(name) rt::Value name(rt::Args) override;
#define VP_POINTER_(name) rt::method(&Self::name),

// The listing `kind`: declarations, the function that registers them for the class Self, and a marker whose
// return type names the class that wrote the listing (an inherited listing is not the class's own). `names` is
// the listing's text as written, stringized before the preprocessor replaced any name in it: <windows.h> makes
// CreateDC, StartDoc and AddMonitor macros, and a file that sees it (a unity batch) would otherwise register
// the member as CreateDCA.
#define VP_LISTING_(kind, scopeBits, declare, names, ...)                          \
public:                                                                            \
    VP_FOR_EACH(declare, __VA_ARGS__)                                              \
    template <class Self>                                                          \
    static void vpAdd##kind##_(rt::ClassBuilder& b) {                              \
        const rt::NativeMethod methods[] = {VP_FOR_EACH(VP_POINTER_, __VA_ARGS__)}; \
        ::vorpex::members_detail::addListed(b, names, methods, (scopeBits));       \
    }                                                                              \
    auto vp##kind##Owner_()->std::remove_reference_t<decltype(*this)>;

#define VP_CONSTRUCTORS(...)                                                                         \
    VP_LISTING_(Constructors, rt::scope::Exported | rt::scope::Constructor, VP_DECLARE_OVERRIDE_, #__VA_ARGS__, \
                __VA_ARGS__)
#define VP_METHODS(...) VP_LISTING_(Methods, rt::scope::Exported, VP_DECLARE_PLAIN_, #__VA_ARGS__, __VA_ARGS__)
// Exported members that take no arguments (any a sender passes are ignored).
#define VP_QUERIES(...) VP_LISTING_(Queries, rt::scope::Exported, VP_DECLARE_QUERY_, #__VA_ARGS__, __VA_ARGS__)
#define VP_VIRTUALS(...) VP_LISTING_(Virtuals, rt::scope::Exported, VP_DECLARE_VIRTUAL_, #__VA_ARGS__, __VA_ARGS__)
#define VP_OVERRIDES(...) \
    VP_LISTING_(Overrides, rt::scope::Exported, VP_DECLARE_OVERRIDE_, #__VA_ARGS__, __VA_ARGS__)
// Callable by name only from the class and its subclasses' methods, or by the framework itself.
#define VP_PROTECTED(...) \
    VP_LISTING_(Protected, rt::scope::Protected, VP_DECLARE_PLAIN_, #__VA_ARGS__, __VA_ARGS__)
#define VP_HIDDEN(...) VP_LISTING_(Hidden, rt::scope::Hidden, VP_DECLARE_PLAIN_, #__VA_ARGS__, __VA_ARGS__)

namespace vorpex {

namespace members_detail {

// Registers methods[i] under the i-th name of `names` ("A, B, C").
inline void addListed(rt::ClassBuilder& b, std::string_view names, std::span<const rt::NativeMethod> methods,
                      int scope) {
    size_t i = 0;
    while (!names.empty()) {
        const size_t comma = names.find(',');
        std::string_view name = names.substr(0, comma);
        names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
        while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
        if (name.empty()) continue;
        if (i == methods.size()) throw std::logic_error("member listing has more names than members");
        b.addMethod(name, methods[i++], scope);
    }
    if (i != methods.size()) throw std::logic_error("member listing has fewer names than members");
}

#define VP_OWNS_LISTING_(kind)                                                                          \
    template <class X>                                                                                  \
    constexpr bool owns##kind() {                                                                       \
        if constexpr (requires(X& x) { x.vp##kind##Owner_(); })                                         \
            return std::is_same_v<decltype(std::declval<X&>().vp##kind##Owner_()), X>;                 \
        else                                                                                            \
            return false;                                                                               \
    }
VP_OWNS_LISTING_(Constructors)
VP_OWNS_LISTING_(Methods)
VP_OWNS_LISTING_(Queries)
VP_OWNS_LISTING_(Virtuals)
VP_OWNS_LISTING_(Overrides)
VP_OWNS_LISTING_(Protected)
VP_OWNS_LISTING_(Hidden)
#undef VP_OWNS_LISTING_
}  // namespace members_detail

// Registers the members X lists itself (not those its parents list): constructors, methods, virtual
// handlers, overrides, protected and hidden members, each listing in its written order.
template <class X>
void addMembers(rt::ClassBuilder& b) {
    if constexpr (members_detail::ownsConstructors<X>()) X::template vpAddConstructors_<X>(b);
    if constexpr (members_detail::ownsMethods<X>()) X::template vpAddMethods_<X>(b);
    if constexpr (members_detail::ownsQueries<X>()) X::template vpAddQueries_<X>(b);
    if constexpr (members_detail::ownsVirtuals<X>()) X::template vpAddVirtuals_<X>(b);
    if constexpr (members_detail::ownsOverrides<X>()) X::template vpAddOverrides_<X>(b);
    if constexpr (members_detail::ownsProtected<X>()) X::template vpAddProtected_<X>(b);
    if constexpr (members_detail::ownsHidden<X>()) X::template vpAddHidden_<X>(b);
}

}  // namespace vorpex
