#include "framework/data/data_controls/db_edit.h"

#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/data/data_controls/data_controls.h"
#include "framework/data/data_controls/db_navigator.h"

namespace vorpex::data {

const rt::Class& XDBEdit::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XDBEdit", &TEdit::classRecord(), rt::factoryOf<XDBEdit>());
        addDataControlMembers(b, TEdit::classRecord());
        return b.create();
    }();
    return c;
}

const rt::Class& XDbMaskEdit::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XDbMaskEdit", &TMaskEdit::classRecord(), rt::factoryOf<XDbMaskEdit>());
        addDataControlMembers(b, TMaskEdit::classRecord());
        return b.create();
    }();
    return c;
}

}  // namespace vorpex::data

namespace vorpex {

void registerDataControls() {
    data::TDBEdit::classRecord();
    data::TDBMaskEdit::classRecord();
    data::TDBNavigator::classRecord();
}

}  // namespace vorpex
