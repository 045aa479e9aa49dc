#include "TableAccessible.h"

#include <cmath>

#include <QAccessibleWidget>
#include <QWidget>
#include <map>
#include <vector>

#include "TableView.h"
#include "card_names.h"
#include "match.h"

namespace {

// The parts of the table in reading order, top to bottom.
enum TPart : int {
  NamePart,
  HandPart,
  JackPart,
  TrickPart,
  BenPart,
  SandraPart,
  FirstRowPart,  // the layout's four rows, hearts to clubs
  LastRowPart = FirstRowPart + 3,
  HandLinePart,
  GameLinePart,
};

class TTableAccessible;

// A part of the table, or (Item >= 0) one card of a part that is a list.
class TTablePart : public QAccessibleInterface {
 public:
  TTablePart(const TTableAccessible* table, int part, int item)
      : Table(table), Part(part), Item(item) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int index) const override;
  int childCount() const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;

  const TTableAccessible* Table;
  const int Part, Item;
};

class TTableAccessible : public QAccessibleWidget {
 public:
  explicit TTableAccessible(TTableView* table) : QAccessibleWidget(table, QAccessible::Canvas) {}
  ~TTableAccessible() override {
    for (auto& [key, part] : Cache) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(part));
  }

  QAccessibleInterface* child(int index) const override {
    const std::vector<int> parts = Parts();
    return index >= 0 && index < int(parts.size()) ? PartAt(parts[index], -1) : nullptr;
  }
  int childCount() const override { return int(Parts().size()); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* part = dynamic_cast<const TTablePart*>(child);
    if (!part || part->Item >= 0) return -1;
    const std::vector<int> parts = Parts();
    for (int i = 0; i < int(parts.size()); ++i)
      if (parts[i] == part->Part) return i;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int part : Parts())
      if (PartAt(part, -1)->rect().contains(x, y)) return PartAt(part, -1);
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return View()->hasFocus() && View()->FocusedSlot() >= 0 ? PartAt(HandPart, -1) : nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return QStringLiteral("Card table");
    return QAccessibleWidget::text(t);
  }

  TTableView* View() const { return static_cast<TTableView*>(widget()); }
  const varlo::TMatch* Game() const { return View()->Match(); }

  // The parts the table shows now.
  std::vector<int> Parts() const {
    const varlo::TMatch* m = Game();
    if (!m || m->Deal().Contract < 0) return {};
    std::vector<int> parts = {NamePart, HandPart};
    const bool tricks = varlo::IsTrickContract(m->Deal().Contract);
    if (tricks) parts.insert(parts.end(), {JackPart, TrickPart, BenPart, SandraPart});
    if (!tricks)
      for (int row = FirstRowPart; row <= LastRowPart; ++row) parts.push_back(row);
    if (tricks && !m->Lines().HandLine.empty()) parts.push_back(HandLinePart);
    if (!m->Lines().GameLine.empty()) parts.push_back(GameLinePart);
    return parts;
  }

  // The cards of a list: the eight slots of the hand, the trick's cards in
  // the order they were played, a row's laid cards from seven to ace.
  std::vector<varlo::TCard> Cards(int part) const {
    const varlo::TMatch* m = Game();
    if (!m) return {};
    if (part == HandPart) return {m->Deal().Players[0].Cards.begin(), m->Deal().Players[0].Cards.end()};
    std::vector<varlo::TCard> cards;
    if (part == TrickPart)
      for (varlo::TCard c : m->Deal().Trick)
        if (c != varlo::NoCard) cards.push_back(c);
    if (part >= FirstRowPart && part <= LastRowPart)
      for (int rank = 0; rank < 8; ++rank)
        if (m->Deal().Layout[varlo::CardOf(part - FirstRowPart, rank)])
          cards.push_back(varlo::CardOf(part - FirstRowPart, rank));
    return cards;
  }

  QString Name(int part) const {
    const varlo::TMatch* m = Game();
    if (!m) return {};
    switch (part) {
      case NamePart: return QString::fromStdString(m->Deal().Players[0].Name);
      case HandPart: return QStringLiteral("Your hand");
      case JackPart: return QStringLiteral("Jack");
      case TrickPart: return QStringLiteral("Trick");
      case BenPart: return QStringLiteral("Ben");
      case SandraPart: return QStringLiteral("Sandra");
      case HandLinePart: return QString::fromStdString(m->Lines().HandLine);
      case GameLinePart: return QString::fromStdString(m->Lines().GameLine);
      default:
        return QStringLiteral("%1 row").arg(QLatin1String(varlo::SuitName(part - FirstRowPart)));
    }
  }

  // Where a part, or one of its cards, lies on the table (table pixels).
  QRect TableRect(int part, int item) const {
    using namespace varlo;
    switch (part) {
      case NamePart: return ToQRect(NameArea);
      case HandPart: return ToQRect(item < 0 ? HandArea : HandSlot(item));
      case JackPart: return SeatRect(1);
      case TrickPart: return ToQRect(item < 0 ? TrickArea : TrickCard(item));
      case BenPart: return SeatRect(3);
      case SandraPart: return SeatRect(2);
      case HandLinePart: return ToQRect(HandLineArea);
      case GameLinePart: return ToQRect(GameLineArea);
      default: {
        const std::vector<TCard> cards = Cards(part);
        if (item < 0 || item >= int(cards.size())) return ToQRect(LayoutRow(part - FirstRowPart));
        return ToQRect(LayoutCard(cards[item]));
      }
    }
  }

  // A computer player's back with its label below.
  static QRect SeatRect(int seat) {
    for (const varlo::TSeatPlace& place : varlo::SeatPlaces)
      if (place.Seat == seat) return ToQRect(place.Area());
    return {};
  }

  QRect ScreenRect(const QRect& table) const {
    const QRect logical = View()->Transform().LogicalRect(table).toAlignedRect();
    return {View()->mapToGlobal(logical.topLeft()), logical.size()};
  }

  TTablePart* PartAt(int part, int item) const {
    TTablePart*& known = Cache[{part, item}];
    if (!known) {
      known = new TTablePart(this, part, item);
      QAccessible::registerAccessibleInterface(known);
    }
    return known;
  }

 private:
  mutable std::map<std::pair<int, int>, TTablePart*> Cache;
};

