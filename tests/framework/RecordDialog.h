#pragma once
// A dialog over template 100 for the framework's tests: every kind of data exchange, a
// handler per notification kind, and a log of what ran.

#include <functional>
#include <string>
#include <vector>

#include "framework/Control.h"
#include "framework/CommandMap.h"
#include "framework/ComboBox.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/ListCtrl.h"
#include "tests/framework/TestTemplates.h"

class RecordDialog : public CDialog {
 public:
  RecordDialog() : CDialog(test_templates::kRecord) {}

  std::string m_name;
  int m_count = 0;
  std::string m_digits;
  int m_allow = 0;
  CComboBox m_choice;
  CListCtrl m_list;
  std::vector<std::string> m_log;
  // What OnInitDialog and the Add button do besides, if anything.
  std::function<void(RecordDialog&)> m_onInit, m_onAdd;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, 10, m_name);
    DDX_Text(pDX, 11, m_count);
    DDX_Text(pDX, 12, m_digits);
    DDX_Check(pDX, 14, m_allow);
    DDX_Control(pDX, 15, m_choice);
    DDX_Control(pDX, 16, m_list);
  }

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    for (const char* entry : {"(local)", "10.0.0.12", "10.0.0.1", "Beta"}) m_choice.AddString(entry);
    m_choice.SetCurSel(0);
    m_list.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    m_list.InsertColumn(1, "Value", LVCFMT_LEFT, 60);
    if (m_onInit) m_onInit(*this);
    return TRUE;
  }

  void OnTimer(UINT_PTR id) override { m_log.push_back("timer " + std::to_string(id)); }

  const CommandMap& GetCommandMap() const override {
    using D = RecordDialog;
    static const CommandMap map = CommandMap::Of<D>(
        &CDialog::GetCommandMap(),
        {{BN_CLICKED, 17, &D::OnAdd}, {BN_CLICKED, 14, &D::OnAllow}, {CBN_SELCHANGE, 15, &D::OnChoice}});
    return map;
  }

 private:
  void OnAdd() {
    m_log.push_back("add");
    if (m_onAdd) m_onAdd(*this);
  }
  void OnAllow() { m_log.push_back("allow " + std::to_string(GetDlgItem(14)->GetControl()->Check())); }
  void OnChoice() {
    std::string text;
    m_choice.GetLBText(m_choice.GetCurSel(), text);
    m_log.push_back("choice " + text);
  }
};
