#pragma once
// Keys from the bytes a terminal sends: the sequences its description names, UTF-8 text,
// Alt (Meta) as Escape before a character, mouse reports and bracketed paste. It knows no
// clock: the reader tells it when the pause after a lone Escape (or a sequence cut short)
// has run out, and whatever waits is then taken as it stands.
//
// Escape right before a sequence is Escape and then that key, never the two merged. A
// sequence the description does not name is dropped whole, so its tail is never typed. A
// pasted text comes as Paste keys (one for what has arrived of it at a time), without its
// control characters, so that newlines and tabs never act.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/terminal/Key.h"

class KeyDecoder {
 public:
  struct Sequence {
    std::string bytes;
    Key key;
  };

  // `known`: the terminal's key sequences; `mouse`: how its mouse reports start (empty when it
  // has none), "\033[<" for the decimal form, anything else for the byte form.
  KeyDecoder(std::vector<Sequence> known, std::string mouse);

  void Feed(std::string_view bytes);
  // The next key; nothing once the bytes are used up or the rest may still grow into a key.
  std::optional<Key> Next();
  // Bytes wait for the rest of a sequence.
  bool Waiting() const { return m_at < m_bytes.size(); }
  // The rest of the waiting bytes is not coming.
  void TimeOut() { m_timedOut = true; }

 private:
  // What the bytes at the front make: how many it takes (0: more are needed) and the key.
  struct Step {
    size_t used = 0;
    std::optional<Key> key;
  };
  Step Decode(std::string_view rest);
  Step DecodeEscape(std::string_view rest);
  Step DecodePasted(std::string_view rest);
  Step DecodeMouse(std::string_view rest) const;
  // A control sequence no one named, skipped up to its final byte.
  Step SkipControlSequence(std::string_view rest) const;
  // One UTF-8 character, or nothing used while it is incomplete.
  Step DecodeCharacter(std::string_view rest, bool alt) const;

  std::vector<Sequence> m_known;
  std::string m_mouse;
  std::string m_bytes;
  size_t m_at = 0;
  bool m_timedOut = false;
  bool m_inPaste = false;
};
