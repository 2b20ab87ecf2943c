#include "table_access.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

namespace varnok::access {

namespace {

constexpr char kAnnouncementId[] = "Announcement";

QHash<const QObject*, TableAccess*>& Registry() {
  static QHash<const QObject*, TableAccess*> registry;
  return registry;
}

// Finds the part `id` among `items` (depth first); nullptr when none.
const Item* Find(const std::vector<Item>& items, const QString& id) {
  for (const Item& item : items) {
    if (item.id == id) return &item;
    if (const Item* found = Find(item.children, id)) return found;
  }
  return nullptr;
}

// The id of the part that holds `id` ("" for a part of the table itself).
QString ParentOf(const std::vector<Item>& items, const QString& id, const QString& parent = {}) {
  for (const Item& item : items) {
    if (item.id == id) return parent;
    const QString found = ParentOf(item.children, id, item.id);
    if (!found.isNull()) return found;
  }
  return QString();  // null: not there
}

class CanvasInterface;

// A drawn part of the table: everything it says is read from the source when asked.
class PartAccessible : public QAccessibleInterface {
 public:
  PartAccessible(CanvasInterface* canvas, QString id) : canvas_(canvas), id_(std::move(id)) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;

  const QString& Id() const { return id_; }

 private:
  std::vector<Item> Items() const;
  CanvasInterface* canvas_;
  QString id_;
};

// The canvas: its child widgets first (the table buttons), then the drawn parts.
class CanvasInterface : public QAccessibleWidget {
 public:
  CanvasInterface(QWidget* canvas, TableAccess* access)
      : QAccessibleWidget(canvas, QAccessible::Pane, QStringLiteral("Varnok")), access_(access) {}
  ~CanvasInterface() override {
    for (const auto& [id, aid] : parts_) QAccessible::deleteAccessibleInterface(aid);
  }

  std::vector<Item> Items() const { return access_ ? access_->Items() : std::vector<Item>{}; }
  QWidget* Canvas() const { return widget(); }

  // The one interface of part `id`, made when first asked for (and again
  // should the accessibility cache have let it go).
  QAccessibleInterface* Part(const QString& id) const {
    const auto it = parts_.find(id);
    if (it != parts_.end())
      if (QAccessibleInterface* part = QAccessible::accessibleInterface(it->second)) return part;
    auto* part = new PartAccessible(const_cast<CanvasInterface*>(this), id);
    parts_[id] = QAccessible::registerAccessibleInterface(part);
    return part;
  }

  int childCount() const override { return QAccessibleWidget::childCount() + static_cast<int>(Items().size()); }
  QAccessibleInterface* child(int index) const override {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets) return QAccessibleWidget::child(index);
    const std::vector<Item> items = Items();
    const auto i = static_cast<std::size_t>(index - widgets);
    return index >= 0 && i < items.size() ? Part(items[i].id) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override {
    if (QAccessibleInterface* w = QAccessibleWidget::childAt(x, y)) return w;
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    for (const Item& item : Items())
      if (item.rect.contains(local)) return Part(item.id);
    return nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return widget()->window()->windowTitle();
    return QAccessibleWidget::text(t);
  }

 private:
  QPointer<TableAccess> access_;
  mutable std::map<QString, QAccessible::Id> parts_;
};

int CanvasInterface::indexOfChild(const QAccessibleInterface* child) const {
  const auto* part = dynamic_cast<const PartAccessible*>(child);
  if (part == nullptr) return QAccessibleWidget::indexOfChild(child);
  const std::vector<Item> items = Items();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].id == part->Id()) return QAccessibleWidget::childCount() + static_cast<int>(i);
  return -1;
}

std::vector<Item> PartAccessible::Items() const { return canvas_->Items(); }

bool PartAccessible::isValid() const { return canvas_ != nullptr && canvas_->isValid(); }

QWindow* PartAccessible::window() const { return canvas_->window(); }

QAccessibleInterface* PartAccessible::childAt(int x, int y) const {
  const std::vector<Item> items = Items();
  const Item* item = Find(items, id_);
  if (item == nullptr) return nullptr;
  const QPoint local = canvas_->Canvas()->mapFromGlobal(QPoint(x, y));
  for (const Item& c : item->children)
    if (c.rect.contains(local)) return canvas_->Part(c.id);
  return nullptr;
}

