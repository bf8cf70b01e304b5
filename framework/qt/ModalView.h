#pragma once
// The toolkit dialog that runs one modal window: a dialog (DialogView) or a property sheet
// (SheetView). Escape and the close box send the window its Cancel command, which decides.
// A window that can grow opens at the size the user last gave it, in proportion to its
// template's size and never larger than the screen it opens on, and keeps the new one when
// it closes.

#include <QDialog>
#include <QString>

class CWnd;
class QtBackend;
class WindowView;

class ModalView : public QDialog {
 public:
  ModalView(CWnd& window, QtBackend& backend, QWidget* parent);

  CWnd& Window() const { return m_window; }
  virtual void Sync() = 0;
  void reject() override;
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void SyncCaption();
  // Lets the window grow from its smallest size in the directions given, and takes the size
  // kept under `settingsKey`. Called once the window is built.
  void AllowGrowth(bool wide, bool tall, const QString& settingsKey);

  CWnd& m_window;
  QtBackend& m_backend;

 private:
  QSize ScreenRoom() const;
  void FitOnScreen();

  QString m_settingsKey;  // empty for a window of fixed size
  QSize m_smallest;
  QSize m_openedSize;  // as first shown
};

class DialogView : public ModalView {
 public:
  DialogView(CWnd& dialog, QtBackend& backend, QWidget* parent);
  void Sync() override;

 private:
  WindowView* m_client;
};
