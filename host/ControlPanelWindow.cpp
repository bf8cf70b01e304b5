#include "host/ControlPanelWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int kIconSize = 32;  // the applets' icons are 32 by 32 pixels

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

ControlPanelWindow::ControlPanelWindow(const ControlPanel& panel)
    : panel_(panel), list_(new QListWidget(this)), status_(new QLabel(this)) {
  setWindowTitle("Control Panel");
  list_->setViewMode(QListView::IconMode);
  list_->setIconSize(QSize(kIconSize, kIconSize));
  list_->setGridSize(QSize(kIconSize * 4, kIconSize * 3));
  list_->setMovement(QListView::Static);
  list_->setResizeMode(QListView::Adjust);
  list_->setWordWrap(true);
  for (size_t i = 0; i < panel.Applets().size(); ++i)
    if (panel.Applets()[i].described) AddApplet(static_cast<int>(i), panel.Applets()[i]);

  status_->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(list_);
  layout->addWidget(status_);
  resize(480, 320);

  connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) { ShowDescription(item); });
  // Emitted for a double-click and for Enter alike.
  connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { OpenApplet(item); });
  if (list_->count() > 0) list_->setCurrentRow(0);
  ShowDescription(list_->currentItem());
}

void ControlPanelWindow::AddApplet(int position, const ControlPanel::Applet& applet) {
  const AppletLibrary::Description& description = applet.description;
  QPixmap icon = description.icon ? QPixmap(description.icon) : QPixmap();
  auto* item = new QListWidgetItem(QIcon(icon), FromUtf8(description.name), list_);
  item->setToolTip(FromUtf8(description.info));
  item->setData(Qt::UserRole, position);
}

void ControlPanelWindow::ShowDescription(QListWidgetItem* item) {
  status_->setText(item ? item->toolTip() : QString::number(list_->count()) + " applets");
}

void ControlPanelWindow::OpenApplet(QListWidgetItem* item) {
  const ControlPanel::Applet& applet = panel_.Applets().at(item->data(Qt::UserRole).toInt());
  panel_.DoubleClick(applet, reinterpret_cast<HWND>(this));
}
