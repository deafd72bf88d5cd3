#include "PopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

PopupMenu::PopupMenu(QWidget* parent) : QObject(parent), m_menu(new QMenu(parent)) {}

PopupMenu::~PopupMenu() = default;

QMenu* PopupMenu::menuFor(const QString& parentName) const {
    if (parentName.isEmpty())
        return m_menu;
    const auto found = m_submenus.find(parentName);
    return found == m_submenus.end() ? m_menu : found->second;
}

QAction* PopupMenu::addItem(const QString& name, const QString& caption, const QString& parentName) {
    QAction* action = menuFor(parentName)->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, name] { emit itemChosen(name); });
    m_actions[name] = action;
    return action;
}

void PopupMenu::addSubmenu(const QString& name, const QString& caption, const QString& parentName) {
    QMenu* submenu = menuFor(parentName)->addMenu(caption);
    submenu->setObjectName(name);
    m_submenus[name] = submenu;
    m_actions[name] = submenu->menuAction();
}

void PopupMenu::addSeparator(const QString& name, const QString& parentName) {
    QAction* separator = menuFor(parentName)->addSeparator();
    separator->setObjectName(name);
    m_actions[name] = separator;
}

QAction* PopupMenu::action(const QString& name) const {
    const auto found = m_actions.find(name);
    return found == m_actions.end() ? nullptr : found->second;
}

void PopupMenu::setItemEnabled(QAction* item, bool enabled) {
    if (item) {
        m_enabled[item] = enabled;
        item->setEnabled(enabled);
    }
}

bool PopupMenu::itemEnabled(const QAction* item) const {
    const auto found = m_enabled.find(item);
    return item && (found == m_enabled.end() || found->second);
}

void PopupMenu::setItemAvailable(QAction* item, bool available) {
    if (item) {
        item->setVisible(available);
        item->setEnabled(itemEnabled(item));
    }
}

bool PopupMenu::itemAvailable(const QAction* item) const {
    return item && item->isVisible();
}

QString PopupMenu::caption(const QString& name) const {
    const QAction* item = action(name);
    return item ? item->text() : QString();
}

void PopupMenu::popup(const QPoint& globalPosition) {
    m_menu->exec(globalPosition);
}

void PopupMenu::trigger(const QString& name) {
    if (m_actions.count(name))
        emit itemChosen(name);
}
