// XClipboard: the Windows clipboard for objects. Each operation opens the clipboard for the owner window,
// does its work and closes it again; an operation whose opening fails answers false (or an empty list) and
// leaves the clipboard alone. TClipboard is its user class.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XClipboard : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // ([oParent]) -> Self; the owner's window opens the clipboard
    VP_OVERRIDES(Destroy)  // closes the clipboard

    intptr_t ParentHandle() const { return static_cast<intptr_t>(field(kParentHandle).asInteger()); }
    bool Open();
    bool Close();
    bool Empty();
    bool IsEmpty();
    bool SetData(int64_t format, const rt::Value& data);
    rt::Value GetData(int64_t format);
    bool HasData(int64_t format);
    std::string GetText();
    bool SetText(const std::string& text);
    bool SetDropFiles(const rt::Value& files);
    std::vector<std::string> GetDropFiles();
    int64_t RegisterFormat(const std::string& name);
    int64_t CountFormats();
    std::vector<int64_t> EnumFormats();
    std::vector<std::string> EnumFormatsName();
    std::string GetFormatName(int64_t format);

private:
    static inline int kParentHandle = -1;
};

using TClipboard = UserClass<XClipboard, "TClipboard">;

}  // namespace vorpex
