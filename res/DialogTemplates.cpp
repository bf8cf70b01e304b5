#include "res/Templates.h"

namespace res {

std::span<const DialogTemplate* const> DialogTemplates() {
  static const DialogTemplate* const kAll[] = {
      &Template129(),  &Template132(),  &Template134(),  &Template2002(), &Template7013(),
      &Template7015(), &Template7016(), &Template7017(), &Template7019(), &Template7020(),
  };
  return kAll;
}

const DialogTemplate* FindDialogTemplate(int id) {
  for (const DialogTemplate* dialog : DialogTemplates()) {
    if (dialog->id == id) return dialog;
  }
  return nullptr;
}

}  // namespace res
