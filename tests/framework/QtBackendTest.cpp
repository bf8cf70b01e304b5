#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>
#include <QTemporaryDir>

#include "framework/Edit.h"
#include "framework/FolderBrowser.h"
#include "framework/ModuleResources.h"
#include "tests/framework/QtFixture.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/TestTemplates.h"

namespace {

class QtBackendTest : public QtFixture {
 protected:
  ModuleResourceScope m_module{test_templates::Module()};
};

TEST_F(QtBackendTest, TemplateStylesBecomeTheWidgetsProperties) {
  RecordDialog dlg;
  Later([] {
    EXPECT_TRUE(Find<QLineEdit>(13)->isReadOnly());
    EXPECT_NE(Find<QLineEdit>(12)->validator(), nullptr);
    EXPECT_FALSE(Find<QPushButton>(18)->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(IDOK)->isDefault());
    EXPECT_EQ(QApplication::activeModalWidget()->findChild<QLabel*>()->buddy(), Find<QLineEdit>(10));
    Click(IDCANCEL);
  });
  dlg.DoModal();
}

TEST_F(QtBackendTest, ARefusedIntegerIsReportedAndKeepsTheDialogOpenWithTheFocusOnTheField) {
  RecordDialog dlg;
  QString refusal;
  Later([&] {
    QWidget* dialog = QApplication::activeModalWidget();
    QTest::keyClicks(Find<QLineEdit>(11), "12a");
    Later([&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      refusal = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    Click(IDOK);
    EXPECT_EQ(QApplication::activeModalWidget(), dialog);
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(11));
    QTest::keyClick(Find<QLineEdit>(11), Qt::Key_A, Qt::ControlModifier);  // typing replaces "12a"
    QTest::keyClicks(Find<QLineEdit>(11), "42");
    Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(refusal, "Please enter an integer.");
  EXPECT_EQ(dlg.m_count, 42);
}

TEST_F(QtBackendTest, UserInputReachesTheControlsAndHandlersAndTheirChangesAreShown) {
  RecordDialog dlg;
  dlg.m_onAdd = [](RecordDialog& d) {
    d.m_list.SetItemText(d.m_list.InsertItem(0, "row"), 1, "value");
    d.m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    d.GetDlgItem(13)->SetWindowText("added \xC3\xA9");
  };
  Later([&] {
    Click(17);
    QTableView* table = Find<QTableView>(16);
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
  EXPECT_EQ(dlg.m_allow, BST_CHECKED);
  EXPECT_EQ(dlg.m_log, (std::vector<std::string>{"add", "choice 10.0.0.12", "choice 10.0.0.1", "allow 1"}));
}

TEST_F(QtBackendTest, AReadOnlyFieldLooksReadOnlyAndIsLeftOutOfTheTabOrderAndTheFirstFocus) {
  RecordDialog dlg;
  const auto readOnly = [](RecordDialog& d, int id, BOOL on) {
    static_cast<CEdit*>(d.GetDlgItem(id))->SetReadOnly(on);
  };
  dlg.m_onInit = [&](RecordDialog& d) { readOnly(d, 10, TRUE); };  // the first tab stop
  dlg.m_onAdd = [&](RecordDialog& d) { readOnly(d, 13, FALSE); };
  Later([] {
    QWidget* dialog = QApplication::activeModalWidget();
    const auto background = [](int id) { return Find<QLineEdit>(id)->palette().color(QPalette::Base); };
    const auto tabFrom = [dialog](int id) {
      Find<QLineEdit>(id)->setFocus();
      QTest::keyClick(Find<QLineEdit>(id), Qt::Key_Tab);
      return dialog->focusWidget();
    };
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(11));
    EXPECT_NE(background(13), background(12));
    EXPECT_EQ(tabFrom(12), Find<QCheckBox>(14));
    Click(17);
    EXPECT_EQ(background(13), background(12));
    EXPECT_EQ(tabFrom(12), Find<QLineEdit>(13));
    Click(IDCANCEL);
  });
  dlg.DoModal();
}

TEST_F(QtBackendTest, AMessageBoxShowsItsTextsAndAnswersTheButtonClicked) {
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

// It starts at the folder its field names or the nearest one above, and answers the folder
// picked or nothing.
TEST_F(QtBackendTest, TheFolderChooserStartsAtTheFolderItsFieldNamesAndAnswersTheOnePicked) {
  const QTemporaryDir root;
  ASSERT_TRUE(QDir(root.path()).mkpath("kept/deeper"));
  const QString kept = root.path() + "/kept";
  struct Case {
    QString field;
    QString first;
    QString picked;  // empty: cancelled
  };
  for (const Case& c : {Case{kept, kept, kept + "/deeper"}, Case{kept + "/missing/more", kept, {}},
                        Case{"relative", QDir::homePath(), {}}}) {
    RecordDialog dlg;
    std::optional<std::string> answer;
    dlg.m_onInit = [&c](RecordDialog& d) { d.GetDlgItem(10)->SetWindowText(c.field.toStdString()); };
    dlg.m_onAdd = [&](RecordDialog& d) {
      answer = BrowseForFolder(&d, "Select a Directory:", BIF_RETURNONLYFSDIRS);
    };
    Later([&c] {
      Later([&c] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), "Select a Directory:");
        EXPECT_EQ(chooser->directory().absolutePath(), c.first) << c.field.toStdString();
        if (c.picked.isEmpty()) return chooser->reject();
        chooser->selectFile(c.picked);
        QMetaObject::invokeMethod(chooser, "accept");
      });
      Click(17);
      Click(IDCANCEL);
    });
    dlg.DoModal();
    if (c.picked.isEmpty())
      EXPECT_EQ(answer, std::nullopt);
    else
      EXPECT_EQ(answer, c.picked.toStdString());
  }
}

TEST_F(QtBackendTest, WindowTimerTicksReachOnTimer) {
  RecordDialog dlg;
  dlg.m_onInit = [](RecordDialog& d) { d.SetTimer(7, 5, nullptr); };
  Later([&] {
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.m_log.size() >= 3; }, 5000));
    Click(IDCANCEL);
  });
  dlg.DoModal();
  EXPECT_EQ(dlg.m_log.front(), "timer 7");
}

}  // namespace
