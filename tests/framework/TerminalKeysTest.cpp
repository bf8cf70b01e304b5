// Keys decoded from the bytes a terminal sends, as they arrive: whole, split across reads, or
// with a pause after them (the Escape delay running out).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/terminal/KeyDecoder.h"

namespace {

const std::string kTimeOut = "<pause>";  // in a case's input: the Escape delay runs out here

// A key as the cases write it.
std::string Named(const Key& key) {
  const char* names[] = {"None",    "Char",    "Tab",  "BackTab", "Enter", "Esc",  "Up", "Down",
                         "Left",    "Right",   "PgUp", "PgDn",    "Home",  "End",  "BS", "Del",
                         "PrevTab", "NextTab", "F",    "Resize",  "Click", "Paste"};
  std::string name = key.alt ? "Alt-" : "";
  if (key.Is(Key::Code::Char)) return name + std::string(1, static_cast<char>(key.ch));
  if (key.Is(Key::Code::Paste)) return "Paste(" + std::string(key.text.begin(), key.text.end()) + ")";
  name += names[static_cast<int>(key.code)];
  if (key.Is(Key::Code::Function)) name += std::to_string(key.number);
  if (key.Is(Key::Code::Click)) name += " " + std::to_string(key.row) + "," + std::to_string(key.col);
  return name;
}

// The keys the pieces give, each piece read at once, a pause where the case says.
std::string Decode(KeyDecoder decoder, const std::vector<std::string>& pieces) {
  std::string keys;
  const auto drain = [&] {
    while (const std::optional<Key> key = decoder.Next()) keys += (keys.empty() ? "" : " ") + Named(*key);
  };
  for (const std::string& piece : pieces) {
    if (piece == kTimeOut)
      decoder.TimeOut();
    else
      decoder.Feed(piece);
    drain();
  }
  if (decoder.Waiting()) keys += " (waiting)";
  return keys;
}

// What a terminal's description of an xterm-like terminal names, and of a VT100.
KeyDecoder Xterm() {
  return KeyDecoder({{"\033OA", Key::Of(Key::Code::Up)},
                     {"\033OQ", Key{Key::Code::Function, 0, false, 2}},
                     {"\033[6~", Key::Of(Key::Code::PageDown)},
                     {"\033[Z", Key::Of(Key::Code::BackTab)},
                     {"\033[1;3B", Key{Key::Code::Down, 0, true}},
                     {"\177", Key::Of(Key::Code::Backspace)}},
                    "\033[<");
}
KeyDecoder Vt100() {
  return KeyDecoder({{"\033OA", Key::Of(Key::Code::Up)}, {"\033OQ", Key{Key::Code::Function, 0, false, 2}}},
                    "\033[M");
}

struct Case {
  const char* what;
  bool vt100;
  std::vector<std::string> pieces;
  std::string keys;
};

}  // namespace

TEST(TerminalKeys, EveryKeyComesOnceAndNoSequenceTailIsTyped) {
  const Case cases[] = {
      {"Escape waits for its delay", false, {"\033"}, " (waiting)"},
      {"then is Escape", false, {"\033", kTimeOut}, "Esc"},
      {"Escape, Escape", false, {"\033\033", kTimeOut}, "Esc Esc"},
      {"Escape, F2", false, {"\033\033OQ"}, "Esc F2"},
      {"Alt-Down as named", false, {"\033[1;3B"}, "Alt-Down"},
      {"Alt with a letter", false, {"\033n"}, "Alt-n"},
      {"a sequence split across reads", false, {"\033O", "Q", "\033[6", "~"}, "F2 PgDn"},
      {"a cut sequence is dropped after the pause", false, {"\033[6", kTimeOut, "x"}, "x"},
      {"unnamed sequences are dropped whole", true, {"a\033[6~b\033[3;5~c\033[Zd\033OPe"}, "a b c d e"},
      {"named ones still work there", true, {"\033OA\033OQ"}, "Up F2"},
      {"controls", false, {"\t\r\n\177\010\003"}, "Tab Enter Enter BS BS"},
      {"UTF-8 split across reads", false, {"Zo\303", "\253!"}, "Z o \353 !"},
      {"a broken UTF-8 byte is dropped", false, {"\303x\377y"}, "x y"},
      {"a paste, controls dropped", false, {"\033[200~a\tb\r\n \033", "[201~\r"}, "Paste(ab ) Enter"},
      {"a click in decimal", false, {"\033[<0;5;3M\033[<0;5;3m"}, "Click 2,4"},
      // The wheel, another button and motion.
      {"wheel", false, {"\033[<64;1;1M\033[<65;1;1M\033[<2;1;1M\033[<32;1;1M"}, "Up Down"},
      {"a click in bytes", true, {"\033[M !#"}, "Click 2,0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(c.vt100 ? Vt100() : Xterm(), c.pieces), c.keys) << c.what;
}
