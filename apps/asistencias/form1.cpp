#include "apps/asistencias/form1.h"


#include "apps/asistencias/discharge.h"
#include "apps/asistencias/form2.h"
#include "apps/asistencias/form_building.h"
#include "apps/asistencias/punch_import.h"
#include "framework/browse/db_browse.h"
#include "framework/browse/rec_sel.h"
#include "framework/controls/panel/containers.h"
#include "framework/controls/progress_bar/progress_bar.h"
#include "framework/core/app/message_loop.h"
#include "framework/core/object/vp_class.h"
#include "framework/data/data_controls/db_edit.h"
#include "framework/data/data_controls/db_navigator.h"
#include "framework/data/data_set/dbf_data_set.h"
#include "framework/data/data_source/dbf_data_source.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/rdd/work_areas.h"

namespace asistencias {

namespace {

using rt::Value;

// A data-aware control over the form's employee set, bound to one field by name.
Value dataControl(const rt::Class& cls, const Value& parent, Bounds b, const Value& set, const char* field,
                  int maxLength, const char* picture = nullptr) {
    return control(cls, parent, b, [&](const Value& c) {
        rt::send(c, "_nMaxLength", {maxLength});
        if (picture) rt::send(c, "_cPicture", {picture});
        rt::send(c, "_oDataSet", {set});
        rt::send(c, "_oDataField", {field});
    });
}

// The employees' grid: a record selector and the NUMERO, NOMBRE and BAJA columns over the set.
Value employeeGrid(const Value& parent, Bounds b, const Value& set) {
    struct Column {
        const char* field;
        int width;
        int alignment;  // 0 keeps the column's own
    };
    return control(vorpex::TDBBrowse::classRecord(), parent, b, [&](const Value& grid) {
        rt::send(Value(vorpex::TBrwRecSel::classRecord().instantiate()), "Create", {grid});
        rt::send(grid, "_oDataSet", {set});
        for (const Column& c : {Column{"NUMERO", 64, 2}, Column{"NOMBRE", 554, 0}, Column{"BAJA", 42, 0}}) {
            const Value column = rt::send(Value(vorpex::TDBBrwColumn::classRecord().instantiate()), "New", {grid});
            rt::send(column, "_cHeader", {c.field});
            if (c.alignment) rt::send(column, "_nAlignment", {c.alignment});
            rt::send(column, "_nWidth", {c.width});
            rt::send(column, "_oDataField", {c.field});
            rt::send(column, "Create", {grid});
        }
    });
}

// The form's status label and progress bar as the import sees them; the window repaints now and then.
class FormImportView : public ImportView {
public:
    FormImportView(TForm1& form, Value progressBar) : form_(form), bar_(std::move(progressBar)) {}
    void status(const std::string& text) override { form_.tell(text); }
    void progressMax(int64_t max) override { rt::send(bar_, "_nMax", {Value(max)}); }
    void progress(int64_t value) override { rt::send(bar_, "_nValue", {Value(value)}); }
    void breathe() override { vorpex::processMessages(); }

private:
    TForm1& form_;
    Value bar_;
};

}  // namespace

const rt::Class& TForm1::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        vorpex::VPClass b("TForm1", &vorpex::TForm::classRecord(), rt::factoryOf<TForm1>());
        addComponents(b, {{&kButton1, "oButton1"},
                          {&kButton2, "oButton2"},
                          {&kButton3, "oButton3"},
                          {&kGroupBox1, "oGroupBox1"},
                          {&kLabel1, "oLabel1"},
                          {&kLabel2, "oLabel2"},
                          {&kPanel1, "oPanel1"},
                          {&kProgressBar1, "oProgressBar1"},
                          {&kLabel3, "oLabel3"},
                          {&kDBNavigator1, "oDBNavigator1"},
                          {&kLabel4, "oLabel4"},
                          {&kDBBrowse1, "oDBBrowse1"},
                          {&kDBEdit2, "oDBEdit2"},
                          {&kDBEdit3, "oDBEdit3"},
                          {&kDbfDataSet1, "oDbfDataSet1"},
                          {&kNtxDataSource1, "oNtxDataSource1"},
                          {&kDBMaskEdit1, "oDBMaskEdit1"},
                          {&kButton4, "oButton4"}});
        addMembers<TForm1>(b);
        return b.create();
    }();
    return c;
}

