#include "ControlTexts.h"

#include "AccessKeys.h"
#include "CurrentTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

void ControlTexts::add(QAbstractButton* button, TextSlot slot, QChar accessKey) {
    m_controls.push_back(
        {[button](const QString& text) { button->setText(text); }, slot, accessKey});
}

void ControlTexts::add(QLabel* label, TextSlot slot) {
    m_controls.push_back({[label](const QString& text) { label->setText(text); }, slot, {}});
}

void ControlTexts::add(QGroupBox* frame, TextSlot slot, QChar accessKey) {
    m_controls.push_back(
        {[frame](const QString& text) { frame->setTitle(text); }, slot, accessKey});
}

void ControlTexts::add(QAction* action, TextSlot slot, QChar accessKey) {
    m_controls.push_back(
        {[action](const QString& text) { action->setText(text); }, slot, accessKey});
}

void ControlTexts::add(QMenu* menu, TextSlot slot) {
    m_controls.push_back({[menu](const QString& text) { menu->setTitle(text); }, slot, {}});
}

void ControlTexts::addWindowTitle(QWidget* window, TextSlot slot) {
    m_controls.push_back(
        {[window](const QString& text) { window->setWindowTitle(text); }, slot, {}});
}

void ControlTexts::apply() const {
    for (const Control& control : m_controls)
        control.setText(WithAccessKey(Text(control.slot), control.accessKey));
}
