#pragma once
// The lists whose rows are still coming (Control::BeginFill), for the backend that shows them
// to hand rows over between input events: the first screen is drawn after the first batch,
// and every key is answered within one batch while the rest arrive.

// A list whose rows are still coming, as the fills see it (Control is one).
class FillingList {
 public:
  // Up to `maxRows` more rows; false once no fill runs.
  virtual bool FillSome(int maxRows) = 0;

 protected:
  ~FillingList() = default;
};

// Hands up to `rows` rows to each list that is filling; true while any still is.
bool ContinueListFills(int rows);
bool AnyListFilling();

// Kept by Control: a list is here from the start of its fill to its end or destruction.
void RegisterListFill(FillingList* list);
void UnregisterListFill(FillingList* list);