Value TForm1::CreateForm(rt::Args args) {
    const Value form = selfValue();
    if (rt::arg(args, 0).asLogical()) {
        setUpForm(form, {327, 210, 785, 480}, 769, 442, "Control de Asistencias", true);
        rt::send(form, "Create");
    }
    const Value noCreate(false);
    XForm::CreateForm(rt::Args(&noCreate, 1));

    const Value source = rt::send(Value(vorpex::data::TNtxDataSource::classRecord().instantiate()), "Create", {form});
    field(kNtxDataSource1) = source;
    const Value set = rt::send(Value(vorpex::data::TDbfDataSet::classRecord().instantiate()), "New", {form});
    rt::send(set, "_cName", {"empleado.dbf"});
    rt::send(set, "_oDataSource", {source});
    rt::send(set, "_cProcess", {"GENERAL"});
    rt::send(set, "_lOpen", {true});
    rt::send(set, "Create");
    field(kDbfDataSet1) = set;

    field(kButton1) = button(form, {20, 344, 130, 25}, "Importar Asistencias", "Button1Click");
    field(kButton2) = button(form, {320, 344, 130, 25}, "Reporte de Asistencias", "Button2Click");
    field(kButton3) = button(form, {620, 344, 130, 25}, "Salir", "Button3Click");
    const Value group = control(vorpex::TGroupBox::classRecord(), form, {12, 64, 746, 262},
                                [](const Value& c) { rt::send(c, "_cText", {"Empleado"}); });
    field(kGroupBox1) = group;
    field(kLabel1) = label(group, {20, 24, 41, 14}, "N\xFAmero:");
    field(kLabel2) = label(group, {20, 48, 41, 14}, "Nombre:");
    field(kLabel4) = label(group, {20, 72, 25, 14}, "Baja:");
    field(kDBBrowse1) = employeeGrid(group, {12, 96, 718, 162}, set);
    field(kDBEdit2) = dataControl(vorpex::data::TDBEdit::classRecord(), group, {72, 48, 546, 20}, set, "NOMBRE", 40);
    field(kDBEdit3) = dataControl(vorpex::data::TDBEdit::classRecord(), group, {72, 72, 26, 20}, set, "BAJA", 1);
    field(kDBMaskEdit1) = dataControl(vorpex::data::TDBMaskEdit::classRecord(), group, {72, 24, 90, 20}, set,
                                      "NUMERO", 4, "9999999999");
    field(kButton4) = button(group, {108, 68, 122, 25}, "Marcar/Desmarcar", "Button4Click");
    const Value panel = control(vorpex::TPanel::classRecord(), form, {12, 8, 746, 38});
    field(kPanel1) = panel;
    field(kDBNavigator1) = control(vorpex::data::TDBNavigator::classRecord(), panel, {12, 4, 313, 32},
                                   [&](const Value& c) { rt::send(c, "_oDataSet", {set}); });
    field(kProgressBar1) = control(vorpex::TProgressBar::classRecord(), form, {20, 380, 730, 25});
    field(kLabel3) = label(form, {20, 412, 31, 14}, "Status");
    return form;
}

Value TForm1::Button3Click(rt::Args) {
    rt::requestQuit();
    return {};
}

Value TForm1::Button1Click(rt::Args) {
    // No click may start a second import, a toggle or Salir while this one lets the window repaint.
    struct InputOff {
        TForm1& form;
        explicit InputOff(TForm1& f) : form(f) { form.enableInput(false); }
        ~InputOff() { form.enableInput(true); }
    } off(*this);
    FormImportView view(*this, field(kProgressBar1));
    tell(closingStatus(importPunches(view)));
    return {};
}

Value TForm1::Button2Click(rt::Args) {
    const Value dialog = rt::send(Value(TForm2::classRecord().instantiate()), "New", {selfValue()});
    rt::send(dialog, "ShowModal");
    return {};
}

Value TForm1::Button4Click(rt::Args) {
    const Value set = field(kDbfDataSet1);
    // A file lock would release the edit's record lock, and the edit's buffer would later write the old mark
    // back: the edit is finished first.
    if (rt::send(set, "lOnEdit").asLogical() || rt::send(set, "lOnAppend").asLogical()) {
        tell(kFinishEditFirst);
        return {};
    }
    rt::rdd::WorkArea* employees = rt::rdd::WorkAreas::instance().area(rt::send(set, "Area").asInt());
    // The mark of the employee the form shows, wherever a report left the table.
    const DischargeToggle done =
        employees ? toggleDischarge(*employees, static_cast<uint32_t>(rt::send(set, "Recno").asInteger()))
                  : DischargeToggle::NoRecord;
    if (done == DischargeToggle::LockRefused || done == DischargeToggle::NoRecord) tell(kCannotMark);
    rt::send(set, "RefreshCurrent");
    return {};
}

void TForm1::enableInput(bool on) {
    for (int slot : {kButton1, kButton2, kButton3, kButton4, kDBNavigator1, kDBBrowse1})
        if (field(slot).isObject()) rt::send(field(slot), on ? "Enable" : "Disable");
}

void TForm1::tell(const std::string& text) { rt::send(field(kLabel3), "_cText", {Value(text)}); }

}  // namespace asistencias
