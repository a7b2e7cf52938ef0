// XDataField: one column of a data set, or one user value of it. Data-aware controls read and write through
// it; reading and writing go to the owning set (FieldGet / FieldPut by position) unless OnGetValue /
// OnSetValue replace them, which is how user variables and calculated fields keep their values here.
// TDataField is its user class.
#pragma once

#include <string>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex::data {

class XDataField : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_METHODS(GetValue,      // ([lBuffer])
               SetValue,      // (xValue, [lKeepControls])
               FieldGet,      // ([lBuffer])
               FieldPut,      // (xValue)
               VarGet,
               VarPut,
               Load,
               Blank,
               InitValue,
               GetModified,
               SetModified,
               SetGetFValue,  // ([xValue])
               BasicType)

    static inline const EventRef OnGetValue{"OnGetValue"}, OnSetValue{"OnSetValue"};

    int nIndex() const { return field(kIndex).asInt(); }
    const rt::Value& oDataSet() const { return field(kDataSet); }
    bool lEditable() const { return field(kEditable).asLogical(); }
    const rt::Value& DefValue() const { return field(kDefValue); }

    rt::Value Create(rt::Args args) override;  // (oDataSet, nIndex, cName) -> Self
    rt::Value Free(rt::Args args) override;

    // Turns this field into a user variable whose value lives here, starting at `initial`.
    void makeUserVar(const rt::Value& initial);
    // Turns this field into a calculated field: reading evaluates the block with the field, writing is ignored.
    void makeCalcField(const rt::Value& block);

    // The display type letter for an engine or SQL type name.
    static std::string basicType(const std::string& type);

private:
    static inline int kValue = -1, kModified = -1, kDefValue = -1, kDataSet = -1, kName = -1, kDbfName = -1,
                      kType = -1, kIndex = -1, kEditable = -1, kGetValue = -1;
    rt::Value sendToSet(const char* message, rt::Args args);
};

using TDataField = UserClass<XDataField, "TDataField">;

}  // namespace vorpex::data
