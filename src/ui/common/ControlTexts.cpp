#include "ControlTexts.h"

#include "CurrentTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

void ControlTexts::add(QAbstractButton* button, TextSlot slot) {
    m_controls.emplace_back([button](const QString& text) { button->setText(text); }, slot);
}

void ControlTexts::add(QLabel* label, TextSlot slot) {
    m_controls.emplace_back([label](const QString& text) { label->setText(text); }, slot);
}

void ControlTexts::add(QGroupBox* frame, TextSlot slot) {
    m_controls.emplace_back([frame](const QString& text) { frame->setTitle(text); }, slot);
}

void ControlTexts::add(QAction* action, TextSlot slot) {
    m_controls.emplace_back([action](const QString& text) { action->setText(text); }, slot);
}

void ControlTexts::add(QMenu* menu, TextSlot slot) {
    m_controls.emplace_back([menu](const QString& text) { menu->setTitle(text); }, slot);
}

void ControlTexts::addWindowTitle(QWidget* window, TextSlot slot) {
    m_controls.emplace_back([window](const QString& text) { window->setWindowTitle(text); }, slot);
}

void ControlTexts::apply() const {
    for (const auto& [setText, slot] : m_controls)
        setText(Text(slot));
}
