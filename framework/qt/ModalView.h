#pragma once
// The toolkit dialog that runs one modal window: a dialog (DialogView) or a property sheet
// (SheetView). Escape and the close box send the window its Cancel command, which decides.

#include <QDialog>

class CWnd;
class QtBackend;
class WindowView;

class ModalView : public QDialog {
public:
  ModalView(CWnd& window, QtBackend& backend, QWidget* parent);

  CWnd& Window() const { return m_window; }
  virtual void Sync() = 0;
  void reject() override;

protected:
  void SyncCaption();

  CWnd& m_window;
  QtBackend& m_backend;
};

class DialogView : public ModalView {
public:
  DialogView(CWnd& dialog, QtBackend& backend, QWidget* parent);
  void Sync() override;

private:
  WindowView* m_client;
};
