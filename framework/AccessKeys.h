#pragma once
// Access letters for controls whose text marks none ("&"), chosen as a desktop's accelerator
// manager does, so that every button, check box and field label can be reached with Alt and a
// letter. The stored texts stay as they are: a backend only shows and acts on the letters.
//
// Letters marked in the texts are taken first. Then, control by control in the given order,
// the first free letter (or digit) that starts a word of the text is chosen, else the first
// free one anywhere in it. Case does not matter.

#include <memory>
#include <string>
#include <vector>

class Control;

// For each text, where its chosen letter stands: its index among the characters shown (the
// text without its "&" markers); -1 where the text marks its own, where none was wanted, or
// where every letter of it is taken.
std::vector<int> ChooseAccessKeys(const std::vector<std::string>& texts, const std::vector<bool>& wanted);

// Whether the control at `index` of a window's controls (in template order) is given a letter
// when its text marks none: a push button, a check box, or a text label just before a field.
bool WantsAccessKey(const std::vector<std::unique_ptr<Control>>& controls, size_t index);

// ChooseAccessKeys over a window's controls, for those that want a letter.
std::vector<int> ChooseAccessKeys(const std::vector<std::unique_ptr<Control>>& controls);
