#pragma once
// The Control Panel's window: one entry per applet with its icon and name, its description
// on the status line; a double-click or Enter on an entry opens the applet.

#include <QWidget>

#include "host/ControlPanel.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

class ControlPanelWindow : public QWidget {
 public:
  explicit ControlPanelWindow(const ControlPanel& panel);

  QListWidget* AppletList() const { return list_; }

 private:
  void AddApplet(int position, const ControlPanel::Applet& applet);
  void ShowDescription(QListWidgetItem* item);
  void OpenApplet(QListWidgetItem* item);

  const ControlPanel& panel_;
  QListWidget* list_;
  QLabel* status_;
};
