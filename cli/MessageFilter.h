#pragma once
// A filter in front of standard error, where the command writes its refusals, questions and
// the model's messages: they often repeat a name as typed or stored, and a name holding an
// escape sequence must not recolour the terminal. Control characters other than the line end and the
// tab are written escaped (\e, \xNN, DEL as \x7f, C1 controls as \u0080 to \u009f); every
// other byte passes as it is.

#include <ostream>
#include <streambuf>

class MessageFilter : public std::streambuf {
 public:
  // Puts itself behind `stream` until destroyed.
  explicit MessageFilter(std::ostream& stream);
  ~MessageFilter() override;
  MessageFilter(const MessageFilter&) = delete;
  MessageFilter& operator=(const MessageFilter&) = delete;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  void Put(const char* text);
  void PutHeldLead();

  std::ostream& m_stream;
  std::streambuf* m_target;
  bool m_heldLead = false;  // a 0xC2 byte whose follower decides whether it starts a C1 control
};
