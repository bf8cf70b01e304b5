// The Qt backend with real widgets over the Record dialog: the template's styles, the user's
// input, the handlers' changes, refusals, message boxes, the folder chooser, and a kept size
// larger than the screen.

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>

#include "framework/Edit.h"
#include "framework/FolderBrowser.h"
#include "tests/framework/QtFixture.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/TestTemplates.h"

namespace {

class QtBackendTest : public QtFixture {
 protected:
  ModuleResourceScope m_module{test_templates::Module()};
};

// One dialog in which the template's styles, the user's input, the handlers' changes, a
// refused field, a message box and the folder chooser are each seen through real widgets. Its
// size was kept on a far larger screen: it opens within this one, and the kept size, left
// alone, is not written again.
TEST_F(QtBackendTest, TheDialogsStylesInputHandlersRefusalsAndBoxesWorkThroughItsWidgets) {
  const QString key = QStringLiteral("Windows/Dialog%1/Scale").arg(test_templates::kRecord);
  QSettings().setValue(key, QSizeF(40.0, 30.0));
  RecordDialog dlg;
  dlg.m_onInit = [](RecordDialog& d) {
    static_cast<CEdit*>(d.GetDlgItem(10))->SetReadOnly(TRUE);  // the first tab stop
    d.SetTimer(7, 5, nullptr);
  };
  dlg.m_onAdd = [](RecordDialog& d) { d.GetDlgItem(13)->SetWindowText("added \xC3\xA9"); };
  RunModal(dlg, IDOK, [&](QWidget* dialog) {
    EXPECT_TRUE(dialog->screen()->availableGeometry().contains(dialog->geometry()));
    // Timer ticks reach OnTimer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.m_log.size() >= 3; }, 5000));
    dlg.KillTimer(7);
    EXPECT_EQ(dlg.m_log, std::vector<std::string>(dlg.m_log.size(), "timer 7"));
    dlg.m_log.clear();

    // The template's styles become the widgets' properties; a read-only field looks read-only
    // and is left out of the tab order and the first focus.
    EXPECT_TRUE(Find<QLineEdit>(13)->isReadOnly());
    EXPECT_NE(Find<QLineEdit>(12)->validator(), nullptr);
    EXPECT_TRUE(Find<QPushButton>(IDOK)->isDefault());
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(11));
    EXPECT_NE(Find<QLineEdit>(13)->palette().color(QPalette::Base),
              Find<QLineEdit>(12)->palette().color(QPalette::Base));
    Find<QLineEdit>(12)->setFocus();
    QTest::keyClick(Find<QLineEdit>(12), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), Find<QCheckBox>(14));

    // After a refused integer's message the focus is back on the field, wherever it was.
    QTest::keyClicks(Find<QLineEdit>(11), "12a");
    Later([] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Enter); });
    Click(IDOK);
    EXPECT_EQ(dialog->focusWidget(), Find<QLineEdit>(11));
    QTest::keyClick(Find<QLineEdit>(11), Qt::Key_A, Qt::ControlModifier);  // typing replaces "12a"
    QTest::keyClicks(Find<QLineEdit>(11), "42");

    // A handler's changes are shown (a list's rows in the list view test).
    Click(17);
    EXPECT_EQ(Find<QLineEdit>(13)->text(), QString::fromUtf8("added \xC3\xA9"));

    // The user's choices reach the handlers.
    QComboBox* combo = Find<QComboBox>(15);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    Click(14);
    EXPECT_EQ(dlg.m_log, (std::vector<std::string>{"add", "choice 10.0.0.12", "choice 10.0.0.1", "allow 1"}));

    // A message box shows its texts and answers the button clicked.
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

    // The folder chooser starts at the folder the field names or the nearest one above, and
    // answers the folder picked or nothing.
    const QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("kept/deeper"));
    const QString kept = root.path() + "/kept";
    const QString choosers[][3] = {// the field, where the chooser starts, the folder picked or none
                                   {kept, kept, kept + "/deeper"},
                                   {kept + "/missing/more", kept, {}},
                                   {"relative", QDir::homePath(), {}}};
    for (const auto& [field, first, picked] : choosers) {
      m_backend.Deliver([&] { dlg.GetDlgItem(10)->SetWindowText(field.toStdString()); });
      Later([&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), "Select a Directory:");
        EXPECT_EQ(chooser->directory().absolutePath(), first) << field.toStdString();
        if (picked.isEmpty()) return chooser->reject();
        chooser->selectFile(picked);
        QMetaObject::invokeMethod(chooser, "accept");
      });
      EXPECT_EQ(BrowseForFolder(&dlg, "Select a Directory:", BIF_RETURNONLYFSDIRS),
                picked.isEmpty() ? std::nullopt : std::optional(picked.toStdString()));
    }
  });
  EXPECT_EQ(dlg.m_count, 42);
  EXPECT_EQ(dlg.m_allow, BST_CHECKED);
  EXPECT_EQ(QSettings().value(key).toSizeF(), QSizeF(40.0, 30.0));
}

}  // namespace
