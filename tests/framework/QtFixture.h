#pragma once
// A test with a QApplication, the Qt backend as the current one, and helpers that act on the
// modal window open at the time. Each test makes the module whose templates it uses current.
// Window sizes and column widths are kept as the program keeps them, in settings of the
// test's own, which start empty.

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "framework/Backend.h"
#include "framework/ModuleResources.h"
#include "framework/qt/QtBackend.h"
#include "res/Resources.h"

class QtFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "framework_qt_test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
    QApplication::setOrganizationName("Orvindel");
  }

  QtFixture() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());
    // A step that goes wrong must not leave a window waiting for ever.
    m_watchdog.setSingleShot(true);
    QObject::connect(&m_watchdog, &QTimer::timeout, [] {
      ADD_FAILURE() << "a window was still open after 60 s";
      while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(0);
    });
    m_watchdog.start(60000);
  }

  // Runs `step` once the event loop of the next modal window is running.
  static void Later(std::function<void()> step) { QTimer::singleShot(0, qApp, std::move(step)); }

  // Opens `window` (a dialog or a sheet), runs `steps` on it and closes it with button `close`,
  // which DoModal must answer.
  template <class Window>
  static void RunModal(Window& window, int close, const std::function<void(QWidget*)>& steps) {
    Later([&] {
      steps(QApplication::activeModalWidget());
      Click(close);
    });
    EXPECT_EQ(window.DoModal(), close);
  }

  template <class W>
  static W* Find(int id) {
    QWidget* modal = QApplication::activeModalWidget();
    W* widget = modal ? modal->findChild<W*>(QString::number(id)) : nullptr;
    EXPECT_NE(widget, nullptr) << "control " << id;
    return widget;
  }

  // Near the left edge: a check box takes clicks only on its box and its text.
  static void Click(int id) {
    QAbstractButton* button = Find<QAbstractButton>(id);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }

  QTemporaryDir m_settingsFolder;
  QTimer m_watchdog;
  QtBackend m_backend;
  BackendScope m_use{m_backend};
};

// The same with the program's own templates and pictures as the current module's resources.
class QtRealTemplatesFixture : public QtFixture {
 protected:
  ModuleResources m_resources{&res::DialogTemplates, &res::FindBitmapXpm, &res::ResourceNames};
  ModuleResourceScope m_module{m_resources};
};
