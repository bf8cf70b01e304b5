#pragma once
// A page of CFTPSheet that shows database contents and has a bit in the sheet's stale mask.
//
// When its window is first made (OnInitDialog) the page takes the session from the sheet
// and clears its own bit, since it is about to fill its controls anyway; without a session
// it ends the sheet with IDCANCEL and does nothing else. On every later activation a set bit
// is cleared and RefreshPage reloads the page from the session.
//
// A page extends OnInitDialog by calling this one first and filling its controls only when
// it answered TRUE.

#include "framework/PropertyPage.h"

class CFTPSheet;
class ConfigDatabase;

class CFTPSheetPage : public CPropertyPage {
public:
  CFTPSheetPage(UINT idTemplate, int pageBit);

  BOOL OnInitDialog() override;  // FALSE when there is no session and the sheet is ending
  BOOL OnSetActive() override;

protected:
  // Reloads the page's controls from the session after another page changed the database.
  virtual void RefreshPage() {}
  // Tells the sheet that this page changed the database, so the other pages reload.
  void MarkOtherPagesStale();
  CFTPSheet* GetSheet() const;

  ConfigDatabase* m_pDatabase = nullptr;  // the sheet's session, not owned

private:
  const int m_pageBit;
};
