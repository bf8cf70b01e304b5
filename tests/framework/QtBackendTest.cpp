#include <chrono>
#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include "framework/FolderBrowser.h"
#include "framework/ModuleResources.h"
#include "framework/PropertySheet.h"
#include "framework/qt/DialogUnits.h"
#include "tests/framework/QtFixture.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/TestTemplates.h"

namespace {

using Clock = std::chrono::steady_clock;

class QtBackendTest : public QtFixture {
protected:
  ModuleResourceScope m_module{test_templates::Module()};
};

TEST_F(QtBackendTest, TemplateBuildsEveryControlAtItsDialogUnitPlace) {
  RecordDialog dlg;
  Later([] {
    const res::DialogTemplate& tmpl = *test_templates::Module().FindDialogTemplate(test_templates::kRecord);
    const DialogUnits units = DialogUnits::ForFont(TemplateFont(tmpl));
    EXPECT_GE(units.BaseX(), 4);  // an 8-point face at screen resolution
    EXPECT_LE(units.BaseX(), 10);
    EXPECT_GE(units.BaseY(), 10);
    EXPECT_LE(units.BaseY(), 20);
    QWidget* modal = QApplication::activeModalWidget();
    EXPECT_EQ(modal->windowTitle(), "Record");
    EXPECT_EQ(modal->size(), units.ToPixels(tmpl.cx, tmpl.cy));
    for (const res::ControlTemplate& control : tmpl.controls) {
      if (control.id == res::IDC_STATIC) continue;
      QWidget* widget = Find<QWidget>(control.id);
      const QRect expected = units.ToPixels(control.rect);
      EXPECT_EQ(widget->pos(), expected.topLeft()) << control.id;
      EXPECT_EQ(widget->width(), expected.width()) << control.id;
      if (control.kind != res::ControlKind::ComboBox) {
        EXPECT_EQ(widget->height(), expected.height()) << control.id;
      }
    }
    EXPECT_TRUE(Find<QLineEdit>(13)->isReadOnly());
    EXPECT_NE(Find<QLineEdit>(12)->validator(), nullptr);
    EXPECT_FALSE(Find<QPushButton>(18)->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(IDOK)->isDefault());
    EXPECT_NE(Find<QCheckBox>(14), nullptr);
    EXPECT_EQ(Find<QComboBox>(15)->currentText(), "(local)");
    EXPECT_EQ(Find<QTableView>(16)->model()->columnCount(), 2);
    QLabel* label = modal->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), Find<QLineEdit>(10));
    Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(QtBackendTest, UserInputReachesTheControlsAndHandlersAndTheirChangesAreShown) {
  RecordDialog dlg;
  dlg.m_onAdd = [](RecordDialog& d) {
    const int row = d.m_list.InsertItem(d.m_list.GetItemCount(), "row");
    d.m_list.SetItemText(row, 1, "value");
    d.m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    d.GetDlgItem(13)->SetWindowText("added \xC3\xA9");
  };
  Later([&] {
    QTest::keyClicks(Find<QLineEdit>(11), "42");
    Click(17);
    QTableView* table = Find<QTableView>(16);
    EXPECT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(table->model()->index(0, 1).data().toString(), "value");
    EXPECT_EQ(table->selectionModel()->currentIndex().row(), 0);
    EXPECT_EQ(Find<QLineEdit>(13)->text(), QString::fromUtf8("added \xC3\xA9"));
    QComboBox* combo = Find<QComboBox>(15);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    Click(14);
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_count, 42);
  EXPECT_EQ(dlg.m_allow, BST_CHECKED);
  EXPECT_EQ(dlg.m_log, (std::vector<std::string>{"add", "choice 10.0.0.12", "choice 10.0.0.1", "allow 1"}));
}

TEST_F(QtBackendTest, RefusedIntegerShowsTheMessageAndFocusesTheField) {
  RecordDialog dlg;
  QString message;
  Later([&] {
    QWidget* dialog = QApplication::activeModalWidget();
    QTest::keyClicks(Find<QLineEdit>(11), "12a");
    Later([&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      message = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    Click(IDOK);
    EXPECT_EQ(QApplication::activeModalWidget(), dialog);
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(11));
    Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(message, "Please enter an integer.");
}

TEST_F(QtBackendTest, MessageBoxShowsCaptionTextIconAndTheStylesButtons) {
  Later([] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Warning");
    EXPECT_EQ(box->text(), "Delete it?\n\nReally?");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(::MessageBox(nullptr, "Delete it?\n\nReally?", "Warning", MB_YESNO | MB_ICONEXCLAMATION), IDNO);
}

TEST_F(QtBackendTest, SheetMakesAPagesWidgetsWhenItsTabIsFirstChosen) {
  CPropertySheet sheet("Properties");
  CPropertyPage first(test_templates::kFirstPage), second(test_templates::kSecondPage),
      third(test_templates::kThirdPage);
  for (CPropertyPage* page : {&first, &second, &third}) sheet.AddPage(page);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  Later([&] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* tabs = modal->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(modal->windowTitle(), "Properties");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(2), "Third");
    EXPECT_EQ(modal->findChildren<QPushButton*>(QString::number(ID_APPLY_NOW)).size(), 0);
    EXPECT_EQ(modal->findChildren<QPushButton*>(QString::number(IDHELP)).size(), 0);
    EXPECT_EQ(modal->findChildren<QLineEdit*>("30").size(), 0);
    tabs->setCurrentIndex(1);  // as a click on the tab does
    EXPECT_TRUE(second.IsWindowCreated());
    EXPECT_TRUE(Find<QLineEdit>(30)->isVisible());
    tabs->setCurrentIndex(2);
    QLabel* banner = tabs->widget(2)->findChild<QLabel*>();
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->pixmap().size(), QSize(4, 2));
    Click(IDOK);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(QtBackendTest, FolderChooserAnswersTheChosenFolderOrNothing) {
  const QString folder = QDir::tempPath();
  Later([folder] {
    auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), "Select a Directory:");
    chooser->selectFile(folder);
    QMetaObject::invokeMethod(chooser, "accept");
  });
  EXPECT_EQ(BrowseForFolder(nullptr, "Select a Directory:", BIF_RETURNONLYFSDIRS), folder.toStdString());
  Later([] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
  EXPECT_EQ(BrowseForFolder(nullptr, "Select a Directory:", BIF_RETURNONLYFSDIRS), std::nullopt);
}

class TickingDialog : public RecordDialog {
public:
  int m_ticks = 0;

protected:
  BOOL OnInitDialog() override {
    SetTimer(7, 5, nullptr);
    return RecordDialog::OnInitDialog();
  }
  void OnTimer(UINT_PTR id) override {
    if (id == 7 && ++m_ticks == 3) EndDialog(IDOK);
  }
};

TEST_F(QtBackendTest, WindowTimerTicksReachOnTimer) {
  TickingDialog dlg;
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_ticks, 3);
}

class BigListDialog : public RecordDialog {
public:
  static constexpr int kRows = 100000;

protected:
  BOOL OnInitDialog() override {
    RecordDialog::OnInitDialog();
    for (int i = 0; i < kRows; ++i) {
      const int row = m_list.InsertItem(i, "user" + std::to_string(i));
      m_list.SetItemText(row, 1, "/srv/ftp/home/user" + std::to_string(i));
      m_list.SetItemData(row, static_cast<DWORD_PTR>(i));
    }
    m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    return TRUE;
  }
};

TEST_F(QtBackendTest, ListOfOneHundredThousandRowsOpensAndScrollsWithoutDelay) {
  BigListDialog dlg;
  std::chrono::duration<double> opened{}, scrolled{};
  const Clock::time_point start = Clock::now();
  Later([&] {
    opened = Clock::now() - start;
    QWidget* modal = QApplication::activeModalWidget();
    QTableView* table = Find<QTableView>(16);
    EXPECT_EQ(table->model()->rowCount(), BigListDialog::kRows);
    const Clock::time_point scrolling = Clock::now();
    QScrollBar* bar = table->verticalScrollBar();
    for (int step = 0; step <= 50; ++step) {
      bar->setValue(bar->maximum() * step / 50);
      modal->grab();  // paints what is shown
    }
    table->selectRow(BigListDialog::kRows - 1);
    scrolled = Clock::now() - scrolling;
    EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), BigListDialog::kRows - 1);
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_LT(opened.count(), 10.0);
  EXPECT_LT(scrolled.count(), 5.0);
  std::cout << "100000 rows: filled and opened in " << opened.count() << " s, 51 pages scrolled in "
            << scrolled.count() << " s\n";
}

}  // namespace
