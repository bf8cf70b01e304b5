#include <QLabel>
#include <QTabWidget>

#include "framework/Dialog.h"
#include "framework/ModuleResources.h"
#include "framework/PropertySheet.h"
#include "framework/qt/DialogUnits.h"
#include "res/Resources.h"
#include "tests/framework/QtFixture.h"

namespace {

class RealTemplatesQtTest : public QtFixture {
protected:
  // Every control with an id of `tmpl` is in `window` at its dialog-unit place, and inside it.
  static void ExpectControlsInPlace(const res::DialogTemplate& tmpl, QWidget* window) {
    const DialogUnits units = DialogUnits::ForFont(TemplateFont(tmpl));
    const QRect client(QPoint(0, 0), units.ToPixels(tmpl.cx, tmpl.cy));
    for (const res::ControlTemplate& control : tmpl.controls) {
      if (control.id == res::IDC_STATIC) continue;
      QWidget* widget = window->findChild<QWidget*>(QString::number(control.id));
      ASSERT_NE(widget, nullptr) << tmpl.id << "/" << control.id;
      EXPECT_EQ(widget->pos(), units.ToPixels(control.rect).topLeft()) << tmpl.id << "/" << control.id;
      EXPECT_TRUE(client.contains(widget->geometry())) << tmpl.id << "/" << control.id;
    }
  }

  ModuleResources m_resources{&res::FindDialogTemplate, &res::FindBitmapXpm};
  ModuleResourceScope m_module{m_resources};
};

TEST_F(RealTemplatesQtTest, EveryDialogBuildsWithItsControlsInPlace) {
  for (int id : {134, 7013, 7015, 7017, 7019, 7020}) {
    const res::DialogTemplate* tmpl = res::FindDialogTemplate(id);
    ASSERT_NE(tmpl, nullptr) << id;
    CDialog dialog(id);
    Later([&] {
      QWidget* window = QApplication::activeModalWidget();
      EXPECT_EQ(window->windowTitle().toStdString(), tmpl->caption);
      ExpectControlsInPlace(*tmpl, window);
      QTest::keyClick(window, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << id;
  }
}

TEST_F(RealTemplatesQtTest, EveryPageBuildsInASheetAndTheAboutPageShowsItsBanner) {
  const int pages[] = {129, 7016, 2002, 132};
  CPropertySheet sheet("Properties");
  CPropertyPage general(pages[0]), servers(pages[1]), users(pages[2]), about(pages[3]);
  for (CPropertyPage* page : {&general, &servers, &users, &about}) sheet.AddPage(page);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  Later([&] {
    auto* tabs = QApplication::activeModalWidget()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    for (int i = 0; i < 4; ++i) {
      tabs->setCurrentIndex(i);
      ExpectControlsInPlace(*res::FindDialogTemplate(pages[i]), tabs->widget(i));
    }
    QLabel* banner = nullptr;
    for (QLabel* label : tabs->widget(3)->findChildren<QLabel*>())
      if (!label->pixmap().isNull()) banner = label;
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->pixmap().size(), QSize(300, 70));
    Click(IDCANCEL);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

}  // namespace
