#pragma once
// The Virtual Servers page: the virtual servers of one computer (address and description),
// with the buttons that add, change and delete a virtual server, edit its preferences and
// open the Add Computer dialog. Every change is written at once, and the other pages are
// told to reload.

#include <cstdint>

#include "framework/ComboBox.h"
#include "framework/ListCtrl.h"
#include "ui/FTPSheetPage.h"

struct VirtualServerRecord;

class CSitePage : public CFTPSheetPage {
 public:
  CSitePage(ConfigDatabase* database, StalePageMask& stalePages);

  BOOL OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void RefreshPage() override { RefreshSitePage(); }
  const CommandMap& GetCommandMap() const override;

 private:
  void RefreshSitePage();
  // Lists the chosen computer's virtual servers.
  void FillSiteList();

  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnEditPreferences();
  void OnAddComputer();

  // The buttons that act on the selected row: Edit, Delete and Edit Preferences.
  void EnableRowButtons(BOOL enable);
  // The selected row, or -1 when none is; the virtual server as the row shows it goes into
  // `server`.
  int GetSelectedServer(VirtualServerRecord& server) const;
  int32_t SelectedComputerKey() const;

  CComboBox m_computerCombo;
  CListCtrl m_siteList;
};
