#pragma once
// A page of the configuration sheet that shows database contents. It gets the session and
// the sheet's stale mask when it is made, and has one bit in that mask.
//
// When its window is first made (OnInitDialog) the page clears its own bit, since it is
// about to fill its controls anyway; without a session it ends the sheet with IDCANCEL and
// does nothing else. On every later activation a set bit is cleared and RefreshPage reloads
// the page from the session. A page that changed the database marks the other pages stale.
//
// A page extends OnInitDialog by calling this one first and filling its controls only when
// it answered TRUE.

#include <cstdint>

#include "framework/PropertyPage.h"

class ConfigDatabase;

// The data pages that reload when next activated, one bit per page. The sheet owns it and
// hands it to its pages.
struct StalePageMask {
  int32_t m_staleMask = 0;
};

class CFTPSheetPage : public CPropertyPage {
 public:
  enum PageBit : int32_t {
    kGeneralPageBit = 1,
    kSitePageBit = 2,
    kUsersPageBit = 4,
  };

  // `database` is the session, not owned; null makes the page end the sheet.
  CFTPSheetPage(UINT idTemplate, PageBit pageBit, ConfigDatabase* database, StalePageMask& stalePages);

  BOOL OnInitDialog() override;  // FALSE when there is no session and the sheet is ending
  BOOL OnSetActive() override;

 protected:
  // Reloads the page's controls from the session after another page changed the database.
  virtual void RefreshPage() {}
  // After this page changed the database: the other data pages, and only they, reload when
  // next activated.
  void MarkOtherPagesStale();
  // This page reloads when next activated.
  void MarkThisPageStale();

  ConfigDatabase* const m_pDatabase;

 private:
  static constexpr int32_t kAllPageBits = kGeneralPageBit | kSitePageBit | kUsersPageBit;

  const PageBit m_pageBit;
  StalePageMask& m_stalePages;
};
