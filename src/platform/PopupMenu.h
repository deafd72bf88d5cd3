#pragma once
// A popup menu whose items are its actions, each also known by name. An item can be enabled or
// disabled and, separately, made available or unavailable (an unavailable item is not shown at all).

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class QAction;
class QMenu;
class QPoint;
class QWidget;

class PopupMenu : public QObject {
    Q_OBJECT
public:
    explicit PopupMenu(QWidget* parent);
    ~PopupMenu() override;

    // An empty parent name puts the entry on the top level; a submenu's name serves as parent.
    QAction* addItem(const QString& name, const QString& caption, const QString& parentName = {});
    void addSubmenu(const QString& name, const QString& caption, const QString& parentName = {});
    void addSeparator(const QString& name, const QString& parentName = {});

    void setItemEnabled(QAction* item, bool enabled);
    bool itemEnabled(const QAction* item) const;
    void setItemAvailable(QAction* item, bool available);
    bool itemAvailable(const QAction* item) const;
    // The same by name; an unknown name is no item.
    void setItemEnabled(const QString& name, bool enabled) { setItemEnabled(action(name), enabled); }
    bool itemEnabled(const QString& name) const { return itemEnabled(action(name)); }
    void setItemAvailable(const QString& name, bool available) { setItemAvailable(action(name), available); }
    bool itemAvailable(const QString& name) const { return itemAvailable(action(name)); }
    QString caption(const QString& name) const;
    QAction* action(const QString& name) const;

    void popup(const QPoint& globalPosition);
    // Runs an item's handling as a click would (enabled or not is the caller's concern).
    void trigger(const QString& name);
    QMenu* menu() const { return m_menu; }

signals:
    void itemChosen(const QString& name);

private:
    QMenu* menuFor(const QString& parentName) const;

    QMenu* m_menu;
    std::map<QString, QAction*> m_actions;
    std::map<QString, QMenu*> m_submenus;
    // Qt disables a hidden action, so the enabled state is kept here as well.
    std::map<const QAction*, bool> m_enabled;
};
