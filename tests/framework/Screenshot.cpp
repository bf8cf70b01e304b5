// Saves a picture of every real dialog and of the property sheet on each of its tabs, with a
// little sample content, for a look by eye: framework_screenshot OUTPUT_FOLDER
// (on a machine without a display: xvfb-run -a -s "-screen 0 1024x768x24" framework_screenshot DIR).

#include <iostream>

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include "framework/ComboBox.h"
#include "framework/Control.h"
#include "framework/ListCtrl.h"
#include "framework/ModuleResources.h"
#include "framework/PropertySheet.h"
#include "framework/WindowState.h"
#include "framework/qt/QtBackend.h"
#include "res/Resources.h"

namespace {

// Sample rows in every combo box and list view of a window.
void FillSamples(CWnd& window) {
  for (const auto& control : window.GetWindowState()->Controls()) {
    if (control->Kind() == res::ControlKind::ComboBox) {
      auto* combo = static_cast<CComboBox*>(window.GetDlgItem(control->Id()));
      for (const char* entry : {"(local)", "ftp-east", "ftp-west"}) combo->AddString(entry);
      combo->SetCurSel(0);
    } else if (control->Kind() == res::ControlKind::ListView) {
      auto* list = static_cast<CListCtrl*>(window.GetDlgItem(control->Id()));
      list->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
      list->InsertColumn(0, "User Name", LVCFMT_LEFT, 70);
      list->InsertColumn(1, "Home Directory", LVCFMT_LEFT, 180);
      for (const char* name : {"admin", "ftp", "caf\xC3\xA9"}) {
        const int row = list->InsertItem(list->GetItemCount(), name);
        list->SetItemText(row, 1, std::string("/srv/ftp/") + name);
      }
      list->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    }
  }
}

class SampleDialog : public CDialog {
public:
  using CDialog::CDialog;
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    FillSamples(*this);
    return TRUE;
  }
};

class SamplePage : public CPropertyPage {
public:
  using CPropertyPage::CPropertyPage;
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    FillSamples(*this);
    return TRUE;
  }
};

void SaveLater(const QString& file, std::function<void()> then) {
  QTimer::singleShot(50, qApp, [file, then = std::move(then)] {
    QWidget* window = QApplication::activeModalWidget();
    if (!window->grab().save(file)) std::cerr << "cannot write " << file.toStdString() << '\n';
    then();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: framework_screenshot OUTPUT_FOLDER\n";
    return 2;
  }
  QApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]) + "/";
  const ModuleResources resources{&res::FindDialogTemplate, &res::FindBitmapXpm};
  ModuleResourceScope module(resources);
  QtBackend backend;
  BackendScope use(backend);

  for (int id : {7019, 134, 7020, 7013, 7015, 7017}) {
    SampleDialog dialog(id);
    SaveLater(folder + QString("dialog-%1.png").arg(id), [] { QApplication::activeModalWidget()->close(); });
    dialog.DoModal();
  }

  CPropertySheet sheet("Veltrane Properties");
  SamplePage general(129), servers(7016), users(2002), about(132);
  for (CPropertyPage* page : {&general, &servers, &users, &about}) sheet.AddPage(page);
  sheet.m_psh.dwFlags = (sheet.m_psh.dwFlags & ~PSH_HASHELP) | PSH_NOAPPLYNOW;
  std::function<void(int)> shoot = [&](int tab) {
    SaveLater(folder + QString("sheet-tab%1.png").arg(tab), [&, tab] {
      if (tab == 3) return QApplication::activeModalWidget()->close(), void();
      QApplication::activeModalWidget()->findChild<QTabWidget*>()->setCurrentIndex(tab + 1);
      shoot(tab + 1);
    });
  };
  shoot(0);
  sheet.DoModal();
  return 0;
}
