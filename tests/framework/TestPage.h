#pragma once
// A page over one of the test templates for the framework's tests: the second page exchanges
// m_value with its edit 30, and every framework call is logged as "call name" when a log is
// given.

#include <string>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/PropertyPage.h"
#include "tests/framework/TestTemplates.h"

class TestPage : public CPropertyPage {
 public:
  explicit TestPage(UINT idTemplate, std::string name = "", std::vector<std::string>* log = nullptr)
      : CPropertyPage(idTemplate), m_name(std::move(name)), m_log(log) {}

  int m_value = 7;

  BOOL OnInitDialog() override { return Noted("init", CPropertyPage::OnInitDialog()); }
  BOOL OnSetActive() override { return Noted("set", CPropertyPage::OnSetActive()); }
  BOOL OnKillActive() override { return Noted("kill", CPropertyPage::OnKillActive()); }
  void OnOK() override { Noted("ok"); }
  void OnCancel() override { Noted("cancel"); }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    if (GetTemplateId() == test_templates::kSecondPage) DDX_Text(pDX, 30, m_value);
  }

 private:
  // Logs the call and passes on what the base class answered to it.
  BOOL Noted(const char* call, BOOL answer = TRUE) {
    if (m_log) m_log->push_back(std::string(call) + " " + m_name);
    return answer;
  }

  std::string m_name;
  std::vector<std::string>* m_log;
};
