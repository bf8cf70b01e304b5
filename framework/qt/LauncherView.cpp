#include "framework/qt/LauncherView.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

#include "framework/qt/ControlView.h"
#include "framework/qt/QtText.h"

namespace {

constexpr int kIconSize = 32;

QListWidget* MakeList(const std::vector<LauncherEntry>& entries, QWidget* window) {
  auto* list = new QListWidget(window);
  list->setViewMode(QListView::IconMode);
  list->setIconSize(QSize(kIconSize, kIconSize));
  list->setGridSize(QSize(kIconSize * 4, kIconSize * 3));
  list->setMovement(QListView::Static);
  list->setResizeMode(QListView::Adjust);
  list->setWordWrap(true);
  for (size_t position = 0; position < entries.size(); ++position) {
    const LauncherEntry& entry = entries[position];
    const QPixmap icon = entry.icon ? QPixmap(entry.icon) : QPixmap();
    auto* item = new QListWidgetItem(QIcon(icon), ToQString(entry.name), list);
    item->setToolTip(ToQString(entry.description));
    item->setData(Qt::UserRole, QVariant::fromValue(position));
  }
  return list;
}

}  // namespace

LauncherView::LauncherView(const std::string& title, const std::vector<LauncherEntry>& entries,
                           const std::string& idleStatus, Open open)
    : m_window(std::make_unique<QWidget>()) {
  QWidget* window = m_window.get();
  window->setWindowTitle(ToQString(title));
  QListWidget* list = MakeList(entries, window);
  auto* status = new QLabel(ToQString(idleStatus), window);
  status->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(list);
  layout->addWidget(status);
  window->resize(480, 320);

  QObject::connect(list, &QListWidget::currentItemChanged, status,
                   [status, idle = status->text()](QListWidgetItem* item) {
                     status->setText(item ? item->toolTip() : idle);
                   });
  // Emitted for a double-click and for Enter alike.
  QObject::connect(list, &QListWidget::itemActivated, window,
                   [window, open = std::move(open)](QListWidgetItem* item) {
                     open(item->data(Qt::UserRole).value<size_t>(), window);
                   });
  if (list->count() > 0) list->setCurrentRow(0);
}

LauncherView::~LauncherView() = default;

void LauncherView::Show() { m_window->show(); }