bool IsList(int part) {
  return part == HandPart || part == TrickPart || (part >= FirstRowPart && part <= LastRowPart);
}

bool TTablePart::isValid() const { return Table->isValid(); }

QWindow* TTablePart::window() const { return Table->window(); }

QAccessibleInterface* TTablePart::childAt(int x, int y) const {
  for (int i = 0; i < childCount(); ++i)
    if (child(i)->rect().contains(x, y)) return child(i);
  return nullptr;
}

QAccessibleInterface* TTablePart::parent() const {
  return Item < 0 ? static_cast<QAccessibleInterface*>(const_cast<TTableAccessible*>(Table))
                  : Table->PartAt(Part, -1);
}

QAccessibleInterface* TTablePart::child(int index) const {
  return index >= 0 && index < childCount() ? Table->PartAt(Part, index) : nullptr;
}

int TTablePart::childCount() const {
  return Item < 0 && IsList(Part) ? int(Table->Cards(Part).size()) : 0;
}

int TTablePart::indexOfChild(const QAccessibleInterface* child) const {
  const auto* part = dynamic_cast<const TTablePart*>(child);
  return part && part->Part == Part && part->Item >= 0 && part->Item < childCount() ? part->Item
                                                                                     : -1;
}

QAccessibleInterface* TTablePart::focusChild() const {
  if (Part != HandPart || Item >= 0 || !Table->View()->hasFocus()) return nullptr;
  const int slot = Table->View()->FocusedSlot();
  return slot >= 0 ? Table->PartAt(HandPart, slot) : nullptr;
}

// What the coach says of a card, in words, after what may be done with it.
static QString CoachWords(const TTableView* view, int slot) {
  const varlo::TCoachAdvice* advice = view ? view->Advice() : nullptr;
  if (!advice || !((advice->Playable >> slot) & 1u)) return {};
  QString words = QStringLiteral(", worth %1 points in this deal")
                      .arg(static_cast<int>(std::lround(advice->Points[slot])));
  if (slot == advice->Best) return words + QStringLiteral(", the best card");
  if ((advice->AsGood >> slot) & 1u) return words + QStringLiteral(", as good as the best");
  return words;
}

QString TTablePart::text(QAccessible::Text t) const {
  const bool card = Item >= 0;
  if (t == QAccessible::Name) {
    if (!card) return Table->Name(Part);
    const std::vector<varlo::TCard> cards = Table->Cards(Part);
    return Item < int(cards.size()) ? QString::fromStdString(varlo::CardName(cards[Item]))
                                    : QString();
  }
  if (t == QAccessible::Description && card && Part == HandPart && Table->Game()) {
    if (Table->Game()->Deal().Players[0].Cards[Item] == varlo::NoCard) return {};
    if (!Table->Game()->MayPlaySlot(Item)) return QStringLiteral("may not be played now");
    return QStringLiteral("may be played") + CoachWords(Table->View(), Item);
  }
  return {};
}

QRect TTablePart::rect() const { return Table->ScreenRect(Table->TableRect(Part, Item)); }

QAccessible::Role TTablePart::role() const {
  if (Item >= 0) return QAccessible::ListItem;
  return IsList(Part) ? QAccessible::List : QAccessible::StaticText;
}

QAccessible::State TTablePart::state() const {
  QAccessible::State s;
  if (Part == HandPart && Item >= 0 && Table->Game()) {
    // Only a card that may be played now is enabled.
    s.focusable = true;
    s.disabled = !Table->Game()->MayPlaySlot(Item);
    s.focused = Table->View()->hasFocus() && Table->View()->FocusedSlot() == Item;
  } else {
    s.readOnly = true;
  }
  return s;
}

QAccessibleInterface* TableFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("TTableView") && object && object->isWidgetType())
    return new TTableAccessible(static_cast<TTableView*>(object));
  return nullptr;
}

}  // namespace

void InstallTableAccessibility() {
  static const bool installed = (QAccessible::installFactory(TableFactory), true);
  (void)installed;
}

void NotifyTableFocus(TTableView* table, int slot) {
  if (!QAccessible::isActive()) return;
  auto* iface = dynamic_cast<TTableAccessible*>(QAccessible::queryAccessibleInterface(table));
  if (!iface) return;
  QAccessibleEvent event(slot >= 0 ? static_cast<QAccessibleInterface*>(iface->PartAt(HandPart, slot))
                                   : iface,
                         QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

void NotifyTableChanged(TTableView* table) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(table, QAccessible::ObjectReorder);
  QAccessible::updateAccessibility(&event);
}
