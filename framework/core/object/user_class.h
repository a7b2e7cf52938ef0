// The public user class T<Name> of an implementation class X<Name>: built with the public name, the
// implementation class as its only parent and no members of its own, so it inherits members, constructors and
// the property and event lists, and answers ClassName with the public name. A class's header names it once:
//
//     using TButton = UserClass<XButton, "TButton">;
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

#include "framework/core/object/vp_class.h"

namespace vorpex {

template <class T>
const rt::Class& userClass(std::string publicName, const rt::Class& implementation) {
    VPClass b(std::move(publicName), &implementation, rt::factoryOf<T>());
    return b.create();
}

// A class name as a template argument.
template <size_t N>
struct PublicName {
    char text[N]{};
    constexpr PublicName(const char (&name)[N]) { std::copy_n(name, N, text); }
};

template <class X, PublicName Name>
class UserClass : public X {
public:
    using X::X;
    static const rt::Class& classRecord() {
        static const rt::Class& c = userClass<UserClass>(Name.text, X::classRecord());
        return c;
    }
};

}  // namespace vorpex
