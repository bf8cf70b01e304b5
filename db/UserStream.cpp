#include "db/UserStream.h"

#include "db/CRSUsers.h"
#include "db/GuardedOperation.h"

namespace {

// Rows the driver hands over per fetch: few, so that a batch asked for ends soon after its
// last row even when a filter finds its rows far apart.
constexpr size_t kRowsPerFetch = 64;

}  // namespace

UserStream::UserStream(RowSelection selection, int quiet)
    : m_selection(std::move(selection)), m_quiet(quiet) {}

UserStream::~UserStream() = default;

bool UserStream::Next(size_t count, const UserVisitor& show) {
  if (m_ended) return false;
  const bool read = RunGuarded(m_quiet, [&] {
    try {
      ReadSome(count, show);
    } catch (...) {
      m_rows.reset();  // closed before the failure is shown
      throw;
    }
  });
  if (!read || !m_rows) m_ended = true;
  return !m_ended;
}

void UserStream::ReadSome(size_t count, const UserVisitor& show) {
  if (!m_rows) {
    m_rows = std::make_unique<CRSUsers>();
    m_rows->Open(m_selection.sql, m_selection.params, kRowsPerFetch);
  }
  for (size_t handed = 0; handed < count && !m_rows->IsEOF(); ++handed) {
    m_rows->CurrentRecord(m_record);
    show(m_record);
    m_rows->MoveNext();
  }
  if (m_rows->IsEOF()) m_rows.reset();
}
