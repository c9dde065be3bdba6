#pragma once
#include <QObject>

#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace kv {

// The table of the main menu's items: each item's action, the command it
// runs and the condition that enables it. Items are enabled from their
// conditions when a menu is about to open and after every command, so that
// shortcuts and toolbar buttons follow as well.
class CommandItems : public QObject {
    Q_OBJECT
  public:
    using Command = std::function<bool()>;
    using Condition = std::function<bool()>;

    explicit CommandItems(QObject* parent = nullptr) : QObject(parent) {}

    // Adds an item to the menu; without a condition it is always enabled.
    // Its keys are those the shortcut table gives the menu and text.
    QAction* add(QMenu* menu, const char* text, Command command, Condition condition = {});
    // Enables every item from its condition.
    void refresh();
    // Enables the items of one menu (and its submenus).
    void refresh(const QMenu* menu);
    // Runs after each command an item ran (the window's title and the
    // panels follow the model).
    void setAfterCommand(std::function<void()> after) { m_after = std::move(after); }

    // The item that carries a text ("&Save"); null when there is none. The
    // first one wins where two menus carry the same text.
    QAction* find(const QString& text) const;
    std::size_t size() const { return m_items.size(); }

  private:
    struct Item {
        QAction* action;
        Command command;
        Condition condition;
    };
    void run(const Item& item);
    static void enable(const Item& item);

    std::vector<Item> m_items;
    std::function<void()> m_after;
};

} // namespace kv
