#include "framework/controls/controls.h"

#include "framework/controls/button/button.h"
#include "framework/controls/edit/memo.h"
#include "framework/controls/error_form/error_form.h"
#include "framework/controls/header/header.h"
#include "framework/controls/header/header_items.h"
#include "framework/controls/inplace_edit/inplace_edit.h"
#include "framework/controls/label/label.h"
#include "framework/controls/list/combo_box.h"
#include "framework/controls/list/list_box.h"
#include "framework/controls/masked_edit/mask_edit.h"
#include "framework/controls/masked_edit/mask_rules.h"
#include "framework/controls/menu/menu.h"
#include "framework/controls/panel/containers.h"
#include "framework/controls/progress_bar/progress_bar.h"
#include "framework/controls/scroll_bar/scroll_bar.h"
#include "framework/controls/scroll_bar/scroll_info.h"
#include "framework/controls/tooltip/tooltip.h"
#include "framework/controls/rebar/rebar.h"
#include "framework/controls/toolbar/tool_button.h"
#include "framework/controls/toolbar/toolbar.h"

namespace vorpex {

void registerStandardControls() {
    TLabel::classRecord();
    TButton::classRecord();
    TEdit::classRecord();
    TMemo::classRecord();
    TMaskEdit::classRecord();
    TProgressBar::classRecord();
    TGroupBox::classRecord();
    TBevel::classRecord();
    TPanel::classRecord();
    TToolTip::classRecord();
    TBalloon::classRecord();
    XScrollBar::classRecord();
    sbar::registerScrollFunctions();
    THeader::classRecord();
    THeaderItem::classRecord();
    header::registerHeaderFunctions();
    TInplaceEdit::classRecord();
    TComboBox::classRecord();
    TListBox::classRecord();
    TToolBar::classRecord();
    TToolButton::classRecord();
    TRebar::classRecord();
    TRebarBand::classRecord();
    TErrorForm::classRecord();
    registerMenus();
    mask::registerMaskFunctions();
    // Run-time errors are shown on the error form from now on.
    setErrorPresenter(showErrorForm);
}

}  // namespace vorpex
