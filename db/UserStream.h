#pragma once
// Accounts handed over a batch at a time, for a list that shows its first rows before the
// rest are read: the statement stays open between batches (the driver streams it), and
// nothing is kept here. Each batch is a guarded operation of its own: a failure is reported
// (unless quiet) with the statement already closed, and ends the stream.

#include <cstddef>
#include <functional>
#include <memory>

#include "db/RowSelection.h"
#include "db/UserRecord.h"

class CRSUsers;

class UserStream {
 public:
  using UserVisitor = std::function<void(const UserRecord&)>;

  UserStream(RowSelection selection, int quiet);
  ~UserStream();
  UserStream(const UserStream&) = delete;
  UserStream& operator=(const UserStream&) = delete;

  // Hands up to `count` more accounts to `show`; false once the stream has ended (every row
  // handed over, or a failure).
  bool Next(size_t count, const UserVisitor& show);

 private:
  void ReadSome(size_t count, const UserVisitor& show);

  RowSelection m_selection;
  int m_quiet;
  std::unique_ptr<CRSUsers> m_rows;
  UserRecord m_record;  // the row handed over, its buffers kept from row to row
  bool m_ended = false;
};