QAccessibleInterface* PartAccessible::parent() const {
  const QString parent = ParentOf(Items(), id_);
  return parent.isEmpty() ? static_cast<QAccessibleInterface*>(canvas_) : canvas_->Part(parent);
}

QAccessibleInterface* PartAccessible::child(int index) const {
  const std::vector<Item> items = Items();
  const Item* item = Find(items, id_);
  if (item == nullptr || index < 0 || index >= static_cast<int>(item->children.size())) return nullptr;
  return canvas_->Part(item->children[static_cast<std::size_t>(index)].id);
}

int PartAccessible::childCount() const {
  const std::vector<Item> items = Items();
  const Item* item = Find(items, id_);
  return item == nullptr ? 0 : static_cast<int>(item->children.size());
}

int PartAccessible::indexOfChild(const QAccessibleInterface* child) const {
  const auto* part = dynamic_cast<const PartAccessible*>(child);
  if (part == nullptr) return -1;
  const std::vector<Item> items = Items();
  const Item* item = Find(items, id_);
  if (item == nullptr) return -1;
  for (std::size_t i = 0; i < item->children.size(); ++i)
    if (item->children[i].id == part->Id()) return static_cast<int>(i);
  return -1;
}

QString PartAccessible::text(QAccessible::Text t) const {
  const std::vector<Item> items = Items();
  const Item* item = Find(items, id_);
  if (item == nullptr) return {};
  switch (t) {
    case QAccessible::Name: return item->name;
    case QAccessible::Value:
    case QAccessible::Description: return item->value;
    default: return {};
  }
}

QRect PartAccessible::rect() const {
  const std::vector<Item> items = Items();
  const Item* item = Find(items, id_);
  if (item == nullptr || item->rect.isEmpty()) return {};
  return QRect(canvas_->Canvas()->mapToGlobal(item->rect.topLeft()), item->rect.size());
}

QAccessible::Role PartAccessible::role() const {
  const std::vector<Item> items = Items();
  const Item* item = Find(items, id_);
  return item == nullptr ? QAccessible::NoRole : item->role;
}

QAccessible::State PartAccessible::state() const {
  QAccessible::State state;
  const std::vector<Item> items = Items();
  const Item* item = Find(items, id_);
  if (item == nullptr) {
    state.invisible = true;
    return state;
  }
  state.readOnly = true;
  if (item->role == QAccessible::ListItem) state.selectable = true;
  if (item->role == QAccessible::StatusBar) state.active = true;
  return state;
}

QAccessibleInterface* Factory(const QString&, QObject* object) {
  const auto it = Registry().constFind(object);
  if (it == Registry().constEnd()) return nullptr;
  return new CanvasInterface(static_cast<QWidget*>(object), it.value());
}

}  // namespace

TableAccess::TableAccess(QWidget* canvas, Source source, QString announcements_name)
    : QObject(canvas), canvas_(canvas), source_(std::move(source)), announcements_name_(std::move(announcements_name)) {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
  Registry().insert(canvas, this);
}

TableAccess::~TableAccess() { Registry().remove(canvas_); }

std::vector<Item> TableAccess::Items() const {
  std::vector<Item> items = source_ ? source_() : std::vector<Item>{};
  Item announcement;
  announcement.id = QString::fromLatin1(kAnnouncementId);
  announcement.role = QAccessible::StatusBar;
  announcement.name = announcements_name_;
  announcement.value = announcement_;
  items.push_back(std::move(announcement));
  return items;
}

void TableAccess::Announce(const QString& text) {
  if (text.isEmpty()) return;
  announcement_ = text;
  announced_ << text;
  if (announced_.size() > 64) announced_.removeFirst();
  if (!QAccessible::isActive()) return;
  if (QAccessibleInterface* part = PartInterface(canvas_, QString::fromLatin1(kAnnouncementId))) {
    QAccessibleValueChangeEvent value(part, text);
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(part, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
  }
}

void TableAccess::TableChanged() {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(canvas_, QAccessible::ObjectReorder);
  QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* PartInterface(QWidget* canvas, const QString& id) {
  auto* iface = dynamic_cast<CanvasInterface*>(QAccessible::queryAccessibleInterface(canvas));
  if (iface == nullptr) return nullptr;
  const std::vector<Item> items = iface->Items();
  if (Find(items, id) == nullptr) return nullptr;
  return iface->Part(id);
}

}  // namespace varnok::access
