#include "framework/RowStore.h"

#include <algorithm>

namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr size_t kMaxLengthBytes = 10;  // of a 64-bit length, seven bits a byte

// Lengths take one byte below 128, a byte more for each further seven bits.
void PutLength(std::string& out, size_t length) {
  for (; length >= 0x80; length >>= 7) out.push_back(static_cast<char>((length & 0x7f) | 0x80));
  out.push_back(static_cast<char>(length));
}

size_t TakeLength(const char*& in) {
  size_t length = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(*in++);
    length |= static_cast<size_t>(byte & 0x7f) << shift;
    if ((byte & 0x80) == 0) return length;
  }
}

// A row as stored: the number of cells, then each cell's length and text.
void Encode(const std::vector<std::string_view>& cells, std::string& encoded) {
  encoded.clear();
  PutLength(encoded, cells.size());
  for (const std::string_view cell : cells) {
    PutLength(encoded, cell.size());
    encoded.append(cell);
  }
}

size_t EncodedLength(const char* start) {
  const char* in = start;
  for (size_t cells = TakeLength(in); cells > 0; --cells) in += TakeLength(in);
  return static_cast<size_t>(in - start);
}

}  // namespace

std::string_view RowStore::Cell(int row, int column) const {
  const Row& place = m_rows[row];
  const char* in = m_blocks[place.block].data() + place.offset;
  const size_t cells = TakeLength(in);
  for (size_t i = 0; i < cells; ++i) {
    const size_t length = TakeLength(in);
    if (static_cast<int>(i) == column) return {in, length};
    in += length;
  }
  return {};
}

void RowStore::Insert(int index, std::string_view text) {
  m_cells.assign(1, text);
  Encode(m_cells, m_encoded);
  m_rows.insert(m_rows.begin() + index, Append(m_encoded));
}

void RowStore::SetCell(int row, int column, std::string_view text) {
  if (static_cast<size_t>(column) < CellCount(m_rows[row]) && Cell(row, column) == text) return;
  if (AppendCell(m_rows[row], column, text)) return;
  ReadCells(m_rows[row]);
  if (static_cast<int>(m_cells.size()) <= column) m_cells.resize(column + 1);
  m_cells[column] = text;
  Rewrite(m_rows[row]);
}

void RowStore::InsertColumn(int column) {
  for (Row& row : m_rows) {
    ReadCells(row);
    if (static_cast<int>(m_cells.size()) <= column) continue;
    m_cells.insert(m_cells.begin() + column, std::string_view());
    Rewrite(row);
  }
}

void RowStore::Erase(int row) {
  m_garbage += EncodedSize(m_rows[row]);
  m_rows.erase(m_rows.begin() + row);
  CompactWhenWasteful();
}

void RowStore::Clear() {
  m_rows.clear();
  m_blocks.clear();
  m_garbage = 0;
  m_used = 0;
}

size_t RowStore::CellCount(const Row& row) const {
  const char* in = m_blocks[row.block].data() + row.offset;
  return TakeLength(in);
}

// A row filled cell by cell gets each next cell written after it, where it is the last row
// written and the block has room.
bool RowStore::AppendCell(const Row& row, int column, std::string_view text) {
  std::string& last = m_blocks.back();
  const size_t cells = CellCount(row);
  if (row.block + 1 != m_blocks.size() || static_cast<size_t>(column) != cells || cells + 1 >= 0x80 ||
      row.offset + EncodedSize(row) != last.size() ||
      last.size() + kMaxLengthBytes + text.size() > last.capacity())
    return false;
  last[row.offset] = static_cast<char>(cells + 1);  // a count below 128 takes one byte
  const size_t before = last.size();
  PutLength(last, text.size());
  last.append(text);
  m_used += last.size() - before;
  return true;
}

void RowStore::ReadCells(const Row& row) {
  const char* in = m_blocks[row.block].data() + row.offset;
  m_cells.resize(TakeLength(in));
  for (std::string_view& cell : m_cells) {
    const size_t length = TakeLength(in);
    cell = {in, length};
    in += length;
  }
}

void RowStore::Rewrite(Row& row) {
  Encode(m_cells, m_encoded);  // before the cells' own bytes are overwritten
  const std::string_view encoded = m_encoded;
  const size_t oldSize = EncodedSize(row);
  std::string& last = m_blocks.back();
  const bool lastWritten = row.block + 1 == m_blocks.size() && row.offset + oldSize == last.size();
  if (lastWritten && row.offset + encoded.size() <= last.capacity()) {
    last.resize(row.offset);
    last += encoded;
    m_used = m_used - oldSize + encoded.size();
    return;
  }
  m_garbage += oldSize;
  const DWORD_PTR data = row.data;
  row = Append(encoded);
  row.data = data;
  CompactWhenWasteful();
}

RowStore::Row RowStore::Append(std::string_view encoded) {
  if (m_blocks.empty() || m_blocks.back().size() + encoded.size() > m_blocks.back().capacity()) {
    m_blocks.emplace_back();
    m_blocks.back().reserve(std::max(kBlockSize, encoded.size()));
  }
  std::string& block = m_blocks.back();
  const Row row{static_cast<uint32_t>(m_blocks.size() - 1), static_cast<uint32_t>(block.size()), 0};
  block += encoded;
  m_used += encoded.size();
  return row;
}

size_t RowStore::EncodedSize(const Row& row) const {
  return EncodedLength(m_blocks[row.block].data() + row.offset);
}

// Every row is written again, in order, into fresh blocks.
void RowStore::CompactWhenWasteful() {
  if (m_garbage < kBlockSize || 2 * m_garbage < m_used) return;
  const std::vector<std::string> old = std::move(m_blocks);
  m_blocks.clear();
  m_garbage = 0;
  m_used = 0;
  for (Row& row : m_rows) {
    const char* start = old[row.block].data() + row.offset;
    const DWORD_PTR data = row.data;
    row = Append({start, EncodedLength(start)});
    row.data = data;
  }
}
