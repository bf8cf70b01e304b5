#pragma once
// The rows of a list view or a combo box, kept compactly: the texts of a row are written one
// after another, each after its length, into large blocks shared by all rows, and a row is a
// place in them with its item data. A row of four short cells costs about 60 bytes, against
// about 200 as separate strings, and growing the list never copies the texts.
//
// A changed row is written again, in place when it is the last one written (a row being
// filled cell by cell); the space a row leaves behind is reclaimed once it makes up half of
// the blocks.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/FrameworkTypes.h"

class RowStore {
 public:
  int Count() const { return static_cast<int>(m_rows.size()); }
  // The row's cell, empty past its last one. Valid until the store changes.
  std::string_view Cell(int row, int column) const;
  DWORD_PTR Data(int row) const { return m_rows[row].data; }

  // A row with its first cell at `index` (0 to Count()).
  void Insert(int index, std::string_view text);
  // Sets the cell, adding empty cells before it where the row has fewer.
  void SetCell(int row, int column, std::string_view text);
  // Moves the cells at `column` and after it one to the right, in the rows that have them.
  void InsertColumn(int column);
  void SetData(int row, DWORD_PTR data) { m_rows[row].data = data; }
  void Erase(int row);
  void Clear();

 private:
  struct Row {
    uint32_t block = 0;
    uint32_t offset = 0;
    DWORD_PTR data = 0;
  };

  size_t CellCount(const Row& row) const;
  bool AppendCell(const Row& row, int column, std::string_view text);
  // The row's cells into m_cells.
  void ReadCells(const Row& row);
  // Writes m_cells as the row's cells; the old ones become garbage unless they were the last
  // written.
  void Rewrite(Row& row);
  Row Append(std::string_view encoded);
  size_t EncodedSize(const Row& row) const;
  void CompactWhenWasteful();

  std::vector<std::string> m_blocks;  // each reserved ahead, so appending never moves it
  std::vector<Row> m_rows;
  size_t m_garbage = 0;  // bytes of the blocks no row uses
  size_t m_used = 0;     // bytes written to the blocks
  // Kept between changes so that a change allocates nothing.
  std::vector<std::string_view> m_cells;
  std::string m_encoded;
};
