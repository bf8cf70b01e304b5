#include "framework/AccessKeys.h"

#include <cctype>
#include <set>

#include "framework/Control.h"

namespace {

// A character of a text as shown: its first byte (letters and digits are ASCII) and whether
// it starts a word.
struct Shown {
  unsigned char lead;
  bool startsWord;
};

// The text's characters as shown, and the letter it marks itself (0 when none).
std::vector<Shown> ShownCharacters(const std::string& text, char* marked) {
  std::vector<Shown> shown;
  *marked = 0;
  bool afterSpace = true;
  for (size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '&' && i + 1 < text.size()) {
      byte = static_cast<unsigned char>(text[++i]);
      if (byte != '&' && *marked == 0) *marked = static_cast<char>(std::tolower(byte));
    }
    if ((byte & 0xC0) == 0x80) continue;  // the rest of a UTF-8 character
    shown.push_back({byte, afterSpace});
    afterSpace = std::isspace(byte) != 0;
  }
  return shown;
}

bool Candidate(unsigned char lead) { return lead < 0x80 && std::isalnum(lead); }

}  // namespace

std::vector<int> ChooseAccessKeys(const std::vector<std::string>& texts, const std::vector<bool>& wanted) {
  std::vector<std::vector<Shown>> shown(texts.size());
  std::vector<char> marked(texts.size());
  std::set<char> taken;
  for (size_t i = 0; i < texts.size(); ++i) {
    shown[i] = ShownCharacters(texts[i], &marked[i]);
    if (marked[i] != 0) taken.insert(marked[i]);
  }
  std::vector<int> chosen(texts.size(), -1);
  for (size_t i = 0; i < texts.size(); ++i) {
    if (marked[i] != 0 || i >= wanted.size() || !wanted[i]) continue;
    for (const bool wordStartsOnly : {true, false}) {
      for (size_t at = 0; at < shown[i].size() && chosen[i] < 0; ++at) {
        const Shown& ch = shown[i][at];
        const char letter = static_cast<char>(std::tolower(ch.lead));
        if (!Candidate(ch.lead) || (wordStartsOnly && !ch.startsWord) || taken.count(letter)) continue;
        taken.insert(letter);
        chosen[i] = static_cast<int>(at);
      }
    }
  }
  return chosen;
}

bool WantsAccessKey(const std::vector<std::unique_ptr<Control>>& controls, size_t index) {
  const Control& control = *controls[index];
  if (control.IsButtonOfType(res::BS_PUSHBUTTON) || control.IsButtonOfType(res::BS_DEFPUSHBUTTON) ||
      control.IsCheckBox())
    return true;
  if (control.Kind() != res::ControlKind::Static || (control.Style() & res::SS_TYPEMASK) == res::SS_BITMAP ||
      index + 1 >= controls.size())
    return false;
  const res::ControlKind next = controls[index + 1]->Kind();
  return next == res::ControlKind::Edit || next == res::ControlKind::ComboBox ||
         next == res::ControlKind::ListView;
}

std::vector<int> ChooseAccessKeys(const std::vector<std::unique_ptr<Control>>& controls) {
  std::vector<std::string> texts;
  std::vector<bool> wanted;
  for (size_t i = 0; i < controls.size(); ++i) {
    texts.push_back(controls[i]->Text());
    wanted.push_back(WantsAccessKey(controls, i));
  }
  return ChooseAccessKeys(texts, wanted);
}
