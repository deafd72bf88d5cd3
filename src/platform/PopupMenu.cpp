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

void PopupMenu::setItemEnabled(const QString& name, bool enabled) {
    if (QAction* item = action(name)) {
        m_enabled[name] = enabled;
        item->setEnabled(enabled);
    }
}

bool PopupMenu::itemEnabled(const QString& name) const {
    const auto found = m_enabled.find(name);
    return action(name) && (found == m_enabled.end() || found->second);
}

void PopupMenu::setItemAvailable(const QString& name, bool available) {
    if (QAction* item = action(name)) {
        item->setVisible(available);
        item->setEnabled(itemEnabled(name));
    }
}

bool PopupMenu::itemAvailable(const QString& name) const {
    const QAction* item = action(name);
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
