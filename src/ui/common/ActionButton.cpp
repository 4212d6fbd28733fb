#include "ActionButton.h"

#include <QAction>
#include <QPushButton>

void BindButtonToAction(QPushButton* button, QAction* action) {
    const auto follow = [button, action] {
        button->setText(action->text());
        button->setEnabled(action->isEnabled());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
}
