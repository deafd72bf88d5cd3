#pragma once
// A popup menu whose items are known by name. An item can be enabled or disabled and, separately,
// made available or unavailable (an unavailable item is not shown at all).

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

    void setItemEnabled(const QString& name, bool enabled);
    bool itemEnabled(const QString& name) const;
    void setItemAvailable(const QString& name, bool available);
    bool itemAvailable(const QString& name) const;
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
    std::map<QString, bool> m_enabled;
};
