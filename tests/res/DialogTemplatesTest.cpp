#include <gtest/gtest.h>

#include <set>
#include <string>

#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

namespace res {
namespace {

bool Has(int dialogId, int controlId, uint32_t bits) {
  for (const ControlTemplate& control : FindDialogTemplate(dialogId)->controls)
    if (control.id == controlId) return (control.style & bits) == bits;
  ADD_FAILURE() << "no control " << controlId << " in " << dialogId;
  return false;
}

// Each control answers to its own id, is inside its dialog (else it is cut off) and after any
// group box around it (else the box covers it); passwords are masked; a dialog has one default
// button, a page none.
TEST(DialogTemplates, EveryControlIsVisibleWithItsOwnIdPasswordsAreMaskedAndOnlyDialogsHaveADefault) {
  for (const DialogTemplate* dialog : DialogTemplates()) {
    std::set<int> ids;
    int defaultButtons = 0;
    for (size_t i = 0; i < dialog->controls.size(); ++i) {
      const ControlTemplate& control = dialog->controls[i];
      const Rect& r = control.rect;
      SCOPED_TRACE(std::to_string(dialog->id) + " " + std::to_string(control.id) + " " + control.text);
      EXPECT_TRUE(control.id == IDC_STATIC || ids.insert(control.id).second);
      EXPECT_TRUE(control.style & WS_VISIBLE);
      const bool password = control.id == IDC_PASSWORD || control.id == IDC_CONFIRM_PASSWORD;
      EXPECT_TRUE(!password || (control.style & ES_PASSWORD));
      EXPECT_TRUE(r.cx > 0 && r.cy > 0 && r.x >= 0 && r.y >= 0 && r.x + r.cx <= dialog->cx &&
                  r.y + r.cy <= dialog->cy);
      const bool button = control.kind == ControlKind::Button;
      defaultButtons += button && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      if (!button || (control.style & BS_TYPEMASK) != BS_GROUPBOX) continue;
      for (size_t before = 0; before < i; ++before) {
        const Rect& b = dialog->controls[before].rect;
        EXPECT_FALSE(b.x >= r.x && b.y >= r.y && b.x + b.cx <= r.x + r.cx && b.y + b.cy <= r.y + r.cy);
      }
    }
    EXPECT_EQ(defaultButtons, dialog->style & WS_CHILD ? 0 : 1) << dialog->id;
  }
}

// Fields set only by the program are read-only, number fields that take a
// minus accept it, and Enter saves in Add Computer.
TEST(DialogTemplates, EachFieldAndButtonHasTheStyleItsUseNeeds) {
  for (int dialog : {IDD_LOG_IN, IDD_CHANGE_PASSWORD})
    EXPECT_TRUE(Has(dialog, IDC_USER_NAME, ES_READONLY)) << dialog;
  EXPECT_TRUE(Has(IDD_ADD_USER, IDC_HOME_DIR, ES_READONLY));  // set through the folder browser alone
  for (int edit : {IDC_MAX_CONNECTIONS, IDC_MAX_PER_IP, IDC_MAX_PER_USER})
    EXPECT_FALSE(Has(IDD_PREFERENCES, edit, ES_NUMBER)) << edit;            // these take a minus
  EXPECT_TRUE(Has(IDD_ADD_COMPUTER, IDC_SAVE_COMPUTER, BS_DEFPUSHBUTTON));  // Enter saves; OK only closes
}

}  // namespace
}  // namespace res
